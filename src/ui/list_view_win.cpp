#include "ui/list_view_win.h"

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

void ScaleListColumns(HWND list, std::span<const ListColumnLayout> columns, const Theme& theme) {
    for (std::size_t column = 0; column < columns.size(); ++column) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, theme.Scale(columns[column].width));
    }
}

LRESULT DrawTodayRows(NMLVCUSTOMDRAW& draw, const IsTodayRow& isToday) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    if (!isToday(static_cast<int>(draw.nmcd.dwItemSpec), draw.nmcd.lItemlParam)) return CDRF_DODEFAULT;
    draw.clrTextBk = Colour::Today;
    return CDRF_NEWFONT;
}

}  // namespace quillora
