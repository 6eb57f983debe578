#include "ui/column_sorter_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace quillora {
namespace {

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

// Each row carries a number that indexes the texts taken when a sort
// begins. The fill numbers the rows 0, 1, 2, ... and a sort only moves them,
// so the numbers are renewed only when they are not such a permutation.
void EnsureRowNumbers(HWND listView, int count) {
    std::vector<bool> seen(static_cast<std::size_t>(count), false);
    bool valid = true;
    for (int row = 0; row < count && valid; ++row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(listView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        valid = item.lParam >= 0 && item.lParam < count && !seen[static_cast<std::size_t>(item.lParam)];
        if (valid) seen[static_cast<std::size_t>(item.lParam)] = true;
    }
    if (valid) return;
    for (int row = 0; row < count; ++row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = row;
        SendMessageA(listView, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// The texts of one column, indexed by row number.
std::vector<std::string> ColumnByRowNumber(HWND listView, int count, int column) {
    std::vector<std::string> cells(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(listView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        cells[static_cast<std::size_t>(item.lParam)] = CellText(listView, row, column);
    }
    return cells;
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

void ColumnSorter::OnColumnClick(HWND listView, int column) {
    SortState* state = Find(listView);
    if (!state || column < 0 || column >= MaxColumns) return;
    const int count = ListView_GetItemCount(listView);
    if (count <= 0) return;
    if (state->lastColumn != column) state->nextDirection = +1;
    const int direction = state->nextDirection;

    // No WM_SETREDRAW around the sort: LVM_SORTITEMS moves no row on screen
    // and invalidates the list once, so it repaints once anyway, while
    // switching drawing back on costs tens of milliseconds under Wine.
    EnsureRowNumbers(listView, count);
    const std::vector<std::string> cells = ColumnByRowNumber(listView, count, column);
    SortContext context{&cells, state->kinds[static_cast<std::size_t>(column)], direction};
    SendMessageA(listView, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
                 reinterpret_cast<LPARAM>(CompareRows));
    state->lastColumn = column;
    state->nextDirection = -direction;
    InvalidateRect(listView, nullptr, TRUE);
}

void ColumnSorter::SortAgain(HWND listView) {
    SortState* state = Find(listView);
    if (!state || state->lastColumn < 0 || ListView_GetItemCount(listView) <= 0) return;
    // The click sorts in the direction stored for the next click and turns
    // it; that direction is turned back first so the order stays as it was.
    state->nextDirection = -state->nextDirection;
    OnColumnClick(listView, state->lastColumn);
}

void ColumnSorter::OnWindowPosChanging(HWND topWindow, const WINDOWPOS& position) {
    if (position.flags != StateChangeFlags) return;
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
