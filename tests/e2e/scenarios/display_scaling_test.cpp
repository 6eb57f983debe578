// The windows on a scaled display: every control of a fixed layout at its
// 96-DPI place and size scaled to the display's DPI (within a pixel of
// rounding), those of the import preview and the reminder inside their
// window and apart, every text fitting in fonts made for that DPI. Run at 96 DPI with the other tests and at
// 120, 144 and 192 DPI by scripts/at-dpi.sh, which says which DPI to expect.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "calc/list_row.h"
#include "driver.h"
#include "reminder/reminder_ids.h"
#include "test_support.h"
#include "text_fit.h"

namespace quillora::e2e {
namespace {

const std::vector<Placement> MainWindowPlacements = {{FrameId, 5, 5, 590, 435},
                                                     {AddEntryButtonId, 15, 445, 120, 30},
                                                     {EditEntryButtonId, 240, 445, 120, 30},
                                                     {DeleteEntryButtonId, 465, 445, 120, 30},
                                                     {TabStripId, 15, 15, 571, 415}};

const std::vector<Placement> InformationWindowPlacements = {{InfoTitleId, 0, 5, 280, 30},
                                                            {InfoFactsHeadingId, 10, 45, 260, 18},
                                                            {InfoCreditsHeadingId, 10, 105, 260, 18},
                                                            {InfoVersionId, 45, 67, 190, 18},
                                                            {InfoCreditsId, 45, 127, 190, 45},
                                                            {InfoWebsiteButtonId, 190, 195, 80, 25},
                                                            {InfoCloseButtonId, 10, 195, 80, 25}};

class DisplayScaling : public ProgramOnList {
protected:
    void SetUp() override { SeeRealPixels(); }

    static int Dpi() {
        const char* dpi = std::getenv("QUILLORA_E2E_DPI");
        return dpi ? std::atoi(dpi) : 96;
    }
    // The DPI the windows are expected at: the display's, unless a test
    // moved a window to another.
    int layoutDpi_ = Dpi();
    int Scaled(int value) const { return MulDiv(value, layoutDpi_, 96); }

    // A window whose layout is its own rather than fixed: every control
    // inside its client area and none over another.
    static void ExpectInsideAndApart(HWND window) {
        const RECT client{0, 0, ClientSize(window).cx, ClientSize(window).cy};
        const std::vector<HWND> controls = ChildWindows(window);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const RECT box = RectInParent(controls[i]);
            RECT common{};
            EXPECT_TRUE(IntersectRect(&common, &box, &client) && EqualRect(&common, &box)) << i;
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const RECT other = RectInParent(controls[j]);
                EXPECT_FALSE(IntersectRect(&common, &box, &other)) << i << " and " << j;
            }
        }
    }

    // A child window at this scale: its client size and controls where the
    // fixed layout puts them (at 96 DPI `width` x `height` and `placements`;
    // width 0 for a window whose layout is its own), its texts fitting, its
    // picture; then closed with its button `closeId`.
    void ExpectScaledThenClose(HWND window, int width, int height, const std::vector<Placement>& placements,
                               const std::string& name, int closeId) {
        ASSERT_NE(window, nullptr) << program_.Describe();
        if (width == 0) {
            ExpectInsideAndApart(window);
        } else {
            // Exactly at 96 DPI, within a pixel of rounding at other scales.
            EXPECT_NEAR(ClientSize(window).cx, Scaled(width), Dpi() == 96 ? 0 : 1);
            EXPECT_NEAR(ClientSize(window).cy, Scaled(height), Dpi() == 96 ? 0 : 1);
            ExpectPlaced(window, placements, layoutDpi_);
        }
        ASSERT_NO_FATAL_FAILURE(TakePicture(window, name));
        ASSERT_NO_FATAL_FAILURE(ExpectTextsFit(window, "fit-" + name));
        ClickButton(window, closeId);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, Millis{10000}));
    }

    // Every text of the process's visible windows fits its control, measured
    // with the control's own font: a button's caption leaves room for the
    // button's edges, a column title for the header's margins. "Remind this
    // birthday" is already tight at 96 DPI (its text alone takes 108 of the
    // box's 115 pixels, before the tick mark); it is held to fitting the box
    // without the mark, at every scale.
    void ExpectTextsFit(HWND window, const std::string& name) {
        const std::string copy = OwnFolder() + "\\" + name + "-" + std::to_string(layoutDpi_) + ".dll";
        const std::optional<test::TextFit> fit = test::MeasureTexts(window, copy);
        ASSERT_TRUE(fit.has_value()) << "the probe could not measure";
        ASSERT_GT(fit->count, 0);
        for (int i = 0; i < fit->count; ++i) {
            const test::TextFit::Item& item = fit->items[i];
            const std::string kind = item.className;
            const int margins = kind == "Button"        ? (item.id == RemindBoxId ? 0 : Scaled(6))
                                : kind == "SysHeader32" ? Scaled(12)
                                                        : 0;
            EXPECT_LE(item.textWidth + margins, item.roomWidth)
                << kind << " " << item.id << " \"" << item.text << "\" at " << layoutDpi_ << " DPI";
            EXPECT_LE(item.textHeight, item.roomHeight)
                << kind << " " << item.id << " \"" << item.text << "\"";
        }
    }

    // The tab's list, shown by a click on its tab (a month's page is made
    // then), in its place on its page with its columns at this DPI.
    void ExpectListPlaced(int tab) {
        if (tab != AllTab) ClickTab(Control(main_, TabStripId), tab);
        HWND list = ListOfTab(main_, tab);
        ASSERT_NE(list, nullptr) << "tab " << tab;
        ExpectPlaced(GetParent(list), {{ListViewIdOfTab(tab), 6, 10, 551, 370}}, layoutDpi_);
        const ListViewReader reader(list);
        const int widths[] = {177, 60, 60, 60, 60, 70, 60};
        for (int column = 0; column < ListColumnCount; ++column) {
            const RECT header = reader.HeaderItemRect(column);
            EXPECT_NEAR(header.right - header.left, Scaled(widths[column]), 1) << column;
        }
    }

    // A picture of the window at this DPI in build/shots, for a look.
    static void TakePicture(HWND window, const std::string& name) {
        ASSERT_TRUE(WaitUntil([&] { return IsFullyDrawn(window); }, Millis{5000}));
        const std::string folder = InstalledProgramFolder() + "\\..\\..\\shots";
        MakeFolders(folder);
        EXPECT_TRUE(SaveWindowPicture(window, folder + "\\" + name + "-" + std::to_string(Dpi()) + ".bmp"));
    }
};

