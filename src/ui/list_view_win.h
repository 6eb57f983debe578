#pragma once
// What the program's report lists share: their columns, laid out for the
// window's DPI, and the colour of the rows whose birthday is today.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <span>

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

// Whether a row, given by its position and the number it carries (lParam),
// is a birthday today.
using IsTodayRow = std::function<bool(int row, LPARAM number)>;

// NM_CUSTOMDRAW of such a list: today's rows get the today colour behind
// their text, the others the list's own colours.
LRESULT DrawTodayRows(NMLVCUSTOMDRAW& draw, const IsTodayRow& isToday);

}  // namespace quillora
