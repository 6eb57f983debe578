#include "ui/column_sorter_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/list_view_win.h"

namespace quillora {
namespace {

// Windows adds this undocumented bit (SWP_STATECHANGED in its own headers)
// to the position change that minimising, maximising or restoring makes.
constexpr UINT StateChangedFlag = 0x8000u;
constexpr UINT StateChangeFlags = SWP_FRAMECHANGED | StateChangedFlag;

// Each row carries a number (its item data) by which the texts taken when a
// sort begins are found again. The program's lists carry the table row each
// row shows there, all different, and a sort only moves them, so they are
// kept; only rows whose numbers are not all different are numbered 0, 1,
// 2, ... first.
std::vector<LPARAM> EnsureRowKeys(HWND listView, int count) {
    std::vector<LPARAM> keys(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        keys[static_cast<std::size_t>(row)] = ListRowKey(listView, row).value_or(0);
    std::vector<LPARAM> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end()) return keys;
    for (int row = 0; row < count; ++row) {
        SetListRowKey(listView, row, row);
        keys[static_cast<std::size_t>(row)] = row;
    }
    return keys;
}

// The texts of one column, found by the rows' numbers.
std::unordered_map<LPARAM, std::string> ColumnByRowKey(HWND listView, const std::vector<LPARAM>& keys,
                                                       int column) {
    std::unordered_map<LPARAM, std::string> cells;
    for (std::size_t row = 0; row < keys.size(); ++row)
        cells[keys[row]] = ListCellText(listView, static_cast<int>(row), column, SortedCellPrefix);
    return cells;
}

struct SortContext {
    const std::unordered_map<LPARAM, std::string>* cells;
    ColumnSortKind kind;
    int direction;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    const auto text = [&](LPARAM key) -> std::string_view {
        const auto found = sort.cells->find(key);
        return found == sort.cells->end() ? std::string_view{} : std::string_view(found->second);
    };
    return CompareCells(sort.kind, text(first), text(second)) * sort.direction;
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
    state->sortedOnScreen = false;
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
    const auto cells = ColumnByRowKey(listView, EnsureRowKeys(listView, count), column);
    SortContext context{&cells, state->kinds[static_cast<std::size_t>(column)], direction};
    SendMessageA(listView, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context),
                 reinterpret_cast<LPARAM>(CompareRows));
    state->lastColumn = column;
    state->nextDirection = -direction;
    state->sortedOnScreen = true;
    InvalidateRect(listView, nullptr, TRUE);
}

void ColumnSorter::OnRefilled(HWND listView) {
    if (SortState* state = Find(listView)) state->sortedOnScreen = false;
}

bool ColumnSorter::ShowsSortedOrder(HWND listView) {
    const SortState* state = Find(listView);
    return state && state->sortedOnScreen;
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
