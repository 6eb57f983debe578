#include "storage/birthday_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "unit_support.h"

namespace quillora {
namespace {

constexpr std::string_view AnnaAndBen =
    "2\r\nAnna\r\nBen\r\n14\r\n3\r\n2\r\n11\r\n1980\r\n1975\r\n1\r\n0\r\n1\r\n1";

std::string Replaced(std::string_view text, char from, std::string_view to) {
    std::string result;
    for (const char c : text)
        result += c == from ? std::string(to) : std::string(1, c);
    return result;
}

TEST(ListFile, WritesTheExactBytes) {
    EXPECT_EQ(ListToBytes(TableOf({Anna, Ben})), AnnaAndBen);
    EXPECT_EQ(ListToBytes(BirthdayTable{}), "0\r\n");
    EXPECT_EQ(ListToBytes(TableOf({{"", " x ", "", "", "", ""}})), "1\r\n\r\n x \r\n\r\n\r\n\r\n");
}

TEST(ListFile, LoadsWhatItWrote) {
    const BirthdayTable table = TableOf({Anna, {" padded ", "07", "", "", "0", "1"}, Ben});
    EXPECT_EQ(ParseList(ListToBytes(table)), table);
    EXPECT_EQ(ParseList("0\r\n").Count(), 0);
}

TEST(ListFile, LoadsEveryLineEndAndAByteOrderMark) {
    const BirthdayTable expected = TableOf({Anna, Ben});
    const std::string crlf = Replaced(AnnaAndBen, '\r', "");
    for (const std::string& bytes :
         {Replaced(crlf, '\n', "\n"), Replaced(crlf, '\n', "\r"),
          Replaced(crlf, '\n', std::string_view("\0", 1)), "\xEF\xBB\xBF" + std::string(AnnaAndBen)}) {
        EXPECT_EQ(ParseList(bytes), expected) << testing::PrintToString(bytes);
    }
}

TEST(ListFile, ReadsTheCountLikeAnyNumber) {
    const std::string blocks = "\r\na\r\nb\r\nc\r\nd\r\ne\r\nf";
    const struct {
        std::string firstLine;
        int count;
    } cases[] = {{"  1", 1}, {"1 entry", 1}, {"one", 0}, {"", 0}, {"-1", 0}, {"$1", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseList(c.firstLine + blocks).Count(), c.count) << c.firstLine;
}

TEST(ListFile, FillsMissingLinesWithEmptyTexts) {
    const BirthdayTable table = ParseList("2\r\nAnna\r\nBen\r\n14");
    ASSERT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Row(0), (BirthdayEntry{"Anna", "14", "", "", "", ""}));
    EXPECT_EQ(table.Row(1), (BirthdayEntry{"Ben", "", "", "", "", ""}));
    EXPECT_EQ(ListToBytes(table), "2\r\nAnna\r\nBen\r\n14\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(ListFile, IgnoresLinesAfterTheLastBlock) {
    EXPECT_EQ(ParseList(std::string(AnnaAndBen) + "\r\nextra\r\nmore"), TableOf({Anna, Ben}));
}

TEST(ListFile, KeepsEveryEntryBeyondTheCapacity) {
    BirthdayTable big;
    for (int i = 0; i < 150; ++i)
        big.AppendLoaded({"P" + std::to_string(i), "1", "1", "2000", "0", "1"});
    const std::string bytes = ListToBytes(big);
    EXPECT_EQ(ParseList(bytes), big);
    EXPECT_EQ(ListToBytes(ParseList(bytes)), bytes);
}

// A save streams the pieces straight to the file: they must add up to the
// very bytes of the file, and a refused piece (a full disk) must stop the
// writing at once, so that no later piece lands after a gap.
TEST(ListFile, WritesThePiecesOfTheBytesInOrderAndStopsAtTheFirstRefusal) {
    for (const BirthdayTable& table : {BirthdayTable{}, TableOf({Anna}), TableOf({Anna, Ben}),
                                       TableOf({{"", " x ", "", "", "", ""}, Ben, Anna})}) {
        const std::string whole = ListToBytes(table);
        std::vector<std::string> pieces;
        ASSERT_TRUE(WriteList(table, [&](std::string_view piece) {
            pieces.emplace_back(piece);
            return true;
        }));
        std::string joined;
        for (const std::string& piece : pieces)
            joined += piece;
        EXPECT_EQ(joined, whole);
        for (std::size_t refused = 0; refused < pieces.size(); ++refused) {
            std::size_t offered = 0;
            EXPECT_FALSE(WriteList(table, [&](std::string_view) { return offered++ < refused; }));
            EXPECT_EQ(offered, refused + 1) << "pieces offered after piece " << refused << " was refused";
        }
    }
}

TEST(ListFile, BoundsACountTheFileCannotBack) {
    EXPECT_EQ(ParseList("4000000000\r\nAnna").Count(), TableCapacity);
    EXPECT_EQ(ParseList("150\r\nAnna").Count(), TableCapacity);
    EXPECT_EQ(ParseList("100\r\nAnna").Count(), 100);
    EXPECT_EQ(ParseList("9223372036854775807\r\n" + std::string(200, '\n')).Count(), 200);
}

TEST(BirthdayTable, RefusesToAppendWhenFull) {
    BirthdayTable table;
    for (int i = 0; i < TableCapacity; ++i)
        ASSERT_TRUE(table.Append({std::to_string(i), "", "", "", "", ""}));
    EXPECT_TRUE(table.IsFull());
    EXPECT_FALSE(table.Append(Anna));
    EXPECT_EQ(table.Count(), TableCapacity);
}

TEST(BirthdayTable, RemovesAndReplacesOnlyExistingRows) {
    BirthdayTable table = TableOf({Anna, Ben, Anna});
    EXPECT_FALSE(table.Remove(3));
    EXPECT_FALSE(table.Remove(-1));
    EXPECT_FALSE(table.Replace(3, Ben));
    EXPECT_TRUE(table.Remove(0));
    EXPECT_EQ(table, TableOf({Ben, Anna}));
    EXPECT_TRUE(table.Replace(1, Ben));
    EXPECT_EQ(table, TableOf({Ben, Ben}));
}

TEST(BirthdayTable, FindsTheLastExactName) {
    const BirthdayTable table = TableOf({Anna, Ben, Anna});
    EXPECT_EQ(table.FindLastByName("Anna"), 2);
    EXPECT_EQ(table.FindLastByName("Ben"), 1);
    EXPECT_FALSE(table.FindLastByName("anna"));
    EXPECT_FALSE(table.FindLastByName("Anna "));
    EXPECT_FALSE(BirthdayTable{}.ContainsName(""));
}

TEST(UnreadableList, AFirstLineWithoutACountBeforeMoreLines) {
    // Saved as UTF-16 by an editor: the zero bytes end the first line early.
    constexpr char Utf16[] =
        "\xFF\xFE"
        "2\0\r\0\n\0A\0n\0n\0a\0";
    const std::string utf16(Utf16, sizeof Utf16 - 1);
    EXPECT_TRUE(IsUnreadableList(utf16));
    EXPECT_TRUE(IsUnreadableList("two\r\nAnna\r\n14"));
    EXPECT_TRUE(IsUnreadableList("-2\r\nAnna\r\nBen"));
    EXPECT_TRUE(IsUnreadableList("\r\nAnna"));
    EXPECT_TRUE(IsUnreadableList("$\r\nAnna"));
    EXPECT_TRUE(IsUnreadableList("- 2\r\nAnna"));
}

TEST(UnreadableList, OrdinaryListsAndFilesWithNothingToLose) {
    const std::string anna = "\r\nAnna\r\n14\r\n2\r\n1980\r\n1\r\n1";
    EXPECT_FALSE(IsUnreadableList(""));
    EXPECT_FALSE(IsUnreadableList("0\r\n"));
    EXPECT_FALSE(IsUnreadableList("0"));
    EXPECT_FALSE(IsUnreadableList("  1 entry" + anna));
    EXPECT_FALSE(IsUnreadableList("$1" + anna));
    EXPECT_FALSE(IsUnreadableList("%1" + anna));
    EXPECT_FALSE(IsUnreadableList("+1" + anna + "\r\n"));
    EXPECT_FALSE(
        IsUnreadableList("\xEF\xBB\xBF"
                         "1" +
                         anna));  // a UTF-8 mark is skipped
    // A single line holds no entry that could be lost.
    EXPECT_FALSE(IsUnreadableList("letters"));
    EXPECT_FALSE(IsUnreadableList("letters\r\n"));
    EXPECT_FALSE(IsUnreadableList("3\r\n"));
}

// Every count against every number of lines, with each kind of line end and
// with or without one after the last line: only six lines per counted entry
// read as meant, the last of them (an empty Mark) perhaps only a line end.
TEST(UnreadableList, LinesThatAreNotSixPerCountedEntry) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string twoEnds = end + end;
        for (int count = 0; count <= 4; ++count) {
            for (int lines = 1; lines <= 30; ++lines) {
                std::string file = std::to_string(count);
                for (int line = 0; line < lines; ++line)
                    file.append(end).append("x").append(std::to_string(line));
                const auto kept = [&](int read, bool ended) {
                    return read != 6 * count && !(ended && read + 1 == 6 * count);
                };
                EXPECT_EQ(IsUnreadableList(file), kept(lines, false)) << count << " / " << lines;
                EXPECT_EQ(IsUnreadableList(file + end), kept(lines, true))
                    << count << " / " << lines << " ended";
                EXPECT_EQ(IsUnreadableList(file + twoEnds), kept(lines + 1, true))
                    << "an empty line is a line";
            }
        }
    }
    // Six times this count wraps around to 2 in 64 bits.
    EXPECT_TRUE(IsUnreadableList("3074457345618258603\r\nA\r\nB"));
}

}  // namespace
}  // namespace quillora
