#include "storage/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quillora {

namespace {

constexpr bool IsLineEndByte(char c) {
    return c == '\n' || c == '\r' || c == '\0';
}

// Whether any of the eight bytes of `word` is below 14: every line-end byte
// (LF 10, CR 13, NUL 0) is, and almost no text byte is.
constexpr bool HasByteBelow14(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    return ((word - ones * 14) & ~word & highs) != 0;
}

// The position of the first line-end byte at or after `from`, or the size.
// A line may be any length (a damaged or hand-made file can hold one of many
// megabytes), so whole words are skipped at once where no byte can end the
// line; the search stays linear and close to a plain copy in speed.
std::size_t FindLineEnd(std::string_view bytes, std::size_t from) {
    constexpr std::size_t wordSize = sizeof(std::uint64_t);
    std::size_t pos = from;
    while (pos < bytes.size()) {
        std::uint64_t word = 0;
        while (pos + wordSize <= bytes.size()) {
            std::memcpy(&word, bytes.data() + pos, wordSize);
            if (HasByteBelow14(word)) break;
            pos += wordSize;
        }
        // A word with a low byte may hold only tabs, so its bytes are looked at
        // one by one before the word skipping resumes.
        const std::size_t stop = std::min(bytes.size(), pos + wordSize);
        for (; pos < stop; ++pos) {
            if (IsLineEndByte(bytes[pos])) return pos;
        }
    }
    return bytes.size();
}

}  // namespace

LineReader::LineReader(std::string_view bytes) : bytes_(bytes) {}

std::string LineReader::ReadLine() {
    const std::size_t end = FindLineEnd(bytes_, pos_);
    std::string line(bytes_.substr(pos_, end - pos_));
    pos_ = end;
    if (pos_ < bytes_.size()) {
        const char lineEnd = bytes_[pos_++];
        if (lineEnd == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    }
    return line;
}

// Every mark is skipped, not only the first: a mark left in the first line
// would make a list's count unreadable (the list would be lost at the next
// save) and would be written back as the first setting, changing its meaning
// at the next load.
std::string_view WithoutByteOrderMark(std::string_view bytes) {
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    while (bytes.starts_with(mark))
        bytes.remove_prefix(mark.size());
    return bytes;
}

}  // namespace quillora
