// Times what the user waits for in the main window, inside the process under
// Wine: filling the "ALL" list with a full table and sorting it by each
// column, against a plain list view filled the cheapest way (drawing
// suspended). Prints medians and ratios; exits non-zero when a fill or a
// sort is slow enough to mean that drawing was left on (about 1.7 s per fill).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "calc/list_row.h"
#include "storage/birthday_table.h"
#include "storage/calendar.h"
#include "ui/column_sorter_win.h"
#include "ui/main_window_win.h"

namespace {

using namespace quillora;

struct NoEvents final : MainWindowEvents {
    void OnMenuEvent(int) override {}
    void OnControlEvent(int, ControlEventType) override {}
    void OnCloseEvent() override {}
    void OnKeyCommand(MainAction) override {}
    void OnNewDay() override {}
};

double Milliseconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void PumpMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

BirthdayTable TableOf(int count) {
    BirthdayTable table;
    for (int i = 0; i < count; ++i) {
        table.AppendLoaded(BirthdayEntry{"Person " + std::to_string((i * 37) % 101),
                                         std::to_string(1 + i % 28), std::to_string(1 + i % 12),
                                         std::to_string(1940 + (i * 7) % 80), i % 3 ? "1" : "0", "1"});
    }
    return table;
}

std::vector<ListRow> RowsOf(const BirthdayTable& table) {
    const CalendarDay today = Today();
    std::vector<ListRow> rows;
    for (const BirthdayEntry& entry : table.Rows())
        rows.push_back(BuildRow(entry, today));
    return rows;
}

// The cheapest fill of a bare report list view: the reference.
void FillPlainList(HWND list, const std::vector<ListRow>& rows) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<char*>(rows[row].cells[0].c_str());
        const int index =
            static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int column = 1; column < ListColumnCount; ++column) {
            LVITEMA cell{};
            cell.iSubItem = column;
            cell.pszText = const_cast<char*>(rows[row].cells[column].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    constexpr int Runs = 15;

    NoEvents events;
    ColumnSorter sorter;
    MainWindow window(events, sorter);
    if (!window.Create()) return 2;
    window.Show();
    // The window registers its lists with the sorter itself.
    HWND allList = window.ListView(AllTab);

    // The reference: a bare report list view of the same size, visible in a
    // plain window of its own.
    HWND plainTop = CreateWindowExA(0, "STATIC", "reference", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND plain = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 6,
                                 10, 551, 370, plainTop, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int column = 0; column < ListColumnCount; ++column) {
        LVCOLUMNA layout{};
        layout.mask = LVCF_WIDTH | LVCF_TEXT;
        layout.cx = column == 0 ? 177 : 60;
        layout.pszText = const_cast<char*>("C");
        SendMessageA(plain, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&layout));
    }
    PumpMessages();

    const BirthdayTable full = TableOf(TableCapacity);
    const BirthdayTable half = TableOf(TableCapacity / 2);
    std::vector<double> fillFull, fillHalf, fillPlain;
    for (int run = 0; run < Runs; ++run) {
        fillFull.push_back(Milliseconds([&] { window.FillList(AllTab, RowsOf(full)); }));
        PumpMessages();
        fillHalf.push_back(Milliseconds([&] { window.FillList(AllTab, RowsOf(half)); }));
        PumpMessages();
        const auto rows = RowsOf(full);
        fillPlain.push_back(Milliseconds([&] { FillPlainList(plain, rows); }));
        PumpMessages();
    }
    window.FillList(AllTab, RowsOf(full));
    PumpMessages();

    const double plainMedian = Median(fillPlain);
    const double fullMedian = Median(fillFull);
    std::printf("fill ALL, %d rows: %.2f ms (plain list view %.2f ms, ratio %.2f)\n", TableCapacity,
                fullMedian, plainMedian, fullMedian / plainMedian);
    std::printf("fill ALL, %d rows: %.2f ms (growth for twice the rows: %.2f)\n", TableCapacity / 2,
                Median(fillHalf), fullMedian / Median(fillHalf));
    double slowest = fullMedian;
    static const char* const Headers[] = {"NAME", "DAY", "MONTH", "YEAR", "AGE", "DAYS LEFT", "REMIND"};
    for (int column = 0; column < ListColumnCount; ++column) {
        std::vector<double> sorts;
        for (int run = 0; run < Runs; ++run) {
            sorts.push_back(Milliseconds([&] { sorter.OnColumnClick(allList, column); }));
            PumpMessages();
        }
        const double median = Median(sorts);
        slowest = std::max(slowest, median);
        std::printf("sort %d rows by %s: %.2f ms\n", TableCapacity, Headers[column], median);
    }
    window.Destroy();
    DestroyWindow(plainTop);
    constexpr double Limit = 150.0;  // far above the goal, far below a fill with drawing left on
    return slowest < Limit ? 0 : 1;
}
