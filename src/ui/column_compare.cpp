#include "ui/column_compare.h"

#include <algorithm>
#include <cstdint>

#include "storage/number_text.h"

namespace quillora {

namespace {

constexpr unsigned char FoldAsciiCapital(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

int CompareText(std::string_view a, std::string_view b) {
    a = a.substr(0, std::min(a.size(), SortedCellPrefix));
    b = b.substr(0, std::min(b.size(), SortedCellPrefix));
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = FoldAsciiCapital(a[i]);
        const unsigned char y = FoldAsciiCapital(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int CompareIntegers(std::string_view a, std::string_view b) {
    const std::int32_t x = Low32(NumberFromText(a.substr(0, std::min(a.size(), SortedCellPrefix))));
    const std::int32_t y = Low32(NumberFromText(b.substr(0, std::min(b.size(), SortedCellPrefix))));
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace

int CompareCells(ColumnSortKind kind, std::string_view a, std::string_view b) {
    return kind == ColumnSortKind::Integer ? CompareIntegers(a, b) : CompareText(a, b);
}

ColumnSortKind KindOfListColumn(int column) {
    // Every column the sorter has not been told about compares as text.
    return column >= 1 && column <= 5 ? ColumnSortKind::Integer : ColumnSortKind::Text;
}

}  // namespace quillora
