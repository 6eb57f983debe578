// CSV (RFC 4180): Quillora's own layout written; Google's, Outlook's and
// Quillora's own read, the header deciding which columns mean what.
#include <algorithm>
#include <array>

#include "exchange/formats.h"
#include "storage/number_text.h"

namespace quillora {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string Quoted(std::string_view field) {
    const bool plain = field.find_first_of(",\"\r\n") == std::string_view::npos &&
                       (field.empty() || (field.front() != ' ' && field.back() != ' '));
    if (plain) return std::string(field);
    std::string out = "\"";
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// A spreadsheet runs a cell that starts with one of these as a formula.
bool StartsLikeFormula(std::string_view field) {
    return !field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos;
}

// A cell as Quillora writes it: a single quote in front of what a
// spreadsheet would run as a formula, so that it shows as text, and in front
// of a leading quote itself, so that the import gives every text back
// unchanged.
std::string Guarded(std::string_view field) {
    if (StartsLikeFormula(field) || (!field.empty() && field.front() == '\''))
        return "'" + std::string(field);
    return std::string(field);
}

// The text of a cell written by Guarded. A quote before anything else (a
// name like "'Tis" from another program) is part of the text.
std::string_view Unguarded(std::string_view field) {
    if (field.size() >= 2 && field.front() == '\'' &&
        (StartsLikeFormula(field.substr(1)) || field[1] == '\''))
        return field.substr(1);
    return field;
}

// Records of the file, each a list of fields; quotes may hold separators
// and line breaks. Empty records are left out.
class CsvReader {
public:
    CsvReader(std::string_view bytes, char separator) : bytes_(bytes), separator_(separator) {}

    bool Next(std::vector<std::string>& fields) {
        while (pos_ < bytes_.size()) {
            fields.assign(1, std::string());
            bool quoted = false;
            bool any = false;
            for (; pos_ < bytes_.size(); ++pos_) {
                const char c = bytes_[pos_];
                if (quoted) {
                    if (c != '"') {
                        fields.back() += c;
                    } else if (pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '"') {
                        fields.back() += '"';
                        ++pos_;
                    } else {
                        quoted = false;
                    }
                } else if (c == '"') {
                    quoted = any = true;
                } else if (c == separator_) {
                    fields.emplace_back();
                    any = true;
                } else if (c == '\r' || c == '\n') {
                    ++pos_;
                    if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
                    break;
                } else {
                    fields.back() += c;
                    any = true;
                }
            }
            if (any) return true;
        }
        return false;
    }

private:
    std::string_view bytes_;
    char separator_;
    std::size_t pos_ = 0;
};

// The separator of the header line: a comma, or a semicolon or tab where
// the header has more of those (spreadsheets in many countries).
char SeparatorOf(std::string_view bytes) {
    const std::string_view header = bytes.substr(0, bytes.find_first_of("\r\n"));
    const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
    if (count(';') > count(',') && count(';') >= count('\t')) return ';';
    if (count('\t') > count(',')) return '\t';
    return ',';
}

struct Columns {
    int name = -1, first = -1, middle = -1, last = -1;
    int birthday = -1, day = -1, month = -1, year = -1;
    int remind = -1;  // Quillora's own
};

Columns ColumnsOf(const std::vector<std::string>& header) {
    Columns columns;
    const auto set = [](int& column, int index) {
        if (column < 0) column = index;
    };
    for (int i = 0; i < static_cast<int>(header.size()); ++i) {
        const std::string title = AsciiUpper(TrimBlanks(header[static_cast<std::size_t>(i)]));
        if (title == "NAME" || title == "FULL NAME" || title == "DISPLAY NAME") set(columns.name, i);
        if (title == "FIRST NAME" || title == "GIVEN NAME") set(columns.first, i);
        if (title == "MIDDLE NAME" || title == "ADDITIONAL NAME") set(columns.middle, i);
        if (title == "LAST NAME" || title == "FAMILY NAME") set(columns.last, i);
        if (title == "BIRTHDAY" || title == "BIRTH DATE" || title == "BIRTHDATE") set(columns.birthday, i);
        if (title == "DAY") set(columns.day, i);
        if (title == "MONTH") set(columns.month, i);
        if (title == "YEAR") set(columns.year, i);
        if (title == "REMIND") set(columns.remind, i);
    }
    return columns;
}

std::string Field(const std::vector<std::string>& fields, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= fields.size()) return {};
    return std::string(Unguarded(TrimBlanks(fields[static_cast<std::size_t>(column)])));
}

// A short date in the system's order ("3/14/1990", "14.03.1990"); two-digit
// years as Windows reads them by default (00 to 49 are 2000 to 2049).
std::optional<BirthDate> ParseShortDate(std::string_view text, ShortDateOrder order) {
    std::array<int, 3> numbers{};
    std::array<std::size_t, 3> widths{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        if (count == 3) return std::nullopt;
        std::size_t width = 0;
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (++width > 4) return std::nullopt;
            value = value * 10 + (text[i++] - '0');
        }
        numbers[count] = value;
        widths[count++] = width;
    }
    if (count != 3) return std::nullopt;
    std::size_t y = 2, m = 0, d = 1;
    if (order == ShortDateOrder::DayMonthYear) {
        d = 0;
        m = 1;
    } else if (order == ShortDateOrder::YearMonthDay) {
        y = 0;
        m = 1;
        d = 2;
    }
    int year = numbers[y];
    if (widths[y] <= 2) year += year < 50 ? 2000 : 1900;
    return GivenDate(numbers[d], numbers[m], year);
}

