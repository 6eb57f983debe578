#pragma once
// Numbers are kept as texts everywhere in Quillora and read at the moment
// they are used; these two functions are the only conversions.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillora {

// Reads a signed 64-bit number: leading spaces and tabs, one optional sign,
// then "$" and hex digits, "%" and binary digits, or decimal digits. Stops at
// the first character that does not fit; no digits read as 0. Never fails:
// an overflowing value wraps modulo 2^64.
std::int64_t NumberFromText(std::string_view text);

// Decimal digits, "-" before a negative value, nothing else.
std::string NumberToText(std::int64_t value);

// The low 32 bits of a number read as a signed 32-bit integer, as the menu
// marks and the integer column comparison use it.
std::int32_t Low32(std::int64_t value);

}  // namespace quillora
