#include "exchange/import_plan.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "storage/number_text.h"

namespace quillora {

namespace {

// Latin letters with marks (U+00C0 to U+017F) without them; '*' keeps the
// character, '?' has a longer form in `Ligature`.
constexpr std::string_view Latin1Letters = "AAAAAA?CEEEEIIIIDNOOOOO*OUUUUY??aaaaaa?ceeeeiiiidnooooo*ouuuuy?y";
constexpr std::string_view ExtendedALetters =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlLlLlNnNnNnnNnOoOoOo??RrRrRrSsSsSsSsTtTtTt"
    "UuUuUuUuUuUuWwYyYZzZzZzs";
static_assert(Latin1Letters.size() == 0x40 && ExtendedALetters.size() == 0x80);

std::string_view Ligature(char32_t point) {
    switch (point) {
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0x132:
        case 0x133:
            return "ij";
        case 0x152:
        case 0x153:
            return "oe";
        default:
            return {};
    }
}

// One code point of valid UTF-8 at `i`, which moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
        point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += length;
    return point;
}

// The UTF-8 text in lower case ASCII where it is Latin, its marks taken off.
std::string FoldLetters(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const char32_t point = NextCodePoint(utf8, i);
        char plain = 0;
        if (point < 0x80) {
            plain = static_cast<char>(point);
        } else if (point >= 0xC0 && point < 0x100) {
            plain = Latin1Letters[point - 0xC0];
        } else if (point >= 0x100 && point < 0x180) {
            plain = ExtendedALetters[point - 0x100];
        } else if (point >= 0x218 && point <= 0x21B) {
            plain = "SsTt"[point - 0x218];
        }
        if (plain == '?') {
            out += Ligature(point);
        } else if (plain != 0 && plain != '*') {
            out += static_cast<char>(plain >= 'A' && plain <= 'Z' ? plain - 'A' + 'a' : plain);
        } else {
            out += utf8.substr(start, i - start);
        }
    }
    return out;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t')
            ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

// Keeps a name within what the table can hold: no line breaks, zero bytes
// or other control characters, no blanks around it.
std::string CleanName(std::string name) {
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    return std::string(TrimBlanks(name));
}

std::string Plural(int count, std::string_view one, std::string_view many) {
    return NumberToText(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

std::string NameKey(std::string_view ansiName, const CodePage& codePage) {
    const std::string folded = FoldLetters(codePage.ToUtf8(ansiName));
    // "Family, Given" is the given name first with the comma taken away.
    std::vector<std::string> words;
    const std::size_t comma = folded.find(',');
    if (comma == std::string::npos) {
        words = Words(folded);
    } else {
        words = Words(std::string_view(folded).substr(comma + 1));
        for (std::string& word : Words(std::string_view(folded).substr(0, comma)))
            words.push_back(std::move(word));
    }
    // The family name may come first or last: of all the turns of the words,
    // the least stands for them all.
    std::vector<std::string> least = words;
    for (std::size_t turn = 1; turn < words.size(); ++turn) {
        std::rotate(words.begin(), words.begin() + 1, words.end());
        least = std::min(least, words);
    }
    std::string key;
    for (const std::string& word : least) {
        if (!key.empty()) key += ' ';
        key += word;
    }
    return key;
}

bool SamePerson(std::string_view nameKey, const BirthDate& date, std::string_view otherKey,
                const BirthDate& otherDate) {
    if (date.day != otherDate.day || date.month != otherDate.month) return false;
    if (HasYear(date) && HasYear(otherDate) && date.year != otherDate.year) return false;
    return nameKey == otherKey;
}

std::string_view StateText(ImportRowState state) {
    switch (state) {
        case ImportRowState::New:
            return "NEW";
        case ImportRowState::NameChanged:
            return "NEW, NAME CHANGED";
        case ImportRowState::InList:
            return "ALREADY IN THE LIST";
        case ImportRowState::AboveInFile:
            return "ALREADY ABOVE";
        case ImportRowState::AddedThere:
            return "ADDED THERE";
        case ImportRowState::ChangedThere:
            return "CHANGED THERE";
        case ImportRowState::DeletedThere:
            return "DELETED THERE";
        case ImportRowState::NoBirthday:
            break;
    }
    return "NO BIRTHDAY";
}

bool CanTick(ImportRowState state) {
    return state != ImportRowState::InList && state != ImportRowState::AboveInFile &&
           state != ImportRowState::NoBirthday;
}

std::vector<bool> ImportPlan::InitialTicks() const {
    std::vector<bool> ticks(rows.size(), false);
    int left = freePlaces;
    for (std::size_t i = 0; i < rows.size() && left > 0; ++i) {
        if (!CanTick(rows[i].state) || rows[i].conflict) continue;
        ticks[i] = true;
        --left;
    }
    return ticks;
}

bool ImportPlan::HasNewPeople() const {
    return std::any_of(rows.begin(), rows.end(), [](const ImportRow& row) { return CanTick(row.state); });
}

ImportPlan PlanImport(const BirthdayTable& table, const std::vector<ImportedBirthday>& birthdays,
                      const CodePage& codePage) {
    ImportPlan plan;
    plan.freePlaces = std::max(0, TableCapacity - table.Count());
    // The dates known under each name key: the list's, then the new people's.
    using DatesByKey = std::unordered_map<std::string, std::vector<BirthDate>>;
    DatesByKey inList;
    for (const BirthdayEntry& entry : table.Rows()) {
        if (const auto date = KnownDate(BirthDateOf(entry)))
            inList[NameKey(entry.Name, codePage)].push_back(*date);
    }
    DatesByKey inFile;
    const auto known = [](const DatesByKey& dates, const std::string& key, const BirthDate& date) {
        const auto found = dates.find(key);
        return found != dates.end() &&
               std::any_of(found->second.begin(), found->second.end(),
                           [&](const BirthDate& d) { return SamePerson(key, date, key, d); });
    };
    for (const ImportedBirthday& birthday : birthdays) {
        AnsiText name = birthday.ansi ? AnsiText{birthday.name, true} : codePage.FromUtf8(birthday.name);
        name.text = CleanName(std::move(name.text));
        if (name.text.empty()) {
            ++plan.withoutName;
            continue;
        }
        ImportRow row{
            std::move(name.text), {}, ImportRowState::NoBirthday, birthday.invalidDate, birthday.remind};
        if (birthday.date) {
            row.date = *birthday.date;
            const std::string key = NameKey(row.name, codePage);
            if (known(inList, key, row.date)) {
                row.state = ImportRowState::InList;
            } else if (known(inFile, key, row.date)) {
                row.state = ImportRowState::AboveInFile;
            } else {
                row.state = name.exact ? ImportRowState::New : ImportRowState::NameChanged;
                inFile[key].push_back(row.date);
            }
        }
        plan.rows.push_back(std::move(row));
    }
    return plan;
}

std::vector<std::string> RowTexts(const ImportRow& row) {
    const bool dated = row.date.day > 0;
    return {row.name, dated ? NumberToText(row.date.day) : std::string(),
            dated ? NumberToText(row.date.month) : std::string(),
            dated && HasYear(row.date) ? NumberToText(row.date.year) : std::string(),
            std::string(StateText(row.state)) + (row.conflict ? ", CHANGED HERE TOO" : "")};
}

ImportPlan PlanOfChanges(const std::vector<OtherChange>& changes, int freePlaces) {
    ImportPlan plan;
    plan.freePlaces = freePlaces;
    for (const OtherChange& change : changes) {
        ImportRow row{change.entry.Name,
                      BirthDateOf(change.entry),
                      ImportRowState::AddedThere,
                      false,
                      NumberFromText(change.entry.Remind) != 0,
                      change.conflict};
        if (change.kind == OtherChange::Kind::Changed) row.state = ImportRowState::ChangedThere;
        if (change.kind == OtherChange::Kind::Deleted) row.state = ImportRowState::DeletedThere;
        // A change or a deletion takes no place in the list.
        if (change.kind != OtherChange::Kind::Added) ++plan.freePlaces;
        plan.rows.push_back(std::move(row));
    }
    return plan;
}

std::string TickCountText(int freePlaces, int ticked) {
    return "FREE PLACES IN THE LIST: " + NumberToText(freePlaces) + "      TICKED: " + NumberToText(ticked);
}

std::string TooManyTickedText(int freePlaces, int ticked) {
    if (ticked <= freePlaces) return {};
    return "YOU TICKED " + Plural(ticked, "PERSON", "PEOPLE") + ", BUT THE LIST HAS ONLY " +
           Plural(freePlaces, "FREE PLACE", "FREE PLACES") + ".\r\nUNTICK " +
           NumberToText(ticked - freePlaces) + " TO IMPORT.";
}

std::string NothingToChooseText(const ImportPlan& plan) {
    if (!plan.HasNewPeople()) {
        return "THE FILE HOLDS NOBODY TO ADD.\r\n" + ImportSummaryText(SummaryOfPlan(plan));
    }
    if (plan.freePlaces == 0) return "THE LIST IS FULL! NOBODY CAN BE ADDED.";
    return {};
}

ImportChoice TickedPeople(const ImportPlan& plan, const std::vector<bool>& ticks) {
    ImportChoice choice;
    ImportSummary& summary = choice.summary;
    summary.withoutName = plan.withoutName;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const ImportRow& row = plan.rows[i];
        switch (row.state) {
            case ImportRowState::InList:
            case ImportRowState::AboveInFile:
                ++summary.alreadyPresent;
                continue;
            case ImportRowState::NoBirthday:
                ++(row.invalidDate ? summary.invalidDate : summary.withoutBirthday);
                continue;
            case ImportRowState::AddedThere:
            case ImportRowState::ChangedThere:
            case ImportRowState::DeletedThere:
                continue;  // taken through the list document, not added here
            case ImportRowState::New:
            case ImportRowState::NameChanged:
                break;
        }
        const bool ticked = i < ticks.size() && ticks[i];
        if (!ticked || summary.added >= plan.freePlaces) {
            ++summary.leftOut;
            continue;
        }
        choice.people.push_back({row.name, NumberToText(row.date.day), NumberToText(row.date.month),
                                 HasYear(row.date) ? NumberToText(row.date.year) : std::string(),
                                 row.remind ? "1" : "0", "1"});
        ++summary.added;
        if (row.state == ImportRowState::NameChanged) summary.approximatedNames.push_back(row.name);
    }
    return choice;
}

ImportSummary AddTickedRows(BirthdayTable& table, const ImportPlan& plan, const std::vector<bool>& ticks) {
    ImportChoice choice = TickedPeople(plan, ticks);
    for (BirthdayEntry& person : choice.people)
        (void)table.Append(std::move(person));
    return choice.summary;
}

ImportSummary SummaryOfPlan(const ImportPlan& plan) {
    return TickedPeople(plan, {}).summary;
}

std::string ImportSummaryText(const ImportSummary& summary) {
    std::string text = "Added: " + NumberToText(summary.added) +
                       "\r\nLeft out by choice: " + NumberToText(summary.leftOut) +
                       "\r\nSkipped, already in the list: " + NumberToText(summary.alreadyPresent) +
                       "\r\nSkipped, without a birthday: " + NumberToText(summary.withoutBirthday);
    if (summary.invalidDate > 0)
        text += "\r\nSkipped, a birthday that is no date: " + NumberToText(summary.invalidDate);
    if (summary.withoutName > 0) text += "\r\nSkipped, without a name: " + NumberToText(summary.withoutName);
    if (!summary.approximatedNames.empty()) {
        constexpr std::size_t Listed = 10;
        text += "\r\nNames with characters replaced by the closest ones:";
        for (std::size_t i = 0; i < summary.approximatedNames.size() && i < Listed; ++i)
            text += "\r\n    " + summary.approximatedNames[i];
        if (summary.approximatedNames.size() > Listed)
            text += "\r\n    and " +
                    NumberToText(static_cast<std::int64_t>(summary.approximatedNames.size() - Listed)) +
                    " more";
    }
    return text;
}

}  // namespace quillora
