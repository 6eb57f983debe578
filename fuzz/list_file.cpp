// The list file: a load follows the file's layout, whatever it makes of any
// bytes is written and loaded back unchanged, and so is any table the
// program can build itself (its texts come from single-line fields, so they
// hold no CR, LF or zero byte).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "storage/birthday_table.h"
#include "storage/line_reader.h"
#include "storage/number_text.h"

namespace {

using quillora::BirthdayEntry;
using quillora::BirthdayTable;

std::string SingleLine(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    return text;
}

// Up to twice the capacity: a file written by another tool may hold more
// rows than the program adds, and those must survive too.
BirthdayTable TableFrom(FuzzedDataProvider& input) {
    BirthdayTable table;
    const int rows = input.ConsumeIntegralInRange(0, 2 * quillora::TableCapacity);
    for (int row = 0; row < rows; ++row) {
        BirthdayEntry entry;
        for (std::string* text :
             {&entry.Name, &entry.Day, &entry.Month, &entry.Year, &entry.Remind, &entry.Mark})
            *text = SingleLine(input.ConsumeRandomLengthString(16));
        table.AppendLoaded(std::move(entry));
    }
    return table;
}

// The load as the file's layout describes it, over the lines as the line
// reader gives them (checked on its own by the line_reader target): the
// count from the first line, bounded by what the file backs beyond the
// capacity, then six blocks of that many lines, missing lines empty.
bool LoadedAsLaidOut(std::string_view bytes, const BirthdayTable& loaded) {
    quillora::LineReader reader(quillora::WithoutByteOrderMark(bytes));
    const std::int64_t announced = quillora::NumberFromText(reader.ReadLine());
    std::vector<std::string> lines;
    while (!reader.AtEnd())
        lines.push_back(reader.ReadLine());
    const auto backed =
        std::max<std::int64_t>(quillora::TableCapacity, static_cast<std::int64_t>(lines.size()));
    const std::int64_t count = announced < 0 ? 0 : std::min(announced, backed);
    if (loaded.Count() != count) return false;

    const auto line = [&lines](std::int64_t index) {
        return index < static_cast<std::int64_t>(lines.size()) ? lines[static_cast<std::size_t>(index)]
                                                               : std::string();
    };
    for (int row = 0; row < loaded.Count(); ++row) {
        const BirthdayEntry& entry = loaded.Row(row);
        const BirthdayEntry expected{line(row),
                                     line(count + row),
                                     line(2 * count + row),
                                     line(3 * count + row),
                                     line(4 * count + row),
                                     line(5 * count + row)};
        if (entry != expected) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const BirthdayTable loaded = quillora::ParseList(bytes);
    FUZZ_CHECK(LoadedAsLaidOut(bytes, loaded));
    // Every row beyond the capacity is backed by at least one byte of the
    // file, so no count can make a load grow without bound.
    FUZZ_CHECK(static_cast<std::size_t>(loaded.Count()) <=
               std::max<std::size_t>(quillora::TableCapacity, size));
    const std::string saved = quillora::ListToBytes(loaded);
    FUZZ_CHECK(quillora::ParseList(saved) == loaded);
    FUZZ_CHECK(quillora::ListToBytes(quillora::ParseList(saved)) == saved);

    FuzzedDataProvider input(data, size);
    const BirthdayTable built = TableFrom(input);
    FUZZ_CHECK(quillora::ParseList(quillora::ListToBytes(built)) == built);
    return 0;
}
