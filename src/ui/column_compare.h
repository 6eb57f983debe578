#pragma once
// How a list column orders its cells when the user clicks its header.
#include <string_view>

namespace quillora {

enum class ColumnSortKind : int {
    Text = 0,     // A to Z folded to a to z, then unsigned bytes
    Integer = 2,  // NumberFromText, low 32 bits, signed
};

// Only this many leading characters of a cell take part in a comparison.
inline constexpr std::size_t SortedCellPrefix = 254;

// -1, 0 or +1.
int CompareCells(ColumnSortKind kind, std::string_view a, std::string_view b);

// The kind of each of the seven list columns.
ColumnSortKind KindOfListColumn(int column);

}  // namespace quillora
