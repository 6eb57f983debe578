#pragma once
// The birthday entries held in memory while the program runs, and the bytes
// of the list file "list.txt".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/byte_sink.h"

namespace quillora {

// The number of rows the program itself fills; a file may hold more, which
// are kept (never dropped by a load and a save) but no entry is added then.
inline constexpr int TableCapacity = 102;
// Lines of one entry in the list file, one in each block: Name, Day, Month,
// Year, Remind, Mark.
inline constexpr int LinesPerEntry = 6;

// One row: the six columns always move together. Numbers are texts exactly as
// typed ("07" stays "07").
struct BirthdayEntry {
    std::string Name;
    std::string Day;
    std::string Month;
    std::string Year;
    std::string Remind;  // "1" reminded, "0" not; read as a number
    std::string Mark;    // "1"; passed through unchanged

    bool operator==(const BirthdayEntry&) const = default;
};

class BirthdayTable {
public:
    [[nodiscard]] int Count() const { return static_cast<int>(rows_.size()); }
    [[nodiscard]] const BirthdayEntry& Row(int index) const { return rows_.at(index); }
    [[nodiscard]] const std::vector<BirthdayEntry>& Rows() const { return rows_; }
    [[nodiscard]] bool IsFull() const { return Count() >= TableCapacity; }

    // Appends at row Count; refused (false) when the table is full.
    [[nodiscard]] bool Append(BirthdayEntry entry);
    // Appends without the capacity check; only loading uses it.
    void AppendLoaded(BirthdayEntry entry);
    // Overwrites row `index`; refused (false) outside 0 to Count - 1.
    [[nodiscard]] bool Replace(int index, BirthdayEntry entry);
    // Removes row `index`, moving the later rows down by one; false outside
    // 0 to Count - 1.
    bool Remove(int index);
    void Clear() { rows_.clear(); }
    // Puts `rows` in place of the `count` rows from `first` on, without the
    // capacity check (it brings back an earlier state of the table); false,
    // changing nothing, when those rows are not all in the table.
    [[nodiscard]] bool ReplaceRows(int first, int count, const std::vector<BirthdayEntry>& rows);

    // The last row whose Name equals `name` byte for byte.
    [[nodiscard]] std::optional<int> FindLastByName(std::string_view name) const;
    [[nodiscard]] bool ContainsName(std::string_view name) const { return FindLastByName(name).has_value(); }

    bool operator==(const BirthdayTable&) const = default;

private:
    std::vector<BirthdayEntry> rows_;
};

// How two tables differ: the rows of their longest common start (`head`)
// and, after it, of their longest common end (`tail`); the rows between are
// what changed.
struct SharedEnds {
    std::size_t head = 0;
    std::size_t tail = 0;
};
SharedEnds SharedEndsOf(const BirthdayTable& a, const BirthdayTable& b);

// Line 1 is Count, then six blocks of Count lines (Name, Day, Month, Year,
// Remind, Mark). Missing lines read as empty texts. A count larger than the
// file can back is bounded by max(TableCapacity, lines after the first); a
// negative count or one without digits gives an empty table.
BirthdayTable ParseList(std::string_view fileBytes);

// True when the bytes of a list file hold entries the program cannot read
// as they were meant: its first line holds no count (no digits after the
// blanks and sign, as a file saved as UTF-16 by an editor, a damaged line or
// letters) or a negative one, while more lines follow; or the lines after the
// first are not six for each counted entry (a hand edit that added an entry
// without raising the count). An empty file and a lone first line of "0" are
// ordinary empty lists; a line end after the last line is not a line.
bool IsUnreadableList(std::string_view fileBytes);

// Hands the exact bytes of the list file to `write` in order, a line or a
// line end at a time, so that a save never needs the whole file in memory:
// "0" CR LF for an empty table, and no line end after the last Mark. False
// as soon as `write` refuses a piece.
bool WriteList(const BirthdayTable& table, const ByteSink& write);

// The same bytes as a content a save writes straight to its file; the
// table must outlive it.
ContentWriter ListContent(const BirthdayTable& table);

// The same bytes in one text.
std::string ListToBytes(const BirthdayTable& table);

}  // namespace quillora
