#include "storage/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillora {
namespace {

std::vector<std::string> AllLines(std::string_view bytes) {
    LineReader reader(bytes);
    std::vector<std::string> lines;
    while (!reader.AtEnd())
        lines.push_back(reader.ReadLine());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, SplitsAtEveryKindOfLineEnd) {
    using namespace std::string_view_literals;
    const struct {
        std::string_view bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r", {"a"}},
        {"\r\n", {""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\0b"sv, {"a", "b"}},
        {"\0\0"sv, {"", ""}},
        {" \t x \t\x01", {" \t x \t\x01"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AllLines(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(LineReader, ReadsEmptyTextsOnceAtTheEnd) {
    LineReader reader("x");
    EXPECT_EQ(reader.ReadLine(), "x");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadLine(), "");
    EXPECT_EQ(reader.ReadLine(), "");
}

// The reader skips whole words of text; a line end (or a tab, which is no
// line end but looks like one to the word test) at any offset must be seen.
TEST(LineReader, FindsLineEndsAtEveryOffsetOfLongLines) {
    for (const char end : {'\n', '\r', '\0'}) {
        for (std::size_t offset = 0; offset < 40; ++offset) {
            std::string line(offset, 'x');
            for (std::size_t tab = 3; tab < offset; tab += 7)
                line[tab] = '\t';
            const std::string bytes = line + end + std::string(20, 'y');
            EXPECT_EQ(AllLines(bytes), (Lines{line, std::string(20, 'y')}))
                << "offset " << offset << " end " << int{end};
        }
    }
}

TEST(LineReader, SkipsOnlyAWholeByteOrderMark) {
    EXPECT_EQ(WithoutByteOrderMark("\xEF\xBB\xBF"
                                   "1\r\n"),
              "1\r\n");
    EXPECT_EQ(WithoutByteOrderMark("\xEF\xBB"
                                   "1"),
              "\xEF\xBB"
              "1");
    EXPECT_EQ(WithoutByteOrderMark("1\xEF\xBB\xBF"), "1\xEF\xBB\xBF");
    EXPECT_EQ(WithoutByteOrderMark(""), "");
}

}  // namespace
}  // namespace quillora
