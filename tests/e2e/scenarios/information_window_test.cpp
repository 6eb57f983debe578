// The information window: what it shows, its two buttons, and the way back
// to the "ALL" list.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
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

// Whether a row of pixels across the middle of a control shows `colour`.
bool MiddleRowShows(HWND control, COLORREF colour) {
    const SIZE size = ClientSize(control);
    for (LONG x = 0; x < size.cx; ++x) {
        if (ScreenPixel(control, POINT{x, size.cy / 2}) == colour) return true;
    }
    return false;
}

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
            Saved saved{key, std::nullopt};
            DWORD size = 0;
            if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr,
                             nullptr, &size) == ERROR_SUCCESS) {
                std::string value(size, '\0');
                if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ | RRF_NOEXPAND,
                                 nullptr, value.data(), &size) == ERROR_SUCCESS) {
                    value.resize(value.find('\0'));
                    saved.command = value;
                }
            }
            saved_.push_back(saved);
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

std::optional<std::string> NotedAddress() {
    DWORD size = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, NotedAddressKey, "Address", RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string value(size, '\0');
    if (RegGetValueA(HKEY_CURRENT_USER, NotedAddressKey, "Address", RRF_RT_REG_SZ, nullptr, value.data(),
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(value.find('\0'));
    return value;
}

// The address a web page is opened at by `action`, with a handler that only
// notes it; "" when none was opened.
std::string AddressOpenedBy(const std::function<void()>& action) {
    RegDeleteTreeA(HKEY_CURRENT_USER, NotedAddressKey);
    std::optional<std::string> address;
    {
        const WebHandler noting(NotingHandler);
        action();
        WaitUntil([&] { return (address = NotedAddress()).has_value(); });
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, NotedAddressKey);
    return address.value_or("");
}

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
    void LeaveAllSortedForAnotherTab(const std::vector<std::string>& tableOrder) {
        HWND all = ListOfTab(main_, AllTab);
        const ListViewReader reader(all);
        ClickIn(reader.Header(), CentreOf(reader.HeaderItemRect(0)));
        ASSERT_TRUE(WaitUntil([&] { return ColumnTexts(all) != tableOrder; }, ShortWait));
        HWND tabs = Control(main_, TabStripId);
        ClickIn(tabs, CentreOf(TabReader(tabs).ItemRect(2)));
        ASSERT_TRUE(WaitUntil([&] { return TabReader(tabs).Selected() == 2; }, ShortWait));
    }

    void ExpectBackOnAll(HWND window, const std::vector<std::string>& tableOrder) {
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, ShortWait)) << "the window is still open";
        EXPECT_TRUE(WaitUntil([&] { return IsEnabledWindow(main_); }, ShortWait));
        HWND tabs = Control(main_, TabStripId);
        EXPECT_TRUE(WaitUntil(
            [&] {
                return TabReader(tabs).Selected() == AllTab &&
                       ColumnTexts(ListOfTab(main_, AllTab)) == tableOrder;
            },
            ShortWait))
            << "tab " << TabReader(tabs).Selected() << " shown";
    }

    void QuitAndExpectList(const std::string& list) {
        PostClose(main_);
        ASSERT_EQ(program_.WaitForExit(), std::optional<DWORD>(0)) << program_.Describe();
        EXPECT_EQ(ReadBytes(scenario_->ListFile()), list);
    }
};

const std::string ThreeEntries =
    "3\r\nZoe\r\nAnna\r\nMia\r\n1\r\n14\r\n7\r\n1\r\n2\r\n3\r\n1990\r\n1980\r\n2000\r\n"
    "1\r\n0\r\n1\r\n1\r\n1\r\n1";
const std::vector<std::string> TableOrder{"Zoe", "Anna", "Mia"};

