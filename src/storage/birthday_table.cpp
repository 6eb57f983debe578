#include "storage/birthday_table.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "storage/line_reader.h"
#include "storage/number_text.h"

namespace quillora {

namespace {

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
