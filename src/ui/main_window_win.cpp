#include "ui/main_window_win.h"

#include <commctrl.h>

#include <algorithm>

#include "calc/day_change.h"
#include "storage/number_text.h"
#include "ui/control_names.h"
#include "ui/list_view_win.h"

namespace quillora {
namespace {

constexpr char TabPageClass[] = "QuilloraTabPage";
constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

constexpr ListColumnLayout ListColumns[ListColumnCount] = {
    {"NAME", 177}, {"DAY", 60}, {"MONTH", 60}, {"YEAR", 60}, {"AGE", 60}, {"DAYS LEFT", 70}, {"REMIND", 60}};

constexpr int MinTabWidth = 16;

struct ButtonLayout {
    int id;
    const char* caption;
    int x;
};
constexpr ButtonLayout Buttons[] = {{AddEntryButtonId, "ADD ENTRY", 15},
                                    {EditEntryButtonId, "EDIT ENTRY", 240},
                                    {DeleteEntryButtonId, "DELETE ENTRY", 465}};

static_assert(Key::Tab == VK_TAB && Key::Enter == VK_RETURN && Key::Escape == VK_ESCAPE &&
              Key::PageUp == VK_PRIOR && Key::PageDown == VK_NEXT && Key::Left == VK_LEFT &&
              Key::Right == VK_RIGHT && Key::Delete == VK_DELETE && Key::ContextMenu == VK_APPS &&
              Key::F10 == VK_F10);

}  // namespace

bool MainWindow::Create() {
    RegisterWindowClassOnce(TabPageClass, PageProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    // The outer size comes from the client size without a menu bar; the menu
    // bar attached later takes its height from the client area.
    if (!CreateCentred(ClassName, "QUILLORA", MainWindowStyle, 0, ClientWidth, ClientHeight)) return false;
    TakeWindowDpi();
    CreateControls();
    newDay_.Arm(Window());
    return true;
}

void MainWindow::Show() {
    ShowWindow(Window(), SW_SHOWNORMAL);
    UpdateWindow(Window());
}

void MainWindow::CreateControls() {
    // The frame's inside is never painted (an owner-drawn static that draws
    // nothing), so the controls inside it show through.
    layout_.Create(Window(), FrameId, "STATIC", "", SS_OWNERDRAW, WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT,
                   {5, 5, 590, 435});
    for (const ButtonLayout& button : Buttons) {
        layout_.Create(Window(), button.id, "BUTTON", button.caption, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
                       0, {button.x, 445, 120, 30});
    }
    // A control parent, so that Tab and Shift+Tab reach the list on the
    // visible page too.
    tabStrip_ =
        layout_.Create(Window(), TabStripId, WC_TABCONTROLA, "", WS_TABSTOP | WS_GROUP | WS_CLIPCHILDREN,
                       WS_EX_TRANSPARENT | WS_EX_CONTROLPARENT, {15, 15, 571, 415});
    if (!tabStrip_) return;
    // Tabs as wide as their captions: with the default minimum tab width
    // thirteen tabs need more than the strip's width and scroll arrows appear.
    TabCtrl_SetMinTabWidth(tabStrip_, theme_.Scale(MinTabWidth));
    for (int tab = 0; tab < MonthTabCount; ++tab)
        AddTab(tab, std::string(MonthTabCaptions[static_cast<std::size_t>(tab)]).c_str());
    LayOutTabParts();
    ShowPage(SelectedTab());
}

void MainWindow::AddTab(int tab, const char* caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    SendMessageA(tabStrip_, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
}

// A month's page is made the first time its tab is shown: a user sees at most
// one of them, and thirteen list views at start-up cost more than the whole
// rest of the window. Made later, a page is made as it would have been at
// start-up: for the window's DPI of now, in its tab's place among the pages.
void MainWindow::EnsurePage(int tab) {
    if (tab < 0 || tab >= MonthTabCount || pages_[tab] || !tabStrip_) return;
    HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, TabPageClass, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                tabStrip_, nullptr, GetModuleHandleA(nullptr), nullptr);
    pages_[tab] = page;
    if (!page) return;
    PlacePage(tab);

    HWND list = layout_.Create(page, ListViewIdOfTab(tab), WC_LISTVIEWA, "",
                               WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE,
                               {6, 10, 551, 370});
    listViews_[tab] = list;
    if (!list) return;
    // The list sits on its page below the tab strip, with no label of its own.
    accessibleNames_.Name(list, ListViewName(tab));
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    AddListColumns(list, ListColumns, theme_);
    if (sorter_.RegisterListView(list) != ColumnSorter::RegisterResult::Registered) return;
    for (int column = 0; column < ListColumnCount; ++column)
        sorter_.SetColumnKind(list, column, KindOfListColumn(column));
}

void MainWindow::PlacePage(int tab) {
    // A page fills the tab strip's display area, under the row of tabs, and
    // keeps its tab's place in the order of the pages.
    RECT area{};
    GetClientRect(tabStrip_, &area);
    TabCtrl_AdjustRect(tabStrip_, FALSE, &area);
    HWND before = HWND_TOP;
    for (int earlier = tab - 1; earlier >= 0 && before == HWND_TOP; --earlier) {
        if (pages_[earlier]) before = pages_[earlier];
    }
    SetWindowPos(pages_[tab], before, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
}

void MainWindow::LayOutTabParts() {
    TabCtrl_SetMinTabWidth(tabStrip_, theme_.Scale(MinTabWidth));
    for (int tab = 0; tab < MonthTabCount; ++tab) {
        if (pages_[tab]) PlacePage(tab);
        if (listViews_[tab]) ScaleListColumns(listViews_[tab], ListColumns, theme_);
    }
}

int MainWindow::SelectedTab() const {
    const int selected = tabStrip_ ? TabCtrl_GetCurSel(tabStrip_) : -1;
    return selected < 0 ? AllTab : selected;
}

void MainWindow::SelectTab(int tab) {
    if (!tabStrip_) return;
    TabCtrl_SetCurSel(tabStrip_, tab);
    ShowPage(tab);
}

void MainWindow::ShowPage(int tab) {
    EnsurePage(tab);
    for (int other = 0; other < MonthTabCount; ++other) {
        if (!pages_[other] || other == tab) continue;
        ShowWindow(pages_[other], SW_HIDE);
        EnableWindow(pages_[other], FALSE);
    }
    if (tab >= 0 && tab < MonthTabCount && pages_[tab]) {
        EnableWindow(pages_[tab], TRUE);
        ShowWindow(pages_[tab], SW_SHOW);
    }
}

HWND MainWindow::ListView(int tab) const {
    return tab >= 0 && tab < MonthTabCount ? listViews_[tab] : nullptr;
}

void MainWindow::FillList(int tab, const std::vector<ListRow>& rows) {
    HWND list = ListView(tab);
    if (!list) return;
    // Appending row by row with drawing on costs a repaint per row, so
    // drawing is suspended for the fill. Switching it back on in a list that
    // can be seen repaints at once under Wine (more than the whole fill), so
    // the page is suspended too and the list is painted once, afterwards.
    HWND page = pages_[tab];
    const bool pageShown = page && IsWindowVisible(page);
    if (pageShown) SendMessageA(page, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    sorter_.OnRefilled(list);
    auto& today = todayRows_.at(static_cast<std::size_t>(tab));
    today.clear();
    for (const ListRow& row : rows) {
        if (!row.highlighted || row.tableIndex < 0) continue;
        if (static_cast<std::size_t>(row.tableIndex) >= today.size()) today.resize(row.tableIndex + 1u);
        today[static_cast<std::size_t>(row.tableIndex)] = true;
    }
    for (const ListRow& row : rows)
        AppendListRow(list, row.cells, static_cast<LPARAM>(row.tableIndex));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    if (pageShown) {
        SendMessageA(page, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(page, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

int MainWindow::RowCount(int tab) const {
    HWND list = ListView(tab);
    return list ? ListView_GetItemCount(list) : 0;
}

int MainWindow::SelectedRow(int tab) const {
    HWND list = ListView(tab);
    return list ? ListView_GetNextItem(list, -1, LVNI_SELECTED) : -1;
}

void MainWindow::SelectRow(int tab, int row) {
    HWND list = ListView(tab);
    if (!list) return;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row < 0) return;
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

int MainWindow::TableIndexOfRow(int tab, int row) const {
    HWND list = ListView(tab);
    if (!list) return -1;
    return static_cast<int>(ListRowKey(list, row).value_or(-1));
}

void MainWindow::SelectRowOfTableIndex(int tab, int index) {
    if (index < 0) return;
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = index;
    SelectRow(tab, static_cast<int>(SendMessageA(ListView(tab), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(&find))));
}

POINT MainWindow::PopupPoint() const {
    HWND list = VisibleListView();
    POINT point{0, 0};
    RECT row{};
    const int selected = SelectedRow(SelectedTab());
    RECT client{};
    GetClientRect(list, &client);
    if (selected >= 0 && ListView_GetItemRect(list, selected, &row, LVIR_BOUNDS) && row.bottom > 0 &&
        row.bottom <= client.bottom) {
        point = POINT{std::max(0L, row.left), row.bottom};
    }
    ClientToScreen(list, &point);
    return point;
}

MainFocus MainWindow::FocusOf(HWND control) const {
    if (!control) return MainFocus::Other;
    if (control == tabStrip_) return MainFocus::TabStrip;
    for (HWND list : listViews_) {
        if (control == list) return MainFocus::List;
    }
    if (GetParent(control) != Window()) return MainFocus::Other;
    switch (GetDlgCtrlID(control)) {
        case AddEntryButtonId:
            return MainFocus::AddButton;
        case EditEntryButtonId:
            return MainFocus::EditButton;
        case DeleteEntryButtonId:
            return MainFocus::DeleteButton;
        default:
            return MainFocus::Other;
    }
}

HWND MainWindow::FocusWindow(MainFocus focus) const {
    switch (focus) {
        case MainFocus::AddButton:
            return GetDlgItem(Window(), AddEntryButtonId);
        case MainFocus::EditButton:
            return GetDlgItem(Window(), EditEntryButtonId);
        case MainFocus::DeleteButton:
            return GetDlgItem(Window(), DeleteEntryButtonId);
        case MainFocus::TabStrip:
            return tabStrip_;
        case MainFocus::List:
            return VisibleListView();
        case MainFocus::Other:
            return nullptr;
    }
    return nullptr;
}

bool MainWindow::HandleKey(const MSG& message) {
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if ((!down && !up) || !Window() || !IsWindowEnabled(Window())) return false;
    if (message.hwnd != Window() && !IsChild(Window(), message.hwnd)) return false;
    const KeyStroke stroke{static_cast<int>(message.wParam), GetKeyState(VK_CONTROL) < 0,
                           GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0, FocusOf(message.hwnd)};
    const MainAction action = ActionForKey(stroke);
    if (action == MainAction::None) return false;
    // The release of the popup keys is kept from the default handling, which
    // would open a menu of its own from it.
    if (up) return action == MainAction::ShowPopupMenuAtSelection;
    events_.OnKeyCommand(action);
    return true;
}

void MainWindow::MoveFocus(bool backwards) {
    SetFocus(FocusWindow(NextFocus(FocusOf(GetFocus()), backwards)));
}

bool MainWindow::StepTab(MainAction step) {
    const bool fromList = FocusOf(GetFocus()) == MainFocus::List;
    const int tab = TabAfter(SelectedTab(), step);
    const bool changed = tab != SelectedTab();
    if (changed) SelectTab(tab);
    // The focus follows from a list to the list now shown.
    if (fromList) SetFocus(VisibleListView());
    return changed;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (newDay_.TakeNewDay(Window(), message, wParam)) {
        events_.OnNewDay();
        return message == WM_POWERBROADCAST ? TRUE : 0;
    }
    switch (message) {
        case WM_TIMER:
            if (wParam != ListFolderSettledTimerId) return DefaultHandling(message, wParam, lParam);
            events_.OnListFolderSettled();
            return 0;
        case WM_DPICHANGED:
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            return HandleThemeMessage(message, wParam, lParam);
        case WM_POWERBROADCAST:
            return TRUE;
        case WM_COMMAND:
            if (lParam == 0) {
                events_.OnMenuEvent(LOWORD(wParam));
            } else if (HIWORD(wParam) == BN_CLICKED) {
                events_.OnControlEvent(LOWORD(wParam), ControlEventType::Click);
            }
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
        case WM_CLOSE:
            events_.OnCloseEvent();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // nothing to ask: the list is saved as it stands
        case WM_ENDSESSION:
            if (wParam) events_.OnEndSession();
            return 0;
        case WM_WINDOWPOSCHANGING:
            sorter_.OnWindowPosChanging(Window(), *reinterpret_cast<const WINDOWPOS*>(lParam));
            return DefaultHandling(message, wParam, lParam);
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

LRESULT MainWindow::OnNotify(const NMHDR& header, LPARAM lParam) {
    const int id = static_cast<int>(header.idFrom);
    if (id == TabStripId && header.code == TCN_SELCHANGE) {
        ShowPage(SelectedTab());
        events_.OnControlEvent(TabStripId, ControlEventType::Click);
        return 0;
    }
    if (id < FirstListViewId || id > LastListViewId) return 0;
    switch (header.code) {
        case NM_CLICK:
            events_.OnControlEvent(id, ControlEventType::Click);
            return 0;
        case NM_RCLICK:
            events_.OnControlEvent(id, ControlEventType::RightClick);
            return 0;
        case NM_DBLCLK:
            events_.OnControlEvent(id, ControlEventType::DoubleClick);
            return 0;
        case LVN_COLUMNCLICK:
            sorter_.OnColumnClick(header.hwndFrom, reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
            return 0;
        case NM_CUSTOMDRAW:
            return OnListCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        default:
            return 0;
    }
}

LRESULT MainWindow::OnListCustomDraw(NMLVCUSTOMDRAW& draw) {
    // Each row carries its table row, so the colour stays with the row
    // through sorting.
    const auto& today = todayRows_.at(static_cast<std::size_t>(draw.nmcd.hdr.idFrom - FirstListViewId));
    return DrawTodayRows(
        draw,
        [&](int, LPARAM tableIndex) {
            return tableIndex >= 0 && static_cast<std::size_t>(tableIndex) < today.size() &&
                   today[static_cast<std::size_t>(tableIndex)];
        },
        theme_);
}

LRESULT CALLBACK MainWindow::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    // A page only carries its list view; what the list reports belongs to
    // the main window.
    if (message == WM_NOTIFY || message == WM_COMMAND) {
        return SendMessageA(GetAncestor(page, GA_ROOT), message, wParam, lParam);
    }
    return DefWindowProcA(page, message, wParam, lParam);
}

}  // namespace quillora
