// The line reader against a plain splitter: a line ends at LF, CR, CR LF or
// a zero byte, the end of the bytes ends the last line, and no empty line
// follows a final line end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "storage/line_reader.h"

namespace {

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;  // a line has begun and not yet ended
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const char c = bytes[pos];
        if (c == '\n' || c == '\r' || c == '\0') {
            if (c == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
            lines.push_back(line);
            line.clear();
            open = false;
        } else {
            line += c;
            open = true;
        }
    }
    if (open) lines.push_back(line);
    return lines;
}

std::vector<std::string> ReadAllLines(std::string_view bytes) {
    quillora::LineReader reader(bytes);
    std::vector<std::string> lines;
    while (!reader.AtEnd()) {
        lines.push_back(reader.ReadLine());
        // Every line takes at least one byte, so more lines than bytes means
        // the reader stopped moving on.
        FUZZ_CHECK(lines.size() <= bytes.size());
    }
    // Past the end the reader keeps giving the empty text and stays there.
    FUZZ_CHECK(reader.ReadLine().empty());
    FUZZ_CHECK(reader.AtEnd());
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(ReadAllLines(bytes) == SplitLines(bytes));

    // Byte-order marks are skipped, however many there are, and nothing else.
    std::size_t marked = 0;
    while (bytes.size() - marked >= 3 && bytes[marked] == '\xEF' && bytes[marked + 1] == '\xBB' &&
           bytes[marked + 2] == '\xBF')
        marked += 3;
    const std::string_view text = quillora::WithoutByteOrderMark(bytes);
    FUZZ_CHECK(text.data() == bytes.data() + marked);
    FUZZ_CHECK(text.size() == bytes.size() - marked);
    return 0;
}
