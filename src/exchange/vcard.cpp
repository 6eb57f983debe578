// vCard: version 3.0 written; 2.1, 3.0 and 4.0 read.
#include "exchange/content_lines.h"
#include "exchange/formats.h"
#include "storage/number_text.h"

namespace quillora {

namespace {

// "Anna Maria Schmidt" as N: family name "Schmidt", given "Anna Maria".
std::string StructuredName(std::string_view name) {
    const std::size_t blank = name.rfind(' ');
    if (blank == std::string_view::npos) return EscapeText(name) + ";;;;";
    return EscapeText(name.substr(blank + 1)) + ";" + EscapeText(name.substr(0, blank)) + ";;;";
}

// A property value as UTF-8: quoted-printable decoded, then from its
// CHARSET (vCard 2.1), otherwise taken as UTF-8 when it is valid.
std::string DecodedValue(const ContentLine& line) {
    std::string value = line.value;
    if (line.HasValue("QUOTED-PRINTABLE")) value = DecodeQuotedPrintable(value);
    const std::string charset = line.Param("CHARSET");
    return charset.empty() ? AsUtf8(value) : CharsetToUtf8(charset, value);
}

std::string JoinNonEmpty(std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (const std::string_view part : parts) {
        const std::string_view trimmed = TrimBlanks(part);
        if (trimmed.empty()) continue;
        if (!joined.empty()) joined += ' ';
        joined += trimmed;
    }
    return joined;
}

struct CardFields {
    std::string formattedName;
    std::string structuredName;
    std::optional<ContentLine> birthday;
};

ImportedBirthday BirthdayOfCard(const CardFields& card) {
    ImportedBirthday birthday;
    birthday.name = card.formattedName;
    if (TrimBlanks(birthday.name).empty()) {
        // family;given;additional;prefixes;suffixes
        std::vector<std::string> parts = SplitComponents(card.structuredName);
        parts.resize(5);
        birthday.name = JoinNonEmpty({parts[3], parts[1], parts[2], parts[0], parts[4]});
    }
    if (!card.birthday) return birthday;
    birthday.date = ParseIsoDate(DecodedValue(*card.birthday));
    birthday.invalidDate = !birthday.date;
    // Apple writes a year it means as "no year" and names it.
    const std::string omitted = card.birthday->Param("X-APPLE-OMIT-YEAR");
    if (birthday.date && !omitted.empty() && NumberFromText(omitted) == birthday.date->year)
        birthday.date->year = NoYear;
    return birthday;
}

}  // namespace

ExportResult WriteVCard(const BirthdayTable& table, const ExportOptions& options) {
    ExportResult result;
    std::string& out = result.bytes;
    const std::vector<std::string> uids = EntryUids(table);
    for (std::size_t index = 0; index < uids.size(); ++index) {
        const BirthdayEntry& entry = table.Rows()[index];
        const std::string name = NameToUtf8(entry.Name, options);
        AppendFolded(out, "BEGIN:VCARD");
        AppendFolded(out, "VERSION:3.0");
        // Address books that keep one file per contact refuse a card without one.
        AppendFolded(out, "UID:" + uids[index]);
        AppendFolded(out, "FN:" + EscapeText(name));
        AppendFolded(out, "N:" + StructuredName(name));
        if (const std::optional<BirthDate> date = KnownDate(BirthDateOf(entry))) {
            const std::optional<CalendarDay> birth = RealDay(*date);
            AppendFolded(
                out, "BDAY:" + (birth ? FormatDate("%yyyy-%mm-%dd", *birth)
                                      : "--" + ZeroPadded(date->month, 2) + "-" + ZeroPadded(date->day, 2)));
        } else {
            ++result.withoutDate;
        }
        AppendFolded(out, "END:VCARD");
        ++result.exported;
    }
    return result;
}

ParsedFile ParseVCard(std::string_view bytes) {
    ParsedFile parsed;
    bool sawCard = false;
    std::optional<CardFields> card;
    for (const std::string& text : UnfoldLines(bytes)) {
        const ContentLine line = ParseContentLine(text);
        const std::string value = AsciiUpper(TrimBlanks(line.value));
        if (line.name == "BEGIN" && value == "VCARD") {
            if (card) parsed.birthdays.push_back(BirthdayOfCard(*card));  // a card left open
            card.emplace();
            sawCard = true;
        } else if (line.name == "END" && value == "VCARD") {
            if (card) parsed.birthdays.push_back(BirthdayOfCard(*card));
            card.reset();
        } else if (!card) {
            continue;
        } else if (line.name == "FN" && card->formattedName.empty()) {
            card->formattedName = UnescapeText(DecodedValue(line));
        } else if (line.name == "N" && card->structuredName.empty()) {
            card->structuredName = DecodedValue(line);
        } else if (line.name == "BDAY" && !card->birthday) {
            card->birthday = line;
        }
    }
    if (card) parsed.birthdays.push_back(BirthdayOfCard(*card));
    if (!sawCard) parsed.error = "THE FILE IS NO VCARD FILE (NO BEGIN:VCARD).";
    return parsed;
}

}  // namespace quillora
