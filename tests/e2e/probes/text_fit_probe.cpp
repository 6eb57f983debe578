// A test-only DLL that measures, inside the program, the texts of its
// visible windows with each control's own font: static texts, button and
// box captions, edit contents and list column titles (see text_fit.h).
// The measuring runs on a thread of its own, once the loader has let go.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "text_fit.h"

namespace {

using quillora::test::TextFit;

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 2000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_BLOCK,
                        2000, &copied);
    text.resize(copied);
    return text;
}

void Add(TextFit& fit, HWND control, int id, const char* className, const std::string& text, int roomWidth,
         int roomHeight) {
    if (text.empty() || fit.count >= static_cast<int>(std::size(fit.items))) return;
    DWORD_PTR font = 0;
    SendMessageTimeoutA(control, WM_GETFONT, 0, 0, SMTO_BLOCK, 2000, &font);
    HDC dc = GetDC(control);
    const HGDIOBJ previous =
        SelectObject(dc, font ? reinterpret_cast<HFONT>(font) : GetStockObject(SYSTEM_FONT));
    TextFit::Item& item = fit.items[fit.count++];
    item.id = id;
    std::strncpy(item.className, className, sizeof item.className - 1);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        SIZE size{};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        if (size.cx >= item.textWidth) {
            item.textWidth = size.cx;
            std::strncpy(item.text, line.c_str(), sizeof item.text - 1);
        }
        item.textHeight += size.cy;
        start = end + 1;
    }
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    item.roomWidth = roomWidth;
    item.roomHeight = roomHeight;
}

BOOL CALLBACK MeasureControl(HWND control, LPARAM context) {
    auto& fit = *reinterpret_cast<TextFit*>(context);
    if (!IsWindowVisible(control)) return TRUE;
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    RECT client{};
    GetClientRect(control, &client);
    const int id = GetDlgCtrlID(control);
    if (lstrcmpiA(className, "Static") == 0 || lstrcmpiA(className, "Button") == 0 ||
        lstrcmpiA(className, "Edit") == 0) {
        Add(fit, control, id, className, TextOf(control), client.right, client.bottom);
    } else if (lstrcmpiA(className, WC_HEADERA) == 0) {
        const int count = Header_GetItemCount(control);
        for (int column = 0; column < count; ++column) {
            char title[64] = {};
            HDITEMA item{};
            item.mask = HDI_TEXT;
            item.pszText = title;
            item.cchTextMax = sizeof title;
            Header_GetItem(control, column, &item);
            RECT rect{};
            Header_GetItemRect(control, column, &rect);
            Add(fit, control, column, className, title, rect.right - rect.left, rect.bottom - rect.top);
        }
    }
    return TRUE;
}

BOOL CALLBACK MeasureWindow(HWND window, LPARAM context) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        EnumChildWindows(window, MeasureControl, context);
    return TRUE;
}

DWORD WINAPI Measure(void*) {
    const std::string name = quillora::test::TextFitMappingName(GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    if (!mapping) return 1;
    auto* fit = static_cast<TextFit*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(TextFit)));
    if (fit) {
        fit->count = 0;
        EnumWindows(MeasureWindow, reinterpret_cast<LPARAM>(fit));
        InterlockedExchange(&fit->done, 1);
        UnmapViewOfFile(fit);
    }
    CloseHandle(mapping);
    return 0;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    // Stays loaded: its thread runs after the loader is done.
    HANDLE thread = CreateThread(nullptr, 0, Measure, nullptr, 0, nullptr);
    if (!thread) return FALSE;
    CloseHandle(thread);
    return TRUE;
}
