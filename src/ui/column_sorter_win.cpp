#include "ui/column_sorter_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace quillora {
namespace {

constexpr UINT_PTR WatchId = 0x51u;
constexpr UINT StateChangeFlags = SWP_FRAMECHANGED | 0x8000u;  // 0x8000: the window's state changed

std::string CellText(HWND listView, int row, int column) {
    std::string text(SortedCellPrefix + 1, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto copied = static_cast<std::size_t>(
        SendMessageA(listView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    text.resize(std::min(copied, SortedCellPrefix));
    return text;
}

void NumberRows(HWND listView) {
    const int count = ListView_GetItemCount(listView);
    for (int row = 0; row < count; ++row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = row;
        SendMessageA(listView, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

struct SortContext {
    const std::vector<std::string>* cells;
    ColumnSortKind kind;
    int direction;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    const auto& cells = *sort.cells;
    return CompareCells(sort.kind, cells[static_cast<std::size_t>(first)],
                        cells[static_cast<std::size_t>(second)]) *
           sort.direction;
}

}  // namespace

ColumnSorter::~ColumnSorter() {
    for (HWND window : watched_) {
        if (IsWindow(window)) RemoveWindowSubclass(window, WatchProc, WatchId);
    }
}

ColumnSorter::SortState* ColumnSorter::Find(HWND listView) {
    for (auto& state : states_) {
        if (state->listView == listView) return state.get();
    }
    return nullptr;
}

ColumnSorter::RegisterResult ColumnSorter::RegisterListView(HWND listView) {
    if (!listView || !IsWindow(listView)) return RegisterResult::NoSuchControl;
    SortState* state = Find(listView);
    if (!state) {
        states_.push_back(std::make_unique<SortState>());
        state = states_.back().get();
        state->listView = listView;
    }
    state->topWindow = GetAncestor(listView, GA_ROOT);
    state->lastColumn = -1;
    state->nextDirection = +1;
    for (HWND window = GetParent(listView); window; window = GetParent(window)) {
        Watch(window);
        if (window == state->topWindow) break;
    }
    return RegisterResult::Registered;
}

ColumnSorter::SetKindResult ColumnSorter::SetColumnKind(HWND listView, int column, ColumnSortKind kind) {
    if (!listView || !IsWindow(listView)) return SetKindResult::NoSuchControl;
    if (column < 0 || column >= MaxColumns) return SetKindResult::ColumnOutOfRange;
    SortState* state = Find(listView);
    if (!state) return SetKindResult::NotRegistered;
    state->kinds[static_cast<std::size_t>(column)] = kind;
    return SetKindResult::Stored;
}

void ColumnSorter::Watch(HWND window) {
    if (std::find(watched_.begin(), watched_.end(), window) != watched_.end()) return;
    if (SetWindowSubclass(window, WatchProc, WatchId, reinterpret_cast<DWORD_PTR>(this)))
        watched_.push_back(window);
}

LRESULT CALLBACK ColumnSorter::WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR sorter) {
    // The window's own handling comes first; the sorter only looks on.
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    reinterpret_cast<ColumnSorter*>(sorter)->OnWatchedMessage(window, message, lParam);
    return result;
}

void ColumnSorter::OnWatchedMessage(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        // Only at the list view's own parent: the notification may be passed
        // on to windows further up.
        if (header.code != LVN_COLUMNCLICK || GetParent(header.hwndFrom) != window) return;
        SortByColumn(header.hwndFrom, reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
    } else if (message == WM_WINDOWPOSCHANGING) {
        const auto& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
        if (position.flags == StateChangeFlags) ResetScrolling(window);
    }
}

void ColumnSorter::SortByColumn(HWND listView, int column) {
    SortState* state = Find(listView);
    if (!state || column < 0 || column >= MaxColumns) return;
    const int count = ListView_GetItemCount(listView);
    if (count <= 0) return;
    if (state->lastColumn != column) state->nextDirection = +1;

    SendMessageA(listView, WM_SETREDRAW, FALSE, 0);
    const int direction = state->nextDirection;
    // Rows carry their positions, which index the texts as they were when
    // the sort began.
    NumberRows(listView);
    std::vector<std::string> cells;
    cells.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        cells.push_back(CellText(listView, row, column));
    SortContext context{&cells, state->kinds[static_cast<std::size_t>(column)], direction};
    SendMessageA(listView, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
                 reinterpret_cast<LPARAM>(CompareRows));
    NumberRows(listView);
    state->lastColumn = column;
    state->nextDirection = -direction;
    SendMessageA(listView, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listView, nullptr, TRUE);
}

void ColumnSorter::ResetScrolling(HWND topWindow) {
    for (auto& state : states_) {
        if (state->topWindow != topWindow || !IsWindow(state->listView)) continue;
        const int horizontal = GetScrollPos(state->listView, SB_HORZ);
        const int vertical = GetScrollPos(state->listView, SB_VERT);
        if (horizontal == 0 && vertical == 0) continue;
        ShowWindow(state->listView, SW_HIDE);
        RECT item{};
        ListView_GetItemRect(state->listView, 0, &item, LVIR_BOUNDS);
        const int rowHeight = std::max<int>(1, item.bottom - item.top);
        ListView_Scroll(state->listView, -horizontal, -vertical * rowHeight);
        SetScrollPos(state->listView, SB_HORZ, 0, FALSE);
        SetScrollPos(state->listView, SB_VERT, 0, FALSE);
        ShowWindow(state->listView, SW_SHOW);
    }
}

}  // namespace quillora