TEST_F(DisplayScaling, MainWindowAndEntryDialogFollowTheDisplayScale) {
    // A few entries, one of them highlighted: the pictures also serve the
    // README (scripts/make-pictures.sh).
    const Day today = LocalToday();
    ASSERT_NO_FATAL_FAILURE(
        Start(ListBytes({{"Anna", std::to_string(today.day), std::to_string(today.month), "1980", "1", "1"},
                         {"Ben", "3", "11", "1975", "0", "1"},
                         {"Clara", "21", "6", "1990", "1", "1"},
                         {"David", "9", "1", "2001", "1", "1"}})));
    EXPECT_EQ(DpiOf(main_), Dpi()) << "the program is aware of the display's scale";
    EXPECT_NEAR(ClientSize(main_).cx, Scaled(600), 1);

    ExpectPlaced(main_, MainWindowPlacements, layoutDpi_);
    for (int tab : {AllTab, 12})
        ASSERT_NO_FATAL_FAILURE(ExpectListPlaced(tab));
    // The thirteen tabs still fit in one row.
    const TabReader tabs(Control(main_, TabStripId));
    EXPECT_LE(tabs.ItemRect(12).right, Scaled(571));
    EXPECT_EQ(tabs.ItemRect(12).top, tabs.ItemRect(1).top);
    ClickTab(Control(main_, TabStripId), AllTab);
    ClickItem(ListOfTab(main_, AllTab), 1);
    ASSERT_NO_FATAL_FAILURE(TakePicture(main_, "main-window"));
    ASSERT_NO_FATAL_FAILURE(ExpectTextsFit(main_, "fit-main"));

    PostCommand(main_, EditEntryCommand);
    HWND dialog = program_.WaitForWindow("EDIT ENTRY");
    ASSERT_NE(dialog, nullptr) << program_.Describe();
    EXPECT_EQ(TextOf(Control(dialog, NameFieldId)), "Ben");
    ExpectScaledThenClose(dialog, 300, 230, EntryDialogPlacements, "entry-dialog", CancelButtonId);
    if (HasFatalFailure()) return;

    PostCommand(main_, InformationCommand);
    ExpectScaledThenClose(program_.WaitForWindow("INFORMATION"), 280, 225, InformationWindowPlacements,
                          "information-window", InfoCloseButtonId);
    if (HasFatalFailure()) return;

    // The import preview, with a row of each kind.
    const std::string contacts = scenario_->Root() + "\\contacts.vcf";
    ASSERT_TRUE(WriteBytes(contacts, VCardFile({{"Berg, Clara", "1990-06-21"},
                                                {"Clara", "1990-06-21"},
                                                {"Emil Fischer", "1985-08-30"},
                                                {"\xC5\x81ucja Nowak", "--0304"},
                                                {"Frida", ""}})));
    ExpectScaledThenClose(OpenImportPreview(contacts), 0, 0, {}, "import-preview", ImportCancelButtonId);
    if (HasFatalFailure()) return;

    PostCommand(main_, QuitCommand);
    ASSERT_TRUE(program_.WaitForExit().has_value()) << program_.Describe();
}

