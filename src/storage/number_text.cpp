#include "storage/number_text.h"

#include <cstddef>

namespace quillora {

namespace {

// The value of one digit character in any base up to 16, or -1.
int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::int64_t NumberFromText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }

    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos < text.size() && text[pos] == '%') {
        base = 2;
        ++pos;
    }

    // Unsigned arithmetic wraps by definition, so a file holding a huge number
    // can never make the reading itself misbehave.
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos]);
        if (digit < 0 || digit >= base) break;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
    if (negative) value = 0 - value;
    return static_cast<std::int64_t>(value);
}

std::string NumberToText(std::int64_t value) {
    return std::to_string(value);
}

std::int32_t Low32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

}  // namespace quillora
