#include "storage/birthday_table.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "storage/line_reader.h"
#include "storage/number_text.h"

namespace quillora {

namespace {

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether reading the text as a number finds at least one digit, by the same
// rule as NumberFromText.
bool HoldsDigits(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    if (pos >= text.size()) return false;
    if (text[pos] == '$') return pos + 1 < text.size() && IsHexDigit(text[pos + 1]);
    if (text[pos] == '%') return pos + 1 < text.size() && (text[pos + 1] == '0' || text[pos + 1] == '1');
    return IsDecimalDigit(text[pos]);
}

constexpr int ColumnCount = LinesPerEntry;

// The columns in the order of the file's blocks.
constexpr std::array<std::string BirthdayEntry::*, ColumnCount> FileColumns = {
    &BirthdayEntry::Name, &BirthdayEntry::Day,    &BirthdayEntry::Month,
    &BirthdayEntry::Year, &BirthdayEntry::Remind, &BirthdayEntry::Mark,
};

}  // namespace

bool BirthdayTable::Append(BirthdayEntry entry) {
    if (IsFull()) return false;
    rows_.push_back(std::move(entry));
    return true;
}

void BirthdayTable::AppendLoaded(BirthdayEntry entry) {
    rows_.push_back(std::move(entry));
}

bool BirthdayTable::Replace(int index, BirthdayEntry entry) {
    if (index < 0 || index >= Count()) return false;
    rows_[static_cast<std::size_t>(index)] = std::move(entry);
    return true;
}

bool BirthdayTable::Remove(int index) {
    if (index < 0 || index >= Count()) return false;
    rows_.erase(rows_.begin() + index);
    return true;
}

bool BirthdayTable::ReplaceRows(int first, int count, const std::vector<BirthdayEntry>& rows) {
    if (first < 0 || count < 0 || count > Count() - first) return false;
    const auto begin = rows_.begin() + first;
    rows_.insert(rows_.erase(begin, begin + count), rows.begin(), rows.end());
    return true;
}

std::optional<int> BirthdayTable::FindLastByName(std::string_view name) const {
    for (int index = Count() - 1; index >= 0; --index) {
        if (rows_[static_cast<std::size_t>(index)].Name == name) return index;
    }
    return std::nullopt;
}

bool IsUnreadableList(std::string_view fileBytes) {
    fileBytes = WithoutByteOrderMark(fileBytes);
    LineReader reader(fileBytes);
    const std::string first = reader.ReadLine();
    if (reader.AtEnd()) return false;  // nothing follows that could be lost
    if (!HoldsDigits(first)) return true;
    const std::int64_t count = NumberFromText(first);
    if (count < 0) return true;
    // The blocks are column after column, so any other number of lines
    // pairs names with other people's dates. The reader consumes a line end
    // after the last line, so a final one adds no line; and the program
    // itself ends a list whose last Mark is empty with a line end.
    std::uint64_t lines = 0;
    while (!reader.AtEnd()) {
        static_cast<void>(reader.ReadLine());
        ++lines;
    }
    const char last = fileBytes.back();
    if (last == '\r' || last == '\n' || last == '\0') {
        if ((lines + 1) % LinesPerEntry == 0 &&
            (lines + 1) / LinesPerEntry == static_cast<std::uint64_t>(count))
            return false;
    }
    return lines % LinesPerEntry != 0 || lines / LinesPerEntry != static_cast<std::uint64_t>(count);
}

SharedEnds SharedEndsOf(const BirthdayTable& a, const BirthdayTable& b) {
    const std::vector<BirthdayEntry>& first = a.Rows();
    const std::vector<BirthdayEntry>& second = b.Rows();
    const std::size_t shorter = std::min(first.size(), second.size());
    SharedEnds ends;
    while (ends.head < shorter && first[ends.head] == second[ends.head])
        ++ends.head;
    while (ends.tail < shorter - ends.head &&
           first[first.size() - 1 - ends.tail] == second[second.size() - 1 - ends.tail])
        ++ends.tail;
    return ends;
}

BirthdayTable ParseList(std::string_view fileBytes) {
    LineReader reader(WithoutByteOrderMark(fileBytes));
    const std::int64_t announced = NumberFromText(reader.ReadLine());

    std::vector<std::string> lines;
    while (!reader.AtEnd())
        lines.push_back(reader.ReadLine());

    // Up to the table's capacity a short file is read as the program always
    // read it (missing lines are empty texts); beyond it only what the file
    // can back is believed, so a bogus count cannot exhaust memory.
    const std::int64_t backed =
        std::max<std::int64_t>(TableCapacity, static_cast<std::int64_t>(lines.size()));
    const std::int64_t count = std::clamp<std::int64_t>(announced, 0, backed);

    BirthdayTable table;
    for (std::int64_t row = 0; row < count; ++row) {
        BirthdayEntry entry;
        for (int column = 0; column < ColumnCount; ++column) {
            const auto line = static_cast<std::size_t>(column * count + row);
            if (line < lines.size()) entry.*FileColumns[column] = std::move(lines[line]);
        }
        table.AppendLoaded(std::move(entry));
    }
    return table;
}

bool WriteList(const BirthdayTable& table, const ByteSink& write) {
    if (!write(NumberToText(table.Count())) || !write(LineEnd)) return false;
    for (int column = 0; column < ColumnCount; ++column) {
        for (int row = 0; row < table.Count(); ++row) {
            const bool lastLine = column == ColumnCount - 1 && row == table.Count() - 1;
            if (!write(table.Row(row).*FileColumns[column])) return false;
            if (!lastLine && !write(LineEnd)) return false;
        }
    }
    return true;
}

ContentWriter ListContent(const BirthdayTable& table) {
    return [&table](const ByteSink& write) { return WriteList(table, write); };
}

std::string ListToBytes(const BirthdayTable& table) {
    // Sized once: a list may hold a name of many megabytes, and growing the
    // text step by step would touch several times its size in memory.
    std::size_t size = 0;
    WriteList(table, [&](std::string_view piece) {
        size += piece.size();
        return true;
    });
    std::string bytes;
    bytes.reserve(size);
    WriteList(table, [&](std::string_view piece) {
        bytes += piece;
        return true;
    });
    return bytes;
}

}  // namespace quillora
