// The information window: what it shows, its two buttons, and the way back
// to the "ALL" list.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "test_support.h"
#include "ui/ids.h"

namespace quillora::e2e {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF DarkGrey = RGB(51, 51, 51);
constexpr COLORREF Grey = RGB(153, 153, 153);

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines{""};
    for (char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

// The shell's handler of web addresses replaced for as long as it lives.
class WebHandler {
public:
    explicit WebHandler(const std::string& command) {
        for (const char* scheme : {"http", "https"}) {
            const std::string key = std::string(scheme) + "\\shell\\open\\command";
            saved_.push_back({key, RegistryText(HKEY_CLASSES_ROOT, key.c_str(), nullptr)});
            Set(key, command);
        }
    }
    ~WebHandler() {
        for (const Saved& saved : saved_) {
            if (saved.command) {
                Set(saved.key, *saved.command);
            } else {
                RegDeleteKeyValueA(HKEY_CLASSES_ROOT, saved.key.c_str(), nullptr);
            }
        }
    }
    WebHandler(const WebHandler&) = delete;
    WebHandler& operator=(const WebHandler&) = delete;

private:
    struct Saved {
        std::string key;
        std::optional<std::string> command;
    };
    static void Set(const std::string& key, const std::string& command) {
        RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>(command.size() + 1));
    }
    std::vector<Saved> saved_;
};

// A handler that only notes the address it is given, in the registry.
constexpr const char* NotedAddressKey = "Software\\Quillora-e2e\\website";
constexpr const char* NotingHandler =
    "C:\\windows\\system32\\reg.exe add HKCU\\Software\\Quillora-e2e\\website /v Address /d \"%1\" /f";

// The address a web page is opened at by `action`, with a handler that only
// notes it; "" when none was opened.
std::string AddressOpenedBy(const std::function<void()>& action) {
    RegDeleteTreeA(HKEY_CURRENT_USER, NotedAddressKey);
    std::optional<std::string> address;
    {
        const WebHandler noting(NotingHandler);
        action();
        WaitUntil([&] {
            return (address = RegistryText(HKEY_CURRENT_USER, NotedAddressKey, "Address")).has_value();
        });
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, NotedAddressKey);
    return address.value_or("");
}

const std::vector<Entry> ThreeEntries{{"Zoe", "1", "1", "1990", "1", "1"},
                                      {"Anna", "14", "2", "1980", "0", "1"},
                                      {"Mia", "7", "3", "2000", "1", "1"}};

class InformationWindow : public ProgramOnList {
protected:
    HWND Open() {
        PostCommand(main_, InformationCommand);
        HWND window = program_.WaitForWindow("INFORMATION");
        if (window) WaitUntil([&] { return IsFullyDrawn(window); }, ShortWait);
        return window;
    }

