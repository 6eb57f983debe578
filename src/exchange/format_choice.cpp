#include "exchange/format_choice.h"

#include "exchange/text_codec.h"
#include "storage/birthday_table.h"

namespace quillora {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && AsciiUpper(text.substr(text.size() - suffix.size())) == suffix;
}

}  // namespace

std::optional<ExchangeFormat> FormatOfExtension(std::string_view path) {
    if (EndsWithNoCase(path, ".ICS") || EndsWithNoCase(path, ".ICAL")) return ExchangeFormat::ICalendar;
    if (EndsWithNoCase(path, ".VCF") || EndsWithNoCase(path, ".VCARD")) return ExchangeFormat::VCard;
    if (EndsWithNoCase(path, ".CSV")) return ExchangeFormat::Csv;
    if (EndsWithNoCase(path, ".BAK")) return ExchangeFormat::BirthdayList;
    return std::nullopt;
}

std::string_view ExtensionOf(ExchangeFormat format) {
    switch (format) {
        case ExchangeFormat::ICalendar:
            return ".ics";
        case ExchangeFormat::VCard:
            return ".vcf";
        case ExchangeFormat::BirthdayList:
            return ".txt";
        case ExchangeFormat::Csv:
            break;
    }
    return ".csv";
}

ExchangeFormat FormatOfContent(std::string_view bytes) {
    const std::string head = AsciiUpper(bytes.substr(0, 4096));
    const std::size_t calendar = head.find("BEGIN:VCALENDAR");
    const std::size_t card = head.find("BEGIN:VCARD");
    if (calendar != std::string::npos && (card == std::string::npos || calendar < card))
        return ExchangeFormat::ICalendar;
    if (card != std::string::npos) return ExchangeFormat::VCard;
    // A count alone on the first line, and lines to match it.
    const std::size_t lineEnd = bytes.find_first_of("\r\n");
    const std::string_view first = bytes.substr(0, lineEnd);
    if (lineEnd != std::string_view::npos && !first.empty() &&
        first.find_first_not_of("0123456789") == std::string_view::npos && !IsUnreadableList(bytes))
        return ExchangeFormat::BirthdayList;
    return ExchangeFormat::Csv;
}

ExportTarget ExportTargetOf(std::string path, std::optional<ExchangeFormat> filterFormat) {
    if (const auto named = FormatOfExtension(path); named && *named != ExchangeFormat::BirthdayList)
        return {std::move(path), *named};
    const ExchangeFormat format = filterFormat.value_or(ExchangeFormat::ICalendar);
    path += ExtensionOf(format);
    return {std::move(path), format};
}

ExchangeFormat ImportFormatOf(std::string_view path, std::optional<ExchangeFormat> filterFormat,
                              std::string_view bytes) {
    if (const auto named = FormatOfExtension(path)) return *named;
    return filterFormat ? *filterFormat : FormatOfContent(bytes);
}

}  // namespace quillora
