#pragma once
// The main window: a frame, the three command buttons and the tab strip with
// one list view per tab. It turns Windows messages into the program's
// events and offers the list operations the rest of the program needs; it
// holds no rule of its own.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "calc/list_row.h"
#include "ui/accessible_names_win.h"
#include "ui/column_sorter_win.h"
#include "ui/commands.h"
#include "ui/ids.h"
#include "ui/new_day_win.h"
#include "ui/theme_win.h"
#include "ui/themed_window_win.h"

namespace quillora {

class MainWindowEvents {
public:
    virtual void OnMenuEvent(int commandId) = 0;
    virtual void OnControlEvent(int controlId, ControlEventType type) = 0;
    virtual void OnCloseEvent() = 0;
    // The Windows session ends (log-off, shutdown, or an installer closing
    // the program); the process may be ended as soon as this returns.
    virtual void OnEndSession() {}
    // A key that stands for a command (Delete, Enter, Ctrl+N, Shift+F10, ...).
    virtual void OnKeyCommand(MainAction action) = 0;
    // The local date may have changed: midnight passed, the clock or the time
    // zone was changed, or the computer woke up.
    virtual void OnNewDay() = 0;
    // Files in the list's folder were changed, and the folder has been
    // quiet for a moment since.
    virtual void OnListFolderSettled() {}

protected:
    ~MainWindowEvents() = default;
};

class MainWindow : public ThemedWindow<MainWindow> {
public:
    static constexpr int ClientWidth = 600;
    static constexpr int ClientHeight = 500;
    static constexpr char ClassName[] = "QuilloraMainWindow";

    MainWindow(MainWindowEvents& events, ColumnSorter& sorter) : events_(events), sorter_(sorter) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() = default;

    // Creates the window and its controls, not yet shown; false when the
    // window itself could not be made.
    [[nodiscard]] bool Create();
    void Show();

    [[nodiscard]] int SelectedTab() const;
    // Makes tab `tab` the selected one and shows its page; raises no event.
    void SelectTab(int tab);
    // The tab's list view; null until its tab was first shown.
    [[nodiscard]] HWND ListView(int tab) const;
    [[nodiscard]] HWND VisibleListView() const { return ListView(SelectedTab()); }

    // Replaces every row of the tab's list, with drawing suspended meanwhile.
    void FillList(int tab, const std::vector<ListRow>& rows);
    [[nodiscard]] int RowCount(int tab) const;
    [[nodiscard]] int SelectedRow(int tab) const;  // -1 when none
    void SelectRow(int tab, int row);              // row -1 selects nothing
    // The table row that list row `row` shows (kept through sorting); -1
    // when there is no such row.
    [[nodiscard]] int TableIndexOfRow(int tab, int row) const;
    // Selects the row that shows table row `index` (none when -1), so that
    // a refill can keep the selection.
    void SelectRowOfTableIndex(int tab, int index);
    // Where a popup menu opened from the keyboard appears, in screen
    // coordinates: under the selected row, or at the list's top-left corner.
    [[nodiscard]] POINT PopupPoint() const;

    // A key message of this window's thread, seen before it is translated;
    // true when it stands for an action (handed on as a key command).
    bool HandleKey(const MSG& message);
    // Tab and Shift+Tab: the next control in the program's own order.
    void MoveFocus(bool backwards);
    // Ctrl+Tab and the like: selects the tab that `step` leads to, as a click
    // would (the caller refills it); false when the tab stays.
    bool StepTab(MainAction step);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The main window's statics (none of its own) keep the system's look.
    [[nodiscard]] static StaticLook LookOfStatic(int) { return StaticLook::Plain; }
    void OnDpiChanged() { LayOutTabParts(); }

private:
    friend class WindowBase<MainWindow>;
    static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void AddTab(int tab, const char* caption);
    // Makes the tab's page with its list view (columns, sorting) unless it
    // exists already.
    void EnsurePage(int tab);
    void PlacePage(int tab);
    // The parts that follow the tab strip rather than a fixed place: the
    // pages in its display area, the tab and column widths.
    void LayOutTabParts();
    // Shows the tab's page, made now if it is shown for the first time, and
    // hides the others.
    void ShowPage(int tab);
    LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
    LRESULT OnListCustomDraw(NMLVCUSTOMDRAW& draw);
    [[nodiscard]] MainFocus FocusOf(HWND control) const;
    [[nodiscard]] HWND FocusWindow(MainFocus focus) const;

    MainWindowEvents& events_;
    NewDayTimer newDay_{NewDayTimerId};
    ColumnSorter& sorter_;  // sorts the lists on header clicks
    HWND tabStrip_ = nullptr;
    std::array<HWND, MonthTabCount> pages_{};  // null until first shown
    std::array<HWND, MonthTabCount> listViews_{};
    AccessibleNames accessibleNames_;
    // Per tab, which table rows of its last fill are birthdays today.
    std::array<std::vector<bool>, MonthTabCount> todayRows_{};
};

}  // namespace quillora
