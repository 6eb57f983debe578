#include "ui/column_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace quillora {
namespace {

TEST(CompareCells, TextFoldsOnlyAsciiCapitals) {
    const struct {
        std::string a, b;
        int order;
    } cases[] = {
        {"anna", "ANNA", 0},  {"Anna", "Ben", -1},
        {"ben", "Anna", 1},   {"", "X", -1},
        {"Ann", "Anna", -1},  {"\xC4pfel", "zebra", 1},  // an accented capital sorts after every ASCII letter
        {"\xC4", "\xE4", -1},                            // and is not folded
        {"_", "A", -1},  // '_' lies between the capitals and the small letters
        {"[", "a", -1},       {std::string(254, 'a') + "x", std::string(254, 'A') + "y", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareCells(ColumnSortKind::Text, c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(CompareCells(ColumnSortKind::Text, c.b, c.a), -c.order) << c.b << " vs " << c.a;
    }
}

TEST(CompareCells, IntegerComparesLow32BitsSigned) {
    const struct {
        std::string a, b;
        int order;
    } cases[] = {
        {"9", "10", -1},        {"07", "7", 0},          {"", "0", 0},
        {"abc", "0", 0},        {"-1", "0", -1},         {" 5", "5 days", 0},
        {"4294967296", "0", 0}, {"2147483648", "0", -1}, {"$10", "15", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareCells(ColumnSortKind::Integer, c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(CompareCells(ColumnSortKind::Integer, c.b, c.a), -c.order) << c.b << " vs " << c.a;
    }
}

TEST(KindOfListColumn, NameAndRemindAreText) {
    const ColumnSortKind kinds[] = {ColumnSortKind::Text,    ColumnSortKind::Integer, ColumnSortKind::Integer,
                                    ColumnSortKind::Integer, ColumnSortKind::Integer, ColumnSortKind::Integer,
                                    ColumnSortKind::Text};
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(KindOfListColumn(column), kinds[column]) << column;
}

}  // namespace
}  // namespace quillora
