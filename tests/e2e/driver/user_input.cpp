// Real mouse and keyboard input through the system's input queue, aimed at
// the controls of another process.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "driver.h"

namespace quillora::e2e {
namespace {

constexpr Millis ForegroundTimeout{3000};

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

// A mouse event at a point of the screen: normalised so that Wine's mapping
// back (times the screen's size over 65536, rounded down) gives the pixel.
INPUT MouseInputAt(DWORD flags, POINT screen) {
    const auto normalised = [](LONG pixel, int size) {
        return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + size - 1) / size);
    };
    return MouseInput(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                      normalised(screen.x, GetSystemMetrics(SM_CXSCREEN)),
                      normalised(screen.y, GetSystemMetrics(SM_CYSCREEN)));
}

INPUT KeyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT UnicodeInput(wchar_t character, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(character);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void Send(std::vector<INPUT>& inputs) {
    if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Strokes(std::vector<INPUT>& inputs, WORD virtualKey, std::initializer_list<WORD> modifiers) {
    for (WORD modifier : modifiers)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        inputs.push_back(KeyInput(*it, true));
}

}  // namespace

bool BringToFront(HWND window) {
    HWND topLevel = GetAncestor(window, GA_ROOT);
    if (GetForegroundWindow() == topLevel) return true;
    SetForegroundWindow(topLevel);
    return WaitUntil([&] { return GetForegroundWindow() == topLevel; }, ForegroundTimeout);
}

POINT ToScreen(HWND window, POINT clientPoint) {
    ClientToScreen(window, &clientPoint);
    return clientPoint;
}

POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickAt(POINT screen, MouseButton button, int clicks) {
    // The cursor first moves to the spot, as a user's mouse does: a cursor
    // left there by an earlier click would make no move, and a window that
    // came under it since would see no entry.
    const auto moveTo = [](POINT point) {
        SetCursorPos(point.x, point.y);
        WaitUntil(
            [&] {
                POINT now{};
                return GetCursorPos(&now) && now.x == point.x && now.y == point.y;
            },
            Millis{2000});
    };
    POINT now{};
    if (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) moveTo({screen.x + 1, screen.y + 1});
    moveTo(screen);
    // Each press and release carries the spot itself. Wine turns the X
    // server's pointer events into mouse moves in the process whose window
    // is under the pointer, whenever that process next looks at its events:
    // a window mapped a moment ago still reports where the pointer was then
    // (where the previous click was) and puts the cursor back there, after
    // it reached the spot above. A press sent without a position went there.
    const DWORD down = button == MouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    const DWORD up = button == MouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    std::vector<INPUT> inputs;
    for (int i = 0; i < clicks; ++i) {
        inputs.push_back(MouseInputAt(down, screen));
        inputs.push_back(MouseInputAt(up, screen));
    }
    Send(inputs);
}

bool WaitUntilTakesInput(HWND window, Millis timeout) {
    HWND topLevel = GetAncestor(window, GA_ROOT);
    const DWORD thread = GetWindowThreadProcessId(topLevel, nullptr);
    // A popup menu takes its clicks inside its own menu loop.
    const bool menu = ClassNameOf(topLevel) == "#32768";
    std::string missing;
    const auto takesInput = [&] {
        GUITHREADINFO state{};
        state.cbSize = sizeof state;
        if (!IsWindow(window)) {
            missing = "it is gone";
        } else if (!IsShown(window) || !IsShown(topLevel)) {
            missing = "it is hidden";
        } else if (!IsWindowEnabled(window) || !IsWindowEnabled(topLevel)) {
            missing = "it is disabled";
        } else if (!menu && GetForegroundWindow() != topLevel) {
            missing = "another window is in the foreground";
        } else if (!GetGUIThreadInfo(thread, &state)) {
            missing = "its thread tells nothing";
        } else if (!menu && state.hwndActive != topLevel) {
            missing = "its thread has not activated it";
        } else if (!menu && (state.hwndCapture != nullptr ||
                             (state.flags & (GUI_INMENUMODE | GUI_INMOVESIZE | GUI_POPUPMENUMODE)) != 0)) {
            missing = "its thread holds the mouse or runs a menu";
        } else {
            return true;
        }
        return false;
    };
    if (!menu && GetForegroundWindow() != topLevel) SetForegroundWindow(topLevel);
    bool ready = WaitUntil(takesInput, timeout);
    if (ready) {
        // Everything the thread was sent before now is handled, so the input
        // that follows meets the window as the checks above saw it.
        DWORD_PTR ignored = 0;
        ready = SendMessageTimeoutA(topLevel, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                                    &ignored) != 0 &&
                takesInput();
        if (!ready && missing.empty()) missing = "its thread did not answer";
    }
    if (!ready) {
        std::fprintf(stderr, "[driver] window \"%s\" (%s) takes no input: %s\n", TitleOf(topLevel).c_str(),
                     ClassNameOf(window).c_str(), missing.c_str());
    }
    return ready;
}

void ClickIn(HWND window, POINT clientPoint, MouseButton button, int clicks) {
    WaitUntilTakesInput(window);
    ClickAt(ToScreen(window, clientPoint), button, clicks);
}

void TypeText(std::string_view text) {
    std::vector<INPUT> inputs;
    for (char character : text) {
        const SHORT key = VkKeyScanA(character);
        if (key == -1) {
            // No key of the layout makes it: type the character itself.
            inputs.push_back(UnicodeInput(static_cast<unsigned char>(character), false));
            inputs.push_back(UnicodeInput(static_cast<unsigned char>(character), true));
            continue;
        }
        const auto virtualKey = static_cast<WORD>(LOBYTE(key));
        const BYTE shiftState = HIBYTE(key);
        if (shiftState & 1) {
            Strokes(inputs, virtualKey, {VK_SHIFT});
        } else {
            Strokes(inputs, virtualKey, {});
        }
    }
    Send(inputs);
}

void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    Strokes(inputs, virtualKey, modifiers);
    Send(inputs);
}

