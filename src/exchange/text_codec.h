#pragma once
// Texts between the system's ANSI code page, in which the list keeps its
// names, and the Unicode encodings of contact and calendar files.
#include <cstdint>
#include <string>
#include <string_view>

#include "storage/code_page.h"

namespace quillora {

// Appends the UTF-8 form of one code point (above 0x10FFFF or a surrogate:
// U+FFFD).
void AppendUtf8(std::string& out, char32_t codePoint);

// Windows-1252 (ISO 8859-1 with printable characters at 0x80 to 0x9F) to
// UTF-8; also right for ISO 8859-1 and US-ASCII texts.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-16 (little- or big-endian, without its byte-order mark) to UTF-8;
// unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// A text in the named character set (as vCard 2.1's CHARSET= gives it) to
// UTF-8. UTF-8, US-ASCII, ISO-8859-1 and Windows-1252 are known; any other
// name, or none, is taken as UTF-8 when the bytes are valid UTF-8 and as
// Windows-1252 otherwise.
std::string CharsetToUtf8(std::string_view charset, std::string_view bytes);

// Decodes quoted-printable ("=C3=A9", soft line breaks already joined).
std::string DecodeQuotedPrintable(std::string_view text);

// ASCII letter case folded, for names of properties and columns.
std::string AsciiUpper(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

// Whether the text is one or more ASCII digits.
bool AllDigits(std::string_view text);
// The number such a text of digits writes (a few digits: no overflow).
int DigitsValue(std::string_view text);
// The number in decimal with zeros in front up to `width` digits.
std::string ZeroPadded(std::int64_t value, std::size_t width);

}  // namespace quillora
