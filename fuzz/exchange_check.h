#pragma once
// What the three import targets check of any bytes read as their format:
// the read never fails the program, every date it finds is a real day,
// adding to a table keeps its capacity and its texts single-line, and the
// entries added come back unchanged through an export and an import of the
// same format.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check.h"
#include "exchange/exchange.h"
#include "import_as_ticked.h"
#include "windows1252_code_page.h"

namespace quillora::fuzz {

inline bool IsRealDay(const BirthDate& date) {
    static constexpr int Lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > Lengths[date.month - 1]) return false;
    if (date.year == 0) return true;
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    return date.year >= 1 && date.year <= 9999 && (date.month != 2 || date.day != 29 || leap);
}

inline void CheckImport(ExchangeFormat format, const std::uint8_t* data, std::size_t size) {
    static const test::Windows1252CodePage codePage;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ShortDateOrder order =
        size > 0 ? static_cast<ShortDateOrder>(data[0] % 3) : ShortDateOrder::MonthDayYear;
    const ParsedFile parsed = ParseImport(format, bytes, {order});
    for (const ImportedBirthday& birthday : parsed.birthdays) {
        if (birthday.date) FUZZ_CHECK(IsRealDay(*birthday.date));
        FUZZ_CHECK(!(birthday.date && birthday.invalidDate));
    }
    if (!parsed.error.empty()) return;

    BirthdayTable table;
    const ImportSummary summary = ImportAsTicked(table, parsed.birthdays, codePage);
    FUZZ_CHECK(table.Count() <= TableCapacity);
    FUZZ_CHECK(summary.added == table.Count());
    FUZZ_CHECK(static_cast<std::size_t>(summary.added + summary.alreadyPresent + summary.withoutBirthday +
                                        summary.invalidDate + summary.withoutName + summary.leftOut) ==
               parsed.birthdays.size());
    for (const BirthdayEntry& entry : table.Rows()) {
        FUZZ_CHECK(!entry.Name.empty());
        for (const char c : entry.Name)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
        // Only a CSV file's Remind column can turn reminding off.
        FUZZ_CHECK(entry.Remind == "1" || (format == ExchangeFormat::Csv && entry.Remind == "0"));
        FUZZ_CHECK(entry.Mark == "1");
    }
    if (table.Count() == 0) return;

    const ExportResult exported = ExportTable(format, table, {{2026, 12, 7}, 3, &codePage});
    FUZZ_CHECK(exported.exported == table.Count());
    const ParsedFile again = ParseImport(format, exported.bytes, {order});
    FUZZ_CHECK(again.error.empty());
    BirthdayTable reread;
    (void)ImportAsTicked(reread, again.birthdays, codePage);
    FUZZ_CHECK(reread == table);
}

}  // namespace quillora::fuzz
