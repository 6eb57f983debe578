#pragma once
// The ANSI code page of a Western European Windows (1252) for tests and
// tools that run without Windows, with a small best fit like the system's:
// letters with marks the code page lacks lose their marks, anything else
// becomes "?".
#include <string>
#include <string_view>
#include <utility>

#include "exchange/text_codec.h"

namespace quillora::test {

class Windows1252CodePage final : public CodePage {
public:
    [[nodiscard]] std::string ToUtf8(std::string_view ansi) const override { return Windows1252ToUtf8(ansi); }

    [[nodiscard]] AnsiText FromUtf8(std::string_view utf8) const override {
        AnsiText result;
        for (std::size_t i = 0; i < utf8.size();) {
            const char32_t point = Decode(utf8, i);
            const int byte = ByteOf(point);
            if (byte >= 0) {
                result.text += static_cast<char>(byte);
                continue;
            }
            result.exact = false;
            result.text += BestFit(point);
        }
        return result;
    }

private:
    // One code point; an invalid byte reads as U+FFFD and is passed over.
    static char32_t Decode(std::string_view text, std::size_t& i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80    ? 1
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 0;
        if (length == 0 || i + length > text.size() || !IsValidUtf8(text.substr(i, length))) {
            ++i;
            return 0xFFFD;
        }
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        return point;
    }

    static int ByteOf(char32_t point) {
        if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<int>(point);
        for (int byte = 0x80; byte < 0xA0; ++byte) {
            const std::string one(1, static_cast<char>(byte));
            const std::string back = Windows1252ToUtf8(one);
            std::string wanted;
            AppendUtf8(wanted, point);
            if (back == wanted) return byte;
        }
        return -1;
    }

    static char BestFit(char32_t point) {
        static constexpr std::pair<char32_t, char> Letters[] = {
            {0x0141, 'L'}, {0x0142, 'l'}, {0x015A, 'S'}, {0x015B, 's'}, {0x0106, 'C'}, {0x0107, 'c'},
            {0x010C, 'C'}, {0x010D, 'c'}, {0x0143, 'N'}, {0x0144, 'n'}, {0x0179, 'Z'}, {0x017A, 'z'},
            {0x017B, 'Z'}, {0x017C, 'z'}, {0x0118, 'E'}, {0x0119, 'e'}, {0x0104, 'A'}, {0x0105, 'a'},
            {0x0150, 'O'}, {0x0151, 'o'}, {0x0170, 'U'}, {0x0171, 'u'}, {0x0158, 'R'}, {0x0159, 'r'},
            {0x011B, 'e'}, {0x0103, 'a'}, {0x021B, 't'}, {0x0219, 's'}};
        for (const auto& [letter, plain] : Letters) {
            if (letter == point) return plain;
        }
        return '?';
    }
};

}  // namespace quillora::test
