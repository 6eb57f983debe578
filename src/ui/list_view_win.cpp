#include "ui/list_view_win.h"

#include <algorithm>

namespace quillora {

void AddListColumns(HWND list, std::span<const ListColumnLayout> columns, const Theme& theme) {
    for (std::size_t column = 0; column < columns.size(); ++column) {
        LVCOLUMNA layout{};
        layout.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        layout.fmt = LVCFMT_LEFT;
        layout.cx = theme.Scale(columns[column].width);
        layout.pszText = const_cast<char*>(columns[column].title);
        layout.iSubItem = static_cast<int>(column);
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&layout));
    }
}

int AppendListRow(HWND list, std::span<const std::string> cells, LPARAM key) {
    if (cells.empty()) return -1;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(cells[0].c_str());
    item.lParam = key;
    const auto row =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return -1;
    for (std::size_t column = 1; column < cells.size(); ++column)
        SetListCell(list, row, static_cast<int>(column), cells[column]);
    return row;
}

void SetListCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

std::string ListCellText(HWND list, int row, int column, std::size_t limit) {
    // The list view says how much it copied; a full buffer may mean more.
    std::size_t size = std::min<std::size_t>(limit, 255) + 1;
    for (;;) {
        std::string text(size, '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(size);
        const auto copied = static_cast<std::size_t>(
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < size || copied >= limit) {
            text.resize(std::min(copied, limit));
            return text;
        }
        size *= 2;
    }
}

std::optional<LPARAM> ListRowKey(HWND list, int row) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return std::nullopt;
    return item.lParam;
}

void SetListRowKey(HWND list, int row, LPARAM key) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = key;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ScaleListColumns(HWND list, std::span<const ListColumnLayout> columns, const Theme& theme) {
    for (std::size_t column = 0; column < columns.size(); ++column) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, theme.Scale(columns[column].width));
    }
}

LRESULT DrawTodayRows(NMLVCUSTOMDRAW& draw, const IsTodayRow& isToday, const Theme& theme) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    if (!isToday(static_cast<int>(draw.nmcd.dwItemSpec), draw.nmcd.lItemlParam)) return CDRF_DODEFAULT;
    const Palette& colours = theme.Colours();
    draw.clrText = ToColorRef(colours.todayRow.text);
    draw.clrTextBk = ToColorRef(colours.todayRow.background);
    if (colours.todayRowBold) SelectObject(draw.nmcd.hdc, theme.Font(FontRole::GuiBold));
    return CDRF_NEWFONT;
}

}  // namespace quillora
