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
    ~ColumnSorter();

    // Watches the list view's parent for header clicks and its top-level
    // window for minimise/restore. A second registration keeps the column
    // kinds and forgets the last sort.
    RegisterResult RegisterListView(HWND listView);
    SetKindResult SetColumnKind(HWND listView, int column, ColumnSortKind kind);

    // The sort a header click asks for; public so that it can be measured.
    void SortByColumn(HWND listView, int column);

private:
    struct SortState {
        HWND listView = nullptr;
        HWND topWindow = nullptr;
        std::array<ColumnSortKind, MaxColumns> kinds{};
        int lastColumn = -1;  // none yet
        int nextDirection = +1;
    };

    static LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR sorter);
    SortState* Find(HWND listView);
    void Watch(HWND window);
    void OnWatchedMessage(HWND window, UINT message, LPARAM lParam);
    void ResetScrolling(HWND topWindow);

    std::vector<std::unique_ptr<SortState>> states_;
    std::vector<HWND> watched_;
};

}  // namespace quillora
