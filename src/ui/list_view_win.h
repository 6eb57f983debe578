#pragma once
// What the program's report lists share: their columns, laid out for the
// window's DPI, their rows and cells, and the colour of the rows whose
// birthday is today.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "ui/theme_win.h"

namespace quillora {

struct ListColumnLayout {
    const char* title;
    int width;  // at 96 DPI
};

// Adds the columns, left aligned, their widths scaled by the theme.
void AddListColumns(HWND list, std::span<const ListColumnLayout> columns, const Theme& theme);
// Sets the widths again, after the window moved to another DPI.
void ScaleListColumns(HWND list, std::span<const ListColumnLayout> columns, const Theme& theme);

// A row at the end of the list: the first text is the item's, the others
// its columns' in order; it carries `key` (lParam). Its position, or -1.
int AppendListRow(HWND list, std::span<const std::string> cells, LPARAM key = 0);
void SetListCell(HWND list, int row, int column, const std::string& text);
// The text of one cell, at most `limit` bytes of it (all of it by default).
std::string ListCellText(HWND list, int row, int column, std::size_t limit = std::string::npos);
// The number a row carries (lParam); nothing when there is no such row.
std::optional<LPARAM> ListRowKey(HWND list, int row);
void SetListRowKey(HWND list, int row, LPARAM key);

// Whether a row, given by its position and the number it carries (lParam),
// is a birthday today.
using IsTodayRow = std::function<bool(int row, LPARAM number)>;

// NM_CUSTOMDRAW of such a list: today's rows in the theme's colours (and
// font) for them, the others in the list's own.
LRESULT DrawTodayRows(NMLVCUSTOMDRAW& draw, const IsTodayRow& isToday, const Theme& theme);

}  // namespace quillora
