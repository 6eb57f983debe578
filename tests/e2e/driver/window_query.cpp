// Finding and reading the windows of another process.
#include <algorithm>
#include <map>
#include <utility>

#include "driver.h"

namespace quillora::e2e {
namespace {

// Messages to another process must not hang the test when it is stuck.
constexpr UINT SendTimeoutMs = 5000;

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

struct TopLevelSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search.processId == 0 || owner == search.processId) && IsWindowVisible(window)) {
        search.found.push_back(window);
    }
    return TRUE;
}

struct ChildSearch {
    HWND parent;
    std::vector<HWND> found;
};

BOOL CALLBACK FindUnpainted(HWND window, LPARAM context) {
    if (!IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(context) = true;
    return FALSE;
}

BOOL CALLBACK CollectDirectChildren(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<ChildSearch*>(context);
    if (GetParent(window) == search.parent) search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> DirectChildren(HWND parent) {
    ChildSearch search{parent, {}};
    EnumChildWindows(parent, CollectDirectChildren, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsMessageBoxIcon(HWND child) {
    if (ClassNameOf(child) != "Static" || !IsWindowVisible(child)) return false;
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) != SS_ICON) return false;
    return SendWithTimeout(child, STM_GETICON, 0, 0) != 0;
}

}  // namespace

std::string ClassNameOf(HWND window) {
    char name[256] = "";
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string TextOf(HWND window) {
    const auto length = static_cast<std::size_t>(SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    const auto got = static_cast<std::size_t>(
        SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(got, length));
    return text;
}

std::string TitleOf(HWND window) {
    std::string title(static_cast<std::size_t>(std::max(0, GetWindowTextLengthA(window))) + 1, '\0');
    title.resize(
        static_cast<std::size_t>(GetWindowTextA(window, title.data(), static_cast<int>(title.size()))));
    return title;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    TopLevelSearch search{processId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevel(DWORD processId, std::string_view title, std::string_view className) {
    for (HWND window : TopLevelWindows(processId)) {
        if (!className.empty() && ClassNameOf(window) != className) continue;
        if (TitleOf(window) == title) return window;
    }
    return nullptr;
}

HWND FindWindowOfClass(DWORD processId, std::string_view className) {
    const std::string name(className);
    for (HWND window = FindWindowExA(nullptr, nullptr, name.c_str(), nullptr); window;
         window = FindWindowExA(nullptr, window, name.c_str(), nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

std::vector<HWND> NotificationAreaIcons() {
    std::vector<HWND> icons;
    HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    for (HWND icon = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr; icon;
         icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr)) {
        if (IsWindowVisible(icon)) icons.push_back(icon);
    }
    return icons;
}

HWND WaitForTopLevel(DWORD processId, std::string_view title, std::string_view className, Millis timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(processId, title, className)) != nullptr; }, timeout);
    return found;
}

HWND Control(HWND parent, int id) {
    return GetDlgItem(parent, id);
}

HWND FindDescendant(HWND parent, int id, std::string_view className) {
    struct Search {
        int id;
        std::string_view className;
        HWND found;
    } search{id, className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) != wanted->id || ClassNameOf(child) != wanted->className) return TRUE;
            wanted->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

POINT CloseBoxOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const LONG y = frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    LONG right = -1;
    for (LONG x = frame.right - 1; x > frame.left; --x) {
        const bool onBox = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
        if (onBox && right < 0) right = x;
        if (!onBox && right >= 0) return POINT{(x + 1 + right) / 2, y};
    }
    return POINT{right, y};
}

bool IsShown(HWND window) {
    return window != nullptr && IsWindowVisible(window) != 0;
}

bool IsFullyDrawn(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    bool unpainted = false;
    EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

bool IsEnabledWindow(HWND window) {
    return window != nullptr && IsWindowEnabled(window) != 0;
}

namespace {
BOOL CALLBACK CollectChild(HWND child, LPARAM found) {
    auto& children = *reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(found);
    if (GetParent(child) == children.first) children.second.push_back(child);
    return TRUE;
}
}  // namespace

std::vector<HWND> ChildWindows(HWND parent) {
    std::pair<HWND, std::vector<HWND>> children{parent, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children.second;
}

void SeeRealPixels() {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    // -4: DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (!setContext || !setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) SetProcessDPIAware();
}

int DpiOf(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpi) return static_cast<int>(getDpi(window));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

bool SaveWindowPicture(HWND window, const std::string& bmpPath) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        SelectObject(memory, previous);
        const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageBytes;
        std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
        bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
        bytes.append(static_cast<const char*>(bits), imageBytes);
        saved = WriteBytes(bmpPath, bytes);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

std::vector<COLORREF> ColoursShown(HWND window, RECT clientArea) {
    POINT origin{clientArea.left, clientArea.top};
    ClientToScreen(window, &origin);
    const int width = clientArea.right - clientArea.left;
    const int height = clientArea.bottom - clientArea.top;
    if (width <= 0 || height <= 0) return {};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    // Top-down 32-bit rows: blue in the lowest byte of each pixel.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::map<COLORREF, int> counts;
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, previous);
        const auto* pixels = static_cast<const DWORD*>(bits);
        for (int index = 0; index < width * height; ++index)
            ++counts[RGB((pixels[index] >> 16) & 0xFF, (pixels[index] >> 8) & 0xFF, pixels[index] & 0xFF)];
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::vector<std::pair<int, COLORREF>> byCount;
    for (const auto& [colour, count] : counts)
        byCount.emplace_back(count, colour);
    std::sort(byCount.rbegin(), byCount.rend());
    std::vector<COLORREF> colours;
    for (const auto& [count, colour] : byCount)
        colours.push_back(colour);
    return colours;
}

HWND FocusedControl(HWND window) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) return nullptr;
    return thread.hwndFocus;
}

void PostClose(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

bool SendEndSession(HWND window, LPARAM reason) {
    DWORD_PTR agreed = 0;
    if (!SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, reason, SMTO_BLOCK,
                             static_cast<UINT>(DefaultTimeout.count()), &agreed))
        return false;
    SendMessageTimeoutA(window, WM_ENDSESSION, agreed != 0, reason, SMTO_BLOCK,
                        static_cast<UINT>(DefaultTimeout.count()), nullptr);
    return agreed != 0;
}

void PostCommand(HWND window, int commandId) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(commandId), 0), 0);
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.title = TextOf(box);
    // The message text is the static control 0xFFFF of every message box.
    if (HWND text = GetDlgItem(box, 0xFFFF)) view.text = TextOf(text);
    for (HWND child : DirectChildren(box)) {
        if (IsMessageBoxIcon(child)) view.hasIcon = true;
        if (ClassNameOf(child) != "Button" || !IsWindowVisible(child)) continue;
        view.buttons.push_back(ButtonView{GetDlgCtrlID(child), TextOf(child)});
    }
    return view;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, Millis timeout) {
    return WaitForNextMessageBox(processId, nullptr, timeout);
}

std::optional<MessageBoxView> WaitForNextMessageBox(DWORD processId, HWND previous, Millis timeout) {
    HWND box = nullptr;
    const bool appeared = WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId)) {
                if (window != previous && ClassNameOf(window) == "#32770") {
                    box = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    if (!appeared) return std::nullopt;
    return ReadMessageBox(box);
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace quillora::e2e
