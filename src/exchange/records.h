#pragma once
// What goes in and out of the exchange files, as the three formats, the
// import plan and the dispatcher (exchange.h) share it.
#include <optional>
#include <string>
#include <vector>

#include "calc/birth_date.h"
#include "exchange/text_codec.h"
#include "storage/birthday_table.h"
#include "storage/calendar.h"

namespace quillora {

// Order of the fields in the system's short date ("3/14/1990" or
// "14.03.1990").
enum class ShortDateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

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

}  // namespace quillora
