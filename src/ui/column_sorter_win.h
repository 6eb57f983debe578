#pragma once
// Sorting any registered list view by a click on a column header: ascending
// first, then alternating on the same column. Only the display is reordered.
#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "ui/column_compare.h"

namespace quillora {

class ColumnSorter {
public:
    static constexpr int MaxColumns = 256;

    enum class RegisterResult { Registered = 1, NoSuchControl = 2 };
    enum class SetKindResult { Stored = 1, NoSuchControl = 2, ColumnOutOfRange = 3, NotRegistered = 4 };

    ColumnSorter() = default;
    ColumnSorter(const ColumnSorter&) = delete;
    ColumnSorter& operator=(const ColumnSorter&) = delete;

    // A second registration keeps the column kinds and forgets the last sort.
    RegisterResult RegisterListView(HWND listView);
    SetKindResult SetColumnKind(HWND listView, int column, ColumnSortKind kind);

    // The window that hosts registered list views hands on what concerns
    // them. (Subclassing the hosts instead would make every message they get
    // a round trip to the Wine server.)
    // A header click (LVN_COLUMNCLICK): sorts a registered, non-empty list.
    void OnColumnClick(HWND listView, int column);
    // A refill puts the list back in table order; the remembered column and
    // direction stay for the next click.
    void OnRefilled(HWND listView);
    // Whether the list shows the order of a header click (none since the last
    // refill), so that a refresh of its figures can keep that order.
    [[nodiscard]] bool ShowsSortedOrder(HWND listView);
    // Sorts a refilled list again as its last header click did, in the same
    // direction; a list never sorted stays in its fill order.
    void SortAgain(HWND listView);
    // The top-level window's WM_WINDOWPOSCHANGING: after minimise or restore
    // the registered lists of that window are scrolled back to the start.
    void OnWindowPosChanging(HWND topWindow, const WINDOWPOS& position);

private:
    struct SortState {
        HWND listView = nullptr;
        HWND topWindow = nullptr;
        std::array<ColumnSortKind, MaxColumns> kinds{};
        int lastColumn = -1;  // none yet
        int nextDirection = +1;
        bool sortedOnScreen = false;
    };

    SortState* Find(HWND listView);

    std::vector<std::unique_ptr<SortState>> states_;
};

}  // namespace quillora
