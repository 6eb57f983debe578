#pragma once
// The system's ANSI code page, in which the list keeps its names and the
// program's paths are written, against Unicode.
#include <string>
#include <string_view>

namespace quillora {

// A name in the ANSI code page; `exact` is false when some character had no
// place in the code page and was replaced by the closest one it has.
struct AnsiText {
    std::string text;
    bool exact = true;
};

// The conversion between the ANSI code page and UTF-8. On Windows it is the
// system's; tests bring one of their own.
class CodePage {
public:
    virtual ~CodePage() = default;
    [[nodiscard]] virtual std::string ToUtf8(std::string_view ansi) const = 0;
    // Invalid UTF-8 sequences count as characters without a place.
    [[nodiscard]] virtual AnsiText FromUtf8(std::string_view utf8) const = 0;
};

[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

}  // namespace quillora
