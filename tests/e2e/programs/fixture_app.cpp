// A tiny window with the kinds of controls Quillora's windows use (tab
// control, report list view, push button, edit field), for checking the
// driver's reading and input helpers on their own. Every notification it
// gets is written as a line of text into the static control EventLogId, which
// the driver reads back.
//
// Commands (posted as WM_COMMAND): ShowPlainBoxCommand shows a message box
// with no icon, ShowIconBoxCommand one with the stop icon.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "fixture_ids.h"

namespace {

using namespace quillora::e2e::fixture;

struct FixtureState {
    HWND window = nullptr;
    HWND log = nullptr;
    HWND edit = nullptr;
    HMENU popup = nullptr;
};

FixtureState* StateOf(HWND window) {
    return reinterpret_cast<FixtureState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Log(FixtureState& state, const std::string& event) {
    SetWindowTextA(state.log, event.c_str());
}

void CreateControls(FixtureState& state, HINSTANCE instance) {
    HWND window = state.window;
    auto child = [&](const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    child("BUTTON", "ADD ENTRY", BS_PUSHBUTTON, 10, 10, 100, 26, ButtonId);
    state.edit = child("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 120, 10, 150, 24, EditId);
    state.log = child("STATIC", "", SS_LEFT, 280, 10, 300, 24, EventLogId);

    HWND tabs = child(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 10, 50, 560, 330, TabId);
    const char* captions[] = {"ALL", "January", "February"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }

    HWND list = child(WC_LISTVIEWA, "", WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 20, 90,
                      540, 280, ListId);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    const char* titles[] = {"NAME", "DAY", "MONTH"};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(titles[c]);
        column.cx = 150;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    // The last name is longer than a first read buffer.
    const std::string longName(LongNameLength, 'x');
    const char* rows[][3] = {{"Anna", "14", "2"}, {"Ben", "3", "11"}, {longName.c_str(), "", "7"}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = r;
            item.iSubItem = c;
            item.pszText = const_cast<char*>(rows[r][c]);
            SendMessageA(list, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, static_cast<WPARAM>(r),
                         reinterpret_cast<LPARAM>(&item));
        }
    }

    state.popup = CreatePopupMenu();
    AppendMenuA(state.popup, MF_STRING, PopupCommand, "Popup entry");
}

LRESULT OnNotify(FixtureState& state, const NMHDR& header) {
    switch (header.code) {
        case TCN_SELCHANGE:
            Log(state, "tab " + std::to_string(SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
            break;
        case LVN_COLUMNCLICK:
            Log(state, "column " + std::to_string(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
            break;
        case NM_DBLCLK:
            if (header.idFrom == ListId) {
                Log(state, "double " + std::to_string(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem));
            }
            break;
        case NM_RCLICK:
            if (header.idFrom == ListId) {
                Log(state, "right " + std::to_string(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem));
                POINT at{};
                GetCursorPos(&at);
                TrackPopupMenu(state.popup, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, state.window,
                               nullptr);
            }
            break;
        default:
            break;
    }
    return 0;
}

void OnCommand(FixtureState& state, int id, int code) {
    if (id == ButtonId && code == BN_CLICKED) Log(state, "button");
    if (id == EditId && code == EN_CHANGE) {
        char text[256] = "";
        GetWindowTextA(state.edit, text, sizeof text);
        Log(state, std::string("edit ") + text);
    }
    if (id == PopupCommand) Log(state, "popup command");
    if (id == ShowPlainBoxCommand) MessageBoxA(state.window, "Plain text", "ERROR", MB_OK);
    if (id == ShowIconBoxCommand) MessageBoxA(state.window, "With icon", "ERROR", MB_OK | MB_ICONHAND);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<FixtureState*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        state->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    FixtureState* state = StateOf(window);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            CreateControls(*state, reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
            return 0;
        case WM_NOTIFY:
            return OnNotify(*state, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_COMMAND:
            OnCommand(*state, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DESTROY:
            DestroyMenu(state->popup);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "QuilloraE2EFixture";
    RegisterClassA(&windowClass);

    FixtureState state;
    RECT frame{0, 0, 580, 390};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, WindowTitle, WS_OVERLAPPEDWINDOW, 40, 40,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  instance, &state);
    if (window == nullptr) return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
