#pragma once
// The system's ANSI code page, for names and for paths.
#include "storage/code_page.h"

namespace quillora {

// ANSI <-> UTF-8 through UTF-16 with the system's best fit; a name counts as
// exact only when it converts back to the same characters.
class SystemCodePage final : public CodePage {
public:
    [[nodiscard]] std::string ToUtf8(std::string_view ansi) const override;
    [[nodiscard]] AnsiText FromUtf8(std::string_view utf8) const override;
};

}  // namespace quillora
