#include "exchange/exchange.h"

#include <algorithm>

#include "exchange/formats.h"
#include "exchange/import_plan.h"
#include "storage/birthday_table.h"
#include "storage/number_text.h"

namespace quillora {

std::optional<BirthDate> GivenDate(std::int64_t day, std::int64_t month, std::int64_t year) {
    const std::optional<BirthDate> date = KnownDate({day, month, year});
    if (date && date->year != year) return std::nullopt;
    return date;
}

std::optional<BirthDate> ParseIsoDate(std::string_view text) {
    text = TrimBlanks(text);
    const std::size_t time = text.find_first_of("Tt");
    if (time != std::string_view::npos) text = text.substr(0, time);
    if (text.size() >= 2 && text.substr(0, 2) == "--") {
        std::string_view rest = text.substr(2);
        if (rest.size() == 5 && rest[2] == '-') {
            if (!AllDigits(rest.substr(0, 2)) || !AllDigits(rest.substr(3))) return std::nullopt;
            return GivenDate(DigitsValue(rest.substr(3)), DigitsValue(rest.substr(0, 2)), NoYear);
        }
        if (rest.size() == 4 && AllDigits(rest))
            return GivenDate(DigitsValue(rest.substr(2)), DigitsValue(rest.substr(0, 2)), NoYear);
        return std::nullopt;
    }
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        const std::string_view y = text.substr(0, 4), m = text.substr(5, 2), d = text.substr(8, 2);
        if (!AllDigits(y) || !AllDigits(m) || !AllDigits(d)) return std::nullopt;
        return GivenDate(DigitsValue(d), DigitsValue(m), DigitsValue(y));
    }
    if (text.size() == 8 && AllDigits(text)) {
        return GivenDate(DigitsValue(text.substr(6)), DigitsValue(text.substr(4, 2)),
                         DigitsValue(text.substr(0, 4)));
    }
    return std::nullopt;
}

std::string NameToUtf8(const std::string& name, const ExportOptions& options) {
    return options.codePage ? options.codePage->ToUtf8(name) : Windows1252ToUtf8(name);
}

std::string AsUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

ExportResult ExportTable(ExchangeFormat format, const BirthdayTable& table, const ExportOptions& options) {
    switch (format) {
        case ExchangeFormat::ICalendar:
            return WriteICalendar(table, options);
        case ExchangeFormat::VCard:
            return WriteVCard(table, options);
        case ExchangeFormat::BirthdayList:
            return {ListToBytes(table), table.Count(), 0};
        case ExchangeFormat::Csv:
            break;
    }
    return WriteCsv(table, options);
}

std::string ExportSummaryText(ExchangeFormat format, const ExportResult& result) {
    std::string text =
        NumberToText(result.exported) + (result.exported == 1 ? " entry" : " entries") + " exported";
    if (result.withoutDate > 0) {
        text += ", " + NumberToText(result.withoutDate) +
                (format == ExchangeFormat::ICalendar ? " without a date left out" : " without a date");
    }
    return text + ".";
}

std::string CheckImportBytes(std::string_view bytes) {
    if (bytes.empty()) return "THE FILE IS EMPTY.";
    if (bytes.size() > MaxImportBytes) return "THE FILE IS TOO LARGE TO IMPORT (MORE THAN 16 MB).";
    const bool utf16 = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                             (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
    if (!utf16 && bytes.find('\0') != std::string_view::npos) return "THE FILE IS NOT A TEXT FILE.";
    return {};
}

ParsedFile ParseImport(ExchangeFormat format, std::string_view bytes, const ImportOptions& options) {
    if (std::string error = CheckImportBytes(bytes); !error.empty()) return {{}, std::move(error)};
    if (format == ExchangeFormat::BirthdayList) return ParseBirthdayList(bytes);
    std::string decoded;
    bool utf8 = true;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        decoded = Utf16ToUtf8(bytes.substr(2), false);
    } else if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        decoded = Utf16ToUtf8(bytes.substr(2), true);
    } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        decoded = bytes.substr(3);
    } else {
        decoded = bytes;
        utf8 = IsValidUtf8(bytes);
    }
    ParsedFile parsed;
    switch (format) {
        case ExchangeFormat::ICalendar:
            parsed = ParseICalendar(decoded);
            break;
        case ExchangeFormat::VCard:
            parsed = ParseVCard(decoded);
            break;
        case ExchangeFormat::Csv:
            parsed = ParseCsv(decoded, !utf8, options);
            break;
        case ExchangeFormat::BirthdayList:
            break;
    }
    if (parsed.error.empty() && parsed.birthdays.empty()) {
        parsed.error = format == ExchangeFormat::ICalendar ? "THE FILE HOLDS NO CALENDAR EVENT."
                                                           : "THE FILE HOLDS NO CONTACT.";
    }
    return parsed;
}

ParsedFile ParseBirthdayList(std::string_view bytes) {
    if (IsUnreadableList(bytes)) return {{}, "THE FILE IS NOT A BIRTHDAY LIST THAT CAN BE READ."};
    ParsedFile parsed;
    const BirthdayTable list = ParseList(bytes);
    for (const BirthdayEntry& entry : list.Rows()) {
        ImportedBirthday& person = parsed.birthdays.emplace_back();
        person.name = entry.Name;
        person.ansi = true;
        person.date = KnownDate(BirthDateOf(entry));
        person.invalidDate = !person.date && !(entry.Day.empty() && entry.Month.empty());
        person.remind = NumberFromText(entry.Remind) != 0;
    }
    if (parsed.birthdays.empty()) parsed.error = "THE LIST HOLDS NOBODY.";
    return parsed;
}

}  // namespace quillora
