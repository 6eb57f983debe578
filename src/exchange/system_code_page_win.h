#pragma once
// The system's side of birthday exchange: its ANSI code page and the order
// of its short dates.
#include "exchange/exchange.h"

namespace quillora {

// ANSI <-> UTF-8 through UTF-16 with the system's best fit; a name counts as
// exact only when it converts back to the same characters.
class SystemCodePage final : public CodePage {
public:
    [[nodiscard]] std::string ToUtf8(std::string_view ansi) const override;
    [[nodiscard]] AnsiText FromUtf8(std::string_view utf8) const override;
};

// The user's short-date order (LOCALE_IDATE).
ShortDateOrder SystemShortDateOrder();

}  // namespace quillora