    // Another tab is shown and "ALL" is sorted, so that only a refill shows
    // "ALL" again in the table's order.
    void LeaveAllSortedForAnotherTab() {
        HWND all = ListOfTab(main_, AllTab);
        const ListViewReader reader(all);
        ClickIn(reader.Header(), CentreOf(reader.HeaderItemRect(0)));
        ASSERT_TRUE(WaitUntil([&] { return DateColumns(all) != DateColumns(ThreeEntries); }, ShortWait));
        HWND tabs = Control(main_, TabStripId);
        ClickIn(tabs, CentreOf(TabReader(tabs).ItemRect(2)));
        ASSERT_TRUE(WaitUntil([&] { return TabReader(tabs).Selected() == 2; }, ShortWait));
    }
};

TEST_F(InformationWindow, ShowsItsTextsClosesBackToAllAndOpensTheWebsiteAndDonationPages) {
    ASSERT_NO_FATAL_FAILURE(Start(ListBytes(ThreeEntries)));
    ASSERT_NO_FATAL_FAILURE(LeaveAllSortedForAnotherTab());
    HWND window = Open();
    ASSERT_NE(window, nullptr) << program_.Describe();
    EXPECT_FALSE(IsEnabledWindow(main_));

    // A caption and nothing else: no close box, no minimize or maximize box,
    // no sizing border.
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    ExpectCentredOnScreen(window);

    // Its size and layout, the same at every scale, are checked by the
    // display-scaling test.
    struct Shown {
        int id;
        COLORREF text;
        COLORREF background;
    };
    const Shown texts[] = {{InfoTitleId, White, Black},
                           {InfoFactsHeadingId, White, DarkGrey},
                           {InfoCreditsHeadingId, White, DarkGrey},
                           {InfoVersionId, Black, Grey},
                           {InfoCreditsId, Black, Grey}};
    for (const Shown& shown : texts) {
        HWND control = Control(window, shown.id);
        ASSERT_NE(control, nullptr) << shown.id;
        EXPECT_EQ(ClassNameOf(control), "Static") << shown.id;
        EXPECT_EQ(GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK, SS_CENTER) << shown.id;
        EXPECT_EQ(ScreenPixel(control, POINT{2, 2}), shown.background) << shown.id;
        EXPECT_TRUE(MiddleRowShows(control, shown.text)) << shown.id;
    }
    EXPECT_TRUE(GetWindowLongPtrA(Control(window, InfoTitleId), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(TextOf(window), "INFORMATION");
    EXPECT_EQ(TextOf(Control(window, InfoTitleId)), "INFORMATION:");
    EXPECT_EQ(TextOf(Control(window, InfoFactsHeadingId)), "Facts:");
    EXPECT_EQ(TextOf(Control(window, InfoCreditsHeadingId)), "Developing, Programing, Publishing:");
    EXPECT_EQ(TextOf(Control(window, InfoVersionId)), "Quillora v.1.0");
    // The maker, a contact address and a web address, one a line.
    const std::vector<std::string> credits = Lines(TextOf(Control(window, InfoCreditsId)));
    ASSERT_EQ(credits.size(), 3u);
    EXPECT_FALSE(credits[0].empty());
    EXPECT_NE(credits[1].find('@'), std::string::npos);
    EXPECT_NE(credits[2].find('.'), std::string::npos);
    EXPECT_EQ(TextOf(Control(window, InfoWebsiteButtonId)), "WEBSITE");
    EXPECT_EQ(TextOf(Control(window, InfoCloseButtonId)), "CLOSE");

    ClickButton(window, InfoCloseButtonId);
    ExpectBackOnAll(window, ThreeEntries);

    // A close request, where the system delivers one, closes it as well.
    ASSERT_NO_FATAL_FAILURE(LeaveAllSortedForAnotherTab());
    window = Open();
    ASSERT_NE(window, nullptr) << program_.Describe();
    PostClose(window);
    ExpectBackOnAll(window, ThreeEntries);

    // WEBSITE opens the address of the credits and closes the window, even
    // where no browser starts.
    ASSERT_NO_FATAL_FAILURE(LeaveAllSortedForAnotherTab());
    std::string site;
    std::string address = AddressOpenedBy([&] {
        window = Open();
        ASSERT_NE(window, nullptr) << program_.Describe();
        site = Lines(TextOf(Control(window, InfoCreditsId))).back();
        ClickButton(window, InfoWebsiteButtonId);
        ExpectBackOnAll(window, ThreeEntries);
    });
    EXPECT_EQ(address.rfind("http", 0), 0u) << address;
    EXPECT_NE(address.find("//" + site), std::string::npos) << address << " is not " << site;
    {
        const WebHandler missing("\"" + scenario_->Root() + "\\no-browser.exe\" \"%1\"");
        window = Open();
        ASSERT_NE(window, nullptr) << program_.Describe();
        ClickButton(window, InfoWebsiteButtonId);
        EXPECT_FALSE(program_.WaitForMessageBox(NoBoxWatch).has_value()) << "a missing browser was reported";
        ExpectBackOnAll(window, ThreeEntries);
    }

    // "Donate" in the "?" menu shows the donation page the same way, and
    // the main window stays as it was.
    address = AddressOpenedBy([&] { PostCommand(main_, DonateCommand); });
    EXPECT_EQ(address.rfind("http", 0), 0u) << address;
    EXPECT_NE(address.find("/donate"), std::string::npos) << address;
    EXPECT_TRUE(IsEnabledWindow(main_));
    Quit();
    EXPECT_EQ(ReadBytes(scenario_->ListFile()), ListBytes(ThreeEntries));
}

}  // namespace
}  // namespace quillora::e2e