TEST_F(DisplayScaling, ReminderWindowFollowsTheDisplayScale) {
    const Scenario scenario(CurrentTestName());
    const EnvironmentOverride appData("APPDATA", scenario.AppData());
    const Day today = LocalToday();
    scenario.GiveSettings(QuietSettings);
    scenario.GiveList(
        ListBytes({{"Anna", std::to_string(today.day), std::to_string(today.month), "1980", "1", "1"},
                   {"Ben", std::to_string(DaysFrom(today, 2).day), std::to_string(DaysFrom(today, 2).month),
                    "1975", "1", "1"}}));
    const std::string data = InstalledProgramFolder() + "\\data";
    Program reminder = StartProcess(data + "\\Reminder.exe", data + "\\");
    HWND window = reminder.WaitForWindow(ReminderWindowTitle);
    ASSERT_NE(window, nullptr) << reminder.Describe();
    EXPECT_EQ(DpiOf(window), Dpi());
    ExpectInsideAndApart(window);
    // The columns side by side within the list.
    const HWND list = Control(window, ReminderListId);
    const ListViewReader reader(list);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_LE(reader.HeaderItemRect(3).right, client.right);
    ASSERT_NO_FATAL_FAILURE(TakePicture(window, "reminder-window"));
    ASSERT_NO_FATAL_FAILURE(ExpectTextsFit(window, "fit-reminder"));
    ClickButton(window, ReminderCloseButtonId);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, ShortWait));
    QuitReminder(reminder);
}

// Windows tells a window that moved to a monitor of another scale with
// WM_DPICHANGED and a suggested rectangle; Wine has one scale for all
// monitors, so the message is sent here as Windows would send it.
TEST_F(DisplayScaling, TheMainWindowLaysItselfOutAgainOnADpiChange) {
    if (Dpi() != 96) GTEST_SKIP() << "moves a window from 96 DPI";
    ASSERT_NO_FATAL_FAILURE(Start(TwoEntryList()));
    const RECT rowBefore = ListViewReader(ListOfTab(main_, AllTab)).ItemRect(0);
    layoutDpi_ = 144;
    const RECT client = [&] {
        RECT rect{0, 0, Scaled(600), Scaled(500)};
        AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongA(main_, GWL_STYLE)), TRUE, 0);
        return rect;
    }();
    // Centred on the screen, as a monitor of that scale would place it.
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    const RECT suggested{left, top, left + width, top + height};
    RemoteMemory remote(main_, sizeof suggested);
    ASSERT_TRUE(remote.Write(0, &suggested, sizeof suggested));
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutA(main_, WM_DPICHANGED, MAKEWPARAM(144, 144),
                                    reinterpret_cast<LPARAM>(remote.At()), SMTO_ABORTIFHUNG, 10000,
                                    &ignored));

    ExpectPlaced(main_, MainWindowPlacements, layoutDpi_);
    HWND list = ListOfTab(main_, AllTab);
    ASSERT_NO_FATAL_FAILURE(ExpectListPlaced(AllTab));
    // The fonts grew with it: the texts still fit, and are no longer small.
    ASSERT_NO_FATAL_FAILURE(ExpectTextsFit(main_, "fit-moved"));
    const RECT row = ListViewReader(list).ItemRect(0);
    EXPECT_GE(row.bottom - row.top, rowBefore.bottom - rowBefore.top + 4)
        << "rows as high as the larger font";
    // Months never shown before the change are made at the new scale, and
    // their pages keep the order of the tabs, whatever order they came in.
    for (int tab : {7, 3})
        ASSERT_NO_FATAL_FAILURE(ExpectListPlaced(tab));
    std::vector<int> pageOrder;
    for (HWND page : ChildWindows(Control(main_, TabStripId))) {
        for (HWND control : ChildWindows(page))
            pageOrder.push_back(GetDlgCtrlID(control));
    }
    EXPECT_EQ(pageOrder, (std::vector<int>{ListViewIdOfTab(AllTab), ListViewIdOfTab(3), ListViewIdOfTab(7)}));
    ClickTab(Control(main_, TabStripId), AllTab);
    ASSERT_TRUE(WaitUntil([&] { return IsFullyDrawn(main_); }, Millis{5000}));
    ASSERT_NO_FATAL_FAILURE(TakePicture(main_, "main-window-moved"));
    PostCommand(main_, QuitCommand);
    ASSERT_TRUE(program_.WaitForExit().has_value()) << program_.Describe();
}

}  // namespace
}  // namespace quillora::e2e
