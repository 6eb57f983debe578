#pragma once
// Birthdays in and out of Quillora: iCalendar, vCard and CSV files, read and
// written as bytes. Everything the Windows side needs is injected: the code
// page, today and the order of the system's short dates.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calendar.h"
#include "exchange/format_choice.h"
#include "exchange/text_codec.h"
#include "storage/birthday_table.h"

namespace quillora {

// A birthday as the files carry it: day and month always, the year when it
// is known (0 when not).
struct BirthDate {
    int day = 0;
    int month = 0;
    int year = 0;

    bool operator==(const BirthDate&) const = default;
};

// The birth date of an entry when its Day and Month name a real day of the
// year (29 February included); the year only when the date exists in it.
std::optional<BirthDate> BirthDateOf(const BirthdayEntry& entry);

// Order of the fields in the system's short date ("3/14/1990" or
// "14.03.1990").
enum class ShortDateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// Reads the date forms of contact files: "YYYYMMDD", "YYYY-MM-DD",
// "--MMDD", "--MM-DD", each with or without a time part after "T". A date
// that does not exist gives nothing.
std::optional<BirthDate> ParseIsoDate(std::string_view text);

// ---------------------------------------------------------------------------
// Export

struct ExportOptions {
    CalendarDay today;  // for the next occurrence of dates without a year
    int leadDays = 0;   // of "Days before remind"; no alarm for 0
    const CodePage* codePage = nullptr;
};

struct ExportResult {
    std::string bytes;
    int exported = 0;
    int withoutDate = 0;  // entries left out (iCalendar) or without a birthday
};

ExportResult ExportTable(ExchangeFormat format, const BirthdayTable& table, const ExportOptions& options);

// The message shown after an export.
std::string ExportSummaryText(ExchangeFormat format, const ExportResult& result);

// ---------------------------------------------------------------------------
// Import

// A contact or event read from a file. The name is UTF-8 unless `ansi`
// says it came in the ANSI code page already (a CSV file from Outlook).
struct ImportedBirthday {
    std::string name;
    bool ansi = false;
    std::optional<BirthDate> date;  // nothing: no birthday, or one that is no date
    bool invalidDate = false;       // a birthday was given but names no date
    bool remind = true;             // false only where the file says so (Quillora's own CSV)
};

struct ImportOptions {
    ShortDateOrder shortDateOrder = ShortDateOrder::MonthDayYear;
};

// What reading a file gave: its birthdays, or a message why it can't be
// imported at all.
struct ParsedFile {
    std::vector<ImportedBirthday> birthdays;
    std::string error;  // empty when the file could be read
};

// Files above this size are refused before they are read.
inline constexpr std::size_t MaxImportBytes = std::size_t{16} * 1024 * 1024;

// The reason a file's bytes can't be imported (empty, too large, binary),
// or the empty text.
std::string CheckImportBytes(std::string_view bytes);

ParsedFile ParseImport(ExchangeFormat format, std::string_view bytes, const ImportOptions& options);

struct ImportSummary {
    int added = 0;
    int alreadyPresent = 0;
    int withoutBirthday = 0;
    int invalidDate = 0;
    int withoutName = 0;
    int leftOut = 0;  // new people not ticked, or beyond the list's free places
    // Names that the code page could not hold exactly, as imported.
    std::vector<std::string> approximatedNames;
};

// Appends the new people of the file in file order up to the table's free
// places, as the import preview ticks them at first (see import_plan.h):
// each gets Remind "1" (or "0" when the file turned reminding off) and Mark
// "1"; a person already in the table is skipped.
ImportSummary MergeBirthdays(BirthdayTable& table, const std::vector<ImportedBirthday>& birthdays,
                             const CodePage& codePage);

// The one message shown after an import.
std::string ImportSummaryText(const ImportSummary& summary);

}  // namespace quillora
