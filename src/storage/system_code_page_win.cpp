#include "storage/system_code_page_win.h"

#include <windows.h>

namespace quillora {

std::wstring WideFrom(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

std::string NarrowTo(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::string SystemCodePage::ToUtf8(std::string_view ansi) const {
    return NarrowTo(CP_UTF8, WideFrom(CP_ACP, ansi));
}

AnsiText SystemCodePage::FromUtf8(std::string_view utf8) const {
    const std::wstring wide = WideFrom(CP_UTF8, utf8);
    AnsiText result{NarrowTo(CP_ACP, wide), IsValidUtf8(utf8)};
    // Best fit ("L" for "Ł") and the default character both change the text.
    if (WideFrom(CP_ACP, result.text) != wide) result.exact = false;
    return result;
}

}  // namespace quillora
