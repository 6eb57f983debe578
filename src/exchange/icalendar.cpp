// iCalendar (RFC 5545): one all-day yearly event per birthday.
#include <cstdint>
#include <unordered_map>

#include "exchange/content_lines.h"
#include "exchange/formats.h"
#include "storage/number_text.h"

namespace quillora {

namespace {

// Written when DTSTART is not the birth date: the birth year, or "NONE".
constexpr std::string_view BirthYearProperty = "X-QUILLORA-BIRTH-YEAR";
constexpr int EarliestStartYear = 1900;

// A date as iCalendar writes it: "YYYYMMDD".
std::string DateText(CalendarDay day) {
    return FormatDate("%yyyy%mm%dd", day);
}

// The same for every export of the same entry: a hash of its name, and the
// number of earlier entries of that name when names repeat.
std::string UidOf(const std::string& name, int repeat) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        hex[static_cast<std::size_t>(i)] = "0123456789abcdef"[hash & 0xF];
    return hex + (repeat > 0 ? "-" + NumberToText(repeat) : std::string()) + "@birthdays.quillora";
}

struct EventFields {
    std::string summary;
    std::string start;
    std::string rule;
    std::string birthYear;
    bool hasStart = false;
    bool hasSummary = false;
    bool hasBirthYear = false;
};

ImportedBirthday BirthdayOfEvent(const EventFields& event) {
    ImportedBirthday birthday;
    birthday.name = UnescapeText(AsUtf8(event.summary));
    const std::string rule = AsciiUpper(event.rule);
    const bool yearly = rule.find("FREQ=YEARLY") != std::string::npos;
    if (!event.hasStart || !yearly) return birthday;
    std::optional<BirthDate> date = ParseIsoDate(event.start);
    const bool lastOfFebruary =
        rule.find("BYMONTH=2") != std::string::npos && rule.find("BYMONTHDAY=-1") != std::string::npos;
    if (date && lastOfFebruary && date->month == 2) date = KnownDate({29, 2, date->year});
    if (date && event.hasBirthYear)
        date = KnownDate({date->day, date->month, NumberFromText(event.birthYear)});
    birthday.date = date;
    birthday.invalidDate = !date;
    return birthday;
}

}  // namespace

std::vector<std::string> EntryUids(const BirthdayTable& table) {
    std::vector<std::string> uids;
    uids.reserve(table.Rows().size());
    std::unordered_map<std::string, int> repeats;
    for (const BirthdayEntry& entry : table.Rows())
        uids.push_back(UidOf(entry.Name, repeats[entry.Name]++));
    return uids;
}

ExportResult WriteICalendar(const BirthdayTable& table, const ExportOptions& options) {
    ExportResult result;
    std::string& out = result.bytes;
    AppendFolded(out, "BEGIN:VCALENDAR");
    AppendFolded(out, "VERSION:2.0");
    AppendFolded(out, "PRODID:-//Quillora//Birthdays//EN");
    AppendFolded(out, "CALSCALE:GREGORIAN");
    const std::string stamp = DateText(options.today) + "T000000Z";
    const std::vector<std::string> uids = EntryUids(table);
    for (std::size_t index = 0; index < uids.size(); ++index) {
        const BirthdayEntry& entry = table.Rows()[index];
        const std::optional<BirthDate> date = KnownDate(BirthDateOf(entry));
        if (!date) {
            ++result.withoutDate;
            continue;
        }
        const std::string name = EscapeText(NameToUtf8(entry.Name, options));
        // A year still to come starts at the next birthday, as the list and
        // the reminder count it, and keeps its year aside like an old one.
        const std::optional<CalendarDay> birth = RealDay(*date);
        const bool fromBirth = birth && birth->year >= EarliestStartYear && birth->year <= options.today.year;
        AppendFolded(out, "BEGIN:VEVENT");
        AppendFolded(out, "UID:" + uids[index]);
        AppendFolded(out, "DTSTAMP:" + stamp);
        // The first day of the yearly rule on or after today; 29 February
        // falls on the last day of February, as BYMONTHDAY=-1 says.
        AppendFolded(
            out, "DTSTART;VALUE=DATE:" + DateText(fromBirth ? *birth : NextBirthday(*date, options.today)));
        AppendFolded(out,
                     IsLeapDay(*date) ? "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1" : "RRULE:FREQ=YEARLY");
        AppendFolded(out, "SUMMARY:" + name);
        AppendFolded(out, "TRANSP:TRANSPARENT");
        if (!fromBirth) {
            AppendFolded(out, std::string(BirthYearProperty) + ":" +
                                  (HasYear(*date) ? NumberToText(date->year) : std::string("NONE")));
        }
        if (NumberFromText(entry.Remind) != 0 && options.leadDays > 0) {
            AppendFolded(out, "BEGIN:VALARM");
            AppendFolded(out, "ACTION:DISPLAY");
            AppendFolded(out, "DESCRIPTION:" + name);
            AppendFolded(out, "TRIGGER:-P" + NumberToText(options.leadDays) + "D");
            AppendFolded(out, "END:VALARM");
        }
        AppendFolded(out, "END:VEVENT");
        ++result.exported;
    }
    AppendFolded(out, "END:VCALENDAR");
    return result;
}

ParsedFile ParseICalendar(std::string_view bytes) {
    ParsedFile parsed;
    bool sawCalendar = false;
    int depth = 0;  // components open inside the current event
    std::optional<EventFields> event;
    for (const std::string& text : UnfoldLines(bytes)) {
        const ContentLine line = ParseContentLine(text);
        const std::string value = AsciiUpper(TrimBlanks(line.value));
        if (line.name == "BEGIN") {
            if (value == "VCALENDAR") sawCalendar = true;
            if (event) {
                ++depth;
            } else if (value == "VEVENT") {
                event.emplace();
                depth = 0;
            }
            continue;
        }
        if (line.name == "END" && event) {
            if (depth > 0) {
                --depth;
            } else if (value == "VEVENT") {
                parsed.birthdays.push_back(BirthdayOfEvent(*event));
                event.reset();
            }
            continue;
        }
        if (!event || depth > 0) continue;
        if (line.name == "SUMMARY" && !event->hasSummary) {
            event->summary = line.value;
            event->hasSummary = true;
        } else if (line.name == "DTSTART" && !event->hasStart) {
            event->start = line.value;
            event->hasStart = true;
        } else if (line.name == "RRULE" && event->rule.empty()) {
            event->rule = line.value;
        } else if (line.name == BirthYearProperty && !event->hasBirthYear) {
            event->birthYear = line.value;
            event->hasBirthYear = true;
        }
    }
    if (!sawCalendar) parsed.error = "THE FILE IS NO ICALENDAR FILE (NO BEGIN:VCALENDAR).";
    return parsed;
}

}  // namespace quillora
