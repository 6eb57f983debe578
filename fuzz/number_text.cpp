// Reading numbers against a small model of the rule (blanks, one sign, "$"
// hex or "%" binary or decimal digits, modulo 2^64), and writing any 64-bit
// value as text that reads back as the same value.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "storage/number_text.h"

namespace {

// The model keeps the value modulo 2^64 in an unsigned number, where the
// wrap is exactly what C++ defines.
std::int64_t ModelNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos) return 0;
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string_view digits = "0123456789";
    if (pos < text.size() && text[pos] == '$') {
        digits = "0123456789abcdef";
        ++pos;
    } else if (pos < text.size() && text[pos] == '%') {
        digits = "01";
        ++pos;
    }
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
        const std::size_t digit = digits.find(c);
        if (digit == std::string_view::npos) break;
        value = value * digits.size() + digit;
    }
    return static_cast<std::int64_t>(negative ? ~value + 1 : value);
}

// Decimal text built digit by digit from the magnitude.
std::string ModelText(std::int64_t value) {
    const bool negative = value < 0;
    auto magnitude = static_cast<std::uint64_t>(value);
    if (negative) magnitude = ~magnitude + 1;
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? "-" + text : text;
}

std::int32_t ModelLow32(std::int64_t value) {
    const std::uint64_t low = static_cast<std::uint64_t>(value) % (std::uint64_t{1} << 32);
    return low >= (std::uint64_t{1} << 31)
               ? static_cast<std::int32_t>(static_cast<std::int64_t>(low) - (std::int64_t{1} << 32))
               : static_cast<std::int32_t>(low);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(quillora::NumberFromText(text) == ModelNumber(text));

    // The same bytes as a value: every int64 is written and read back.
    std::int64_t value = 0;
    if (size > 0) std::memcpy(&value, data, size < sizeof value ? size : sizeof value);
    const std::string written = quillora::NumberToText(value);
    FUZZ_CHECK(written == ModelText(value));
    FUZZ_CHECK(quillora::NumberFromText(written) == value);
    FUZZ_CHECK(quillora::Low32(value) == ModelLow32(value));
    return 0;
}