bool AllZero(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
}

void ReadDate(ImportedBirthday& birthday, const std::vector<std::string>& fields, const Columns& columns,
              const ImportOptions& options) {
    if (columns.birthday >= 0) {
        const std::string text = Field(fields, columns.birthday);
        // Outlook writes "0/0/00" for a contact without a birthday.
        if (text.empty() || AllZero(text)) return;
        birthday.date = ParseIsoDate(text);
        if (!birthday.date) birthday.date = ParseShortDate(text, options.shortDateOrder);
    } else {
        const std::string day = Field(fields, columns.day);
        const std::string month = Field(fields, columns.month);
        const std::string year = Field(fields, columns.year);
        if (day.empty() && month.empty()) return;
        if (AllDigits(day) && AllDigits(month) && day.size() <= 2 && month.size() <= 2 &&
            (year.empty() || (AllDigits(year) && year.size() <= 4))) {
            birthday.date = GivenDate(NumberFromText(day), NumberFromText(month), NumberFromText(year));
        }
    }
    birthday.invalidDate = !birthday.date;
}

}  // namespace

ExportResult WriteCsv(const BirthdayTable& table, const ExportOptions& options) {
    ExportResult result;
    std::string& out = result.bytes;
    out += ByteOrderMark;
    out += "Name,Day,Month,Year,Remind\r\n";
    for (const BirthdayEntry& entry : table.Rows()) {
        out += Quoted(Guarded(NameToUtf8(entry.Name, options)));
        for (const std::string* text : {&entry.Day, &entry.Month, &entry.Year, &entry.Remind}) {
            out += ',';
            out += Quoted(Guarded(NameToUtf8(*text, options)));
        }
        out += "\r\n";
        ++result.exported;
        if (!KnownDate(BirthDateOf(entry))) ++result.withoutDate;
    }
    return result;
}

ParsedFile ParseCsv(std::string_view bytes, bool ansi, const ImportOptions& options) {
    ParsedFile parsed;
    CsvReader reader(bytes, SeparatorOf(bytes));
    std::vector<std::string> fields;
    if (!reader.Next(fields)) return parsed;
    const Columns columns = ColumnsOf(fields);
    if (columns.birthday < 0 && (columns.day < 0 || columns.month < 0)) {
        parsed.error =
            "THE FILE'S FIRST LINE NAMES NO BIRTHDAY COLUMN (\"Birthday\", OR \"Day\" AND \"Month\").";
        return parsed;
    }
    while (reader.Next(fields)) {
        ImportedBirthday birthday;
        birthday.ansi = ansi;
        birthday.name = Field(fields, columns.name);
        if (birthday.name.empty()) {
            const std::string first = Field(fields, columns.first);
            const std::string middle = Field(fields, columns.middle);
            const std::string last = Field(fields, columns.last);
            for (const std::string* part : {&first, &middle, &last}) {
                if (part->empty()) continue;
                if (!birthday.name.empty()) birthday.name += ' ';
                birthday.name += *part;
            }
        }
        ReadDate(birthday, fields, columns, options);
        if (columns.remind >= 0) birthday.remind = NumberFromText(Field(fields, columns.remind)) != 0;
        parsed.birthdays.push_back(std::move(birthday));
    }
    return parsed;
}

}  // namespace quillora