void ClickTab(HWND tabControl, int tab) {
    ClickIn(tabControl, CentreOf(TabReader(tabControl).ItemRect(tab)));
    // A program may make a tab's page only when the tab is first shown: the
    // click is done once the strip shows the tab and its thread has handled
    // everything sent before now. A disabled window takes no click at all.
    if (!IsWindowEnabled(GetAncestor(tabControl, GA_ROOT))) return;
    WaitUntil([&] { return TabReader(tabControl).Selected() == tab; }, ShortWait);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(tabControl, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void ClickHeader(HWND listView, int column) {
    const ListViewReader list(listView);
    ClickIn(list.Header(), CentreOf(list.HeaderItemRect(column)));
}

void ClickItem(HWND listView, int item, MouseButton button, int clicks) {
    // The first column's text, where a click always hits the row and never
    // a check box in front of it.
    const RECT rect = ListViewReader(listView).ItemRect(item, LVIR_LABEL);
    ClickIn(listView, POINT{rect.left + 8, (rect.top + rect.bottom) / 2}, button, clicks);
}

void RightClickList(HWND listView, int item) {
    if (item >= 0) {
        ClickItem(listView, item, MouseButton::Right);
        return;
    }
    // Below the last row (or the header when the list is empty), in the
    // free area of the list.
    const ListViewReader list(listView);
    const int count = list.ItemCount();
    RECT client{};
    GetClientRect(listView, &client);
    LONG top = 0;
    if (count > 0) {
        top = list.ItemRect(count - 1).bottom;
    } else if (HWND header = list.Header()) {
        top = RectInParent(header).bottom;
    }
    const LONG y = std::min(client.bottom - 4, top + 10);
    ClickIn(listView, POINT{client.left + 20, y}, MouseButton::Right);
}

void ClickCentre(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    ClickIn(control, CentreOf(client));
}

void ClickButton(HWND parent, int id) {
    ClickCentre(GetDlgItem(parent, id));
}

COLORREF ScreenPixel(HWND window, POINT clientPoint) {
    const POINT screen = ToScreen(window, clientPoint);
    HDC dc = GetDC(nullptr);
    const COLORREF colour = GetPixel(dc, screen.x, screen.y);
    ReleaseDC(nullptr, dc);
    return colour;
}

HWND WaitForPopupMenu(DWORD processId, Millis timeout) {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId)) {
                if (ClassNameOf(window) == "#32768") {
                    menu = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return menu;
}

namespace {

// The file-name field of a common file dialog: an edit (edt1) or the edit
// inside a combo box (cmb13), depending on the dialog's template.
HWND FileNameField(HWND dialog) {
    if (!dialog) return nullptr;
    if (HWND field = FindDescendant(dialog, 0x480, "Edit")) return field;
    HWND combo = FindDescendant(dialog, 0x47C, "ComboBox");
    return combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
}

}  // namespace

HWND EnterInFileDialog(DWORD processId, std::string_view title, const std::string& path, Millis timeout) {
    HWND dialog = WaitForTopLevel(processId, title, "#32770", timeout);
    HWND field = FileNameField(dialog);
    if (!field) return nullptr;
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    RECT client{};
    GetClientRect(field, &client);
    ClickIn(field, CentreOf(client));
    if (!WaitUntil([&] { return FocusedControl(field) == field; }, ShortWait)) return nullptr;
    TypeText(path);
    const bool typed = WaitUntil([&] { return TextOf(field) == path; }, ShortWait);
    if (!typed) return nullptr;
    PressKey(VK_RETURN);
    return dialog;
}

bool ChooseInFileDialog(DWORD processId, std::string_view title, const std::string& path, Millis timeout) {
    HWND dialog = EnterInFileDialog(processId, title, path, timeout);
    return dialog && WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeout);
}

bool ChooseInFileDialog(DWORD processId, std::string_view title, const std::wstring& path, Millis timeout) {
    HWND dialog = WaitForTopLevel(processId, title, "#32770", timeout);
    HWND field = FileNameField(dialog);
    if (!field) return false;
    const auto shows = [&] {
        std::wstring text(path.size() + 2, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text == path;
    };
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    if (!WaitUntil(shows, Millis{5000})) return false;
    PressDialogButton(dialog, IDOK);
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeout);
}

}  // namespace quillora::e2e
