// The job floor of Quillora's start-up: exactly the work the program's start
// requires and nothing else, with no logic of its own. The common controls
// and COM; the Documents and application-data folders from the shell; a
// window of the main window's client size (600 x 500) and style, centred,
// with a menu bar of the program's three menus, a tab strip of thirteen tabs,
// three push buttons, the two Arial fonts of the child windows made and
// selected into a device context once, and one report list view of seven
// columns showing the rows of "one-list-rows.txt" in its working folder (the
// rows Quillora shows for its list file, as text), filled with drawing
// suspended; then shown, and the message loop. The same common-controls v6
// manifest and static runtime as Quillora.exe. It ends with exit code 0 when
// its window is closed.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/startup_profile.h"
#include "yardstick_window.h"

namespace {

constexpr const char* TabCaptions[] = {"ALL", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* DaysCaptions[] = {"0", "1", "2", "3", "4", "5", "10", "15", "20"};

HMENU MenuBar() {
    HMENU program = CreatePopupMenu();
    AppendMenuA(program, MF_STRING, 18, "Import...");
    AppendMenuA(program, MF_STRING, 19, "Export...");
    AppendMenuA(program, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(program, MF_STRING, 17, "Quit");
    HMENU days = CreatePopupMenu();
    UINT_PTR command = 5;
    for (const char* caption : DaysCaptions)
        AppendMenuA(days, MF_STRING, command++, caption);
    HMENU settings = CreatePopupMenu();
    AppendMenuA(settings, MF_STRING, 16, "Play music at remind");
    AppendMenuA(settings, MF_POPUP, reinterpret_cast<UINT_PTR>(days), "Days before remind");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, 14, "Information");
    AppendMenuA(help, MF_STRING, 15, "Donate");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(program), "Program");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), "Settings");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "?");
    return bar;
}

HFONT ArialFont(int points, bool underlined) {
    return CreateFontA(-MulDiv(points, 96, 72), 0, 0, 0, FW_BOLD, FALSE, underlined, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The marks of the profiling build, at the steps Quillora marks too.
    quillora::MarkStartupStep("entry");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    quillora::MarkStartupStep("controls");
    const HRESULT com = CoInitialize(nullptr);
    quillora::MarkStartupStep("com");
    char documents[MAX_PATH] = {};
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    const auto rows = yardstick::ReadRows("one-list-rows.txt");
    quillora::MarkStartupStep("files");

    HWND window =
        yardstick::CreateMainWindow(instance, "JobFloorWindow", "JOB FLOOR", yardstick::QuitOnDestroy);
    if (!window) return 1;
    yardstick::Child(window, "STATIC", "", SS_OWNERDRAW, WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT, 5, 5, 590,
                     435);
    const char* buttons[] = {"ADD ENTRY", "EDIT ENTRY", "DELETE ENTRY"};
    for (int button = 0; button < 3; ++button)
        yardstick::Child(window, "BUTTON", buttons[button], WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0,
                         15 + 225 * button, 445, 120, 30);
    HWND tabs = yardstick::Child(window, WC_TABCONTROLA, "", WS_TABSTOP | WS_GROUP | WS_CLIPCHILDREN,
                                 WS_EX_TRANSPARENT | WS_EX_CONTROLPARENT, 15, 15, 571, 415);
    TabCtrl_SetMinTabWidth(tabs, 16);
    for (int tab = 0; tab < 13; ++tab) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(TabCaptions[tab]);
        SendMessageA(tabs, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
    }
    RECT area{};
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    HWND list =
        yardstick::Child(tabs, WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                         WS_EX_CLIENTEDGE, area.left + 6, area.top + 10, 551, 370);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    yardstick::AddListColumns(list);
    quillora::MarkStartupStep("window");
    SetMenu(window, MenuBar());
    quillora::MarkStartupStep("menubar");
    HFONT title = ArialFont(15, true);
    HFONT caption = ArialFont(8, false);
    HDC dc = GetDC(window);
    HGDIOBJ before = SelectObject(dc, title);
    SelectObject(dc, caption);
    SelectObject(dc, before);
    ReleaseDC(window, dc);
    quillora::MarkStartupStep("fonts");

    yardstick::FillList(list, rows);
    quillora::MarkStartupStep("fill");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    quillora::MarkStartupStep("shown");
    quillora::WriteStartupProfile();
    yardstick::RunMessageLoop();
    DeleteObject(title);
    DeleteObject(caption);
    if (SUCCEEDED(com)) CoUninitialize();
    // A run that showed no rows, or found no folders, is no yardstick.
    return rows.empty() || !documents[0] || !appData[0] ? 2 : 0;
}