TEST_F(InformationWindow, ShowsItsTextsAsLaidOutAndClosesBackToAll) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeEntries));
    ASSERT_NO_FATAL_FAILURE(LeaveAllSortedForAnotherTab(TableOrder));
    HWND window = Open();
    ASSERT_NE(window, nullptr) << program_.Describe();
    EXPECT_FALSE(IsEnabledWindow(main_));

    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 280);
    EXPECT_EQ(client.cy, 225);
    // A caption and nothing else: no close box, no minimize or maximize box,
    // no sizing border.
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_NEAR(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2, 1);
    EXPECT_NEAR(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, 1);

    struct Shown {
        int id;
        RECT rect;
        COLORREF text;
        COLORREF background;
    };
    const Shown texts[] = {
        {InfoTitleId, RECT{0, 5, 280, 35}, White, Black},
        {InfoFactsHeadingId, RECT{10, 45, 270, 63}, White, DarkGrey},
        {InfoCreditsHeadingId, RECT{10, 105, 270, 123}, White, DarkGrey},
        {InfoVersionId, RECT{45, 67, 235, 85}, Black, Grey},
        {InfoCreditsId, RECT{45, 127, 235, 172}, Black, Grey},
    };
    std::vector<int> order;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(child));
    EXPECT_EQ(order, (std::vector<int>{InfoTitleId, InfoFactsHeadingId, InfoCreditsHeadingId, InfoVersionId,
                                       InfoCreditsId, InfoWebsiteButtonId, InfoCloseButtonId}));
    for (const Shown& shown : texts) {
        HWND control = Control(window, shown.id);
        ASSERT_NE(control, nullptr) << shown.id;
        EXPECT_EQ(ClassNameOf(control), "Static") << shown.id;
        EXPECT_EQ(RectText(RectInParent(control)), RectText(shown.rect)) << shown.id;
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
    EXPECT_EQ(RectText(RectInParent(Control(window, InfoWebsiteButtonId))),
              RectText(RECT{190, 195, 270, 220}));
    EXPECT_EQ(RectText(RectInParent(Control(window, InfoCloseButtonId))), RectText(RECT{10, 195, 90, 220}));

    ClickButton(window, InfoCloseButtonId);
    ExpectBackOnAll(window, TableOrder);

    // A close request, where the system delivers one, closes it as well.
    ASSERT_NO_FATAL_FAILURE(LeaveAllSortedForAnotherTab(TableOrder));
    window = Open();
    ASSERT_NE(window, nullptr) << program_.Describe();
    PostClose(window);
    ExpectBackOnAll(window, TableOrder);
    QuitAndExpectList(ThreeEntries);
}

TEST_F(InformationWindow, WebsiteOpensTheAddressOfTheCreditsAndClosesEvenWithoutABrowser) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeEntries));
    ASSERT_NO_FATAL_FAILURE(LeaveAllSortedForAnotherTab(TableOrder));
    std::string site;
    const std::string address = AddressOpenedBy([&] {
        HWND window = Open();
        ASSERT_NE(window, nullptr) << program_.Describe();
        site = Lines(TextOf(Control(window, InfoCreditsId))).back();
        ClickButton(window, InfoWebsiteButtonId);
        ExpectBackOnAll(window, TableOrder);
    });
    EXPECT_EQ(address.rfind("http", 0), 0u) << address;
    EXPECT_NE(address.find("//" + site), std::string::npos) << address << " is not " << site;
    {
        const WebHandler missing("\"" + scenario_->Root() + "\\no-browser.exe\" \"%1\"");
        HWND window = Open();
        ASSERT_NE(window, nullptr) << program_.Describe();
        ClickButton(window, InfoWebsiteButtonId);
        EXPECT_FALSE(program_.WaitForMessageBox(NoBoxWatch).has_value()) << "a missing browser was reported";
        ExpectBackOnAll(window, TableOrder);
    }
    QuitAndExpectList(ThreeEntries);
}

// "Donate" in the "?" menu shows the donation page the same way, and the
// main window stays as it was.
TEST_F(InformationWindow, DonateOpensTheDonationPage) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeEntries));
    const std::string address = AddressOpenedBy([&] { PostCommand(main_, DonateCommand); });
    EXPECT_EQ(address.rfind("http", 0), 0u) << address;
    EXPECT_NE(address.find("/donate"), std::string::npos) << address;
    EXPECT_TRUE(IsEnabledWindow(main_));
    QuitAndExpectList(ThreeEntries);
}

}  // namespace
}  // namespace quillora::e2e
