#pragma once
// The system's ANSI code page, for names and for paths.
#include <windows.h>

#include <string>
#include <string_view>

#include "storage/code_page.h"

namespace quillora {

// Text in a Windows code page (CP_ACP, CP_UTF8) as UTF-16 and back: the one
// place the program converts between the two.
std::wstring WideFrom(UINT codePage, std::string_view bytes);
std::string NarrowTo(UINT codePage, std::wstring_view wide);

// ANSI <-> UTF-8 through UTF-16 with the system's best fit; a name counts as
// exact only when it converts back to the same characters.
class SystemCodePage final : public CodePage {
public:
    [[nodiscard]] std::string ToUtf8(std::string_view ansi) const override;
    [[nodiscard]] AnsiText FromUtf8(std::string_view utf8) const override;
};

}  // namespace quillora
