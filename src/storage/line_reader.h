#pragma once
// Reads the program's text files line by line. A line ends at LF, CR, CR LF
// or a zero byte; the line end is consumed and not part of the text.
#include <cstddef>
#include <string>
#include <string_view>

namespace quillora {

class LineReader {
public:
    explicit LineReader(std::string_view bytes);

    // True when no byte is left to read.
    [[nodiscard]] bool AtEnd() const { return pos_ >= bytes_.size(); }

    // The next line without its line end; the empty text at the end of the
    // bytes.
    std::string ReadLine();

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// The bytes without the UTF-8 byte-order marks at their start (an editor may
// add one).
std::string_view WithoutByteOrderMark(std::string_view bytes);

// Line end written by the program.
inline constexpr std::string_view LineEnd = "\r\n";

}  // namespace quillora
