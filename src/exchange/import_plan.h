#pragma once
// What an import offers before anything is added: every person the file
// holds, what Quillora makes of each (new, already in the list, no birthday,
// a name changed to fit the code page), which of them start ticked, and what
// adding the ticked ones does.
#include <string>
#include <string_view>
#include <vector>

#include "exchange/records.h"
#include "storage/list_merge.h"

namespace quillora {

// The form in which two names are compared: letter case folded, accents
// taken off as the code page's best fit takes them ("é" and "Ł" become "e"
// and "L"), blanks around and between words ignored, and the order of family
// and given names left out ("Berg, Anna", "Berg Anna" and "Anna Berg" give
// the same key). `ansiName` is in the code page, as the list keeps names.
std::string NameKey(std::string_view ansiName, const CodePage& codePage);

// Whether two people are the same: same day and month, the same year when
// both have one, and names with the same key.
bool SamePerson(std::string_view nameKey, const BirthDate& date, std::string_view otherKey,
                const BirthDate& otherDate);

enum class ImportRowState {
    New,
    NameChanged,  // new, but the name lost characters the code page lacks
    InList,       // an entry of the list is the same person
    AboveInFile,  // the same person as a row above it in the file
    NoBirthday,   // no birthday in the file, or one that names no date
    // A change another version of the list made, offered line by line.
    AddedThere,
    ChangedThere,
    DeletedThere,
};

// The words the preview shows for a row's state.
std::string_view StateText(ImportRowState state);
// Whether a row may be ticked: only people who can be added.
bool CanTick(ImportRowState state);

struct ImportRow {
    std::string name;  // in the code page, as it would be stored
    BirthDate date;    // day 0 when the row has no birthday
    ImportRowState state = ImportRowState::New;
    bool invalidDate = false;  // a birthday was given but names no date
    bool remind = true;        // false when the file turned reminding off
    bool conflict = false;     // a change there to someone changed here too: not ticked at first
};

struct ImportPlan {
    std::vector<ImportRow> rows;  // in file order; people without a name are left out
    int freePlaces = 0;
    int withoutName = 0;

    // New people ticked in file order up to the free places.
    [[nodiscard]] std::vector<bool> InitialTicks() const;
    // Whether any row could be added at all.
    [[nodiscard]] bool HasNewPeople() const;
};

// Reads the file's birthdays against the table. Nothing is changed.
ImportPlan PlanImport(const BirthdayTable& table, const std::vector<ImportedBirthday>& birthdays,
                      const CodePage& codePage);

// The texts of a row in the preview: NAME, DAY, MONTH, YEAR and the state.
std::vector<std::string> RowTexts(const ImportRow& row);

// The preview's line about places and ticks.
std::string TickCountText(int freePlaces, int ticked);
// The refusal when more are ticked than there are places, or the empty text
// when the ticks fit.
std::string TooManyTickedText(int freePlaces, int ticked);
// Instead of a preview: why there is nobody to choose from (everybody is in
// the list already, nobody has a birthday, the list is full), or the empty
// text when the preview has something to offer.
std::string NothingToChooseText(const ImportPlan& plan);

// The changes of another version of the list as rows of a preview: those
// that conflict with nothing start ticked. Only additions take free places.
ImportPlan PlanOfChanges(const std::vector<OtherChange>& changes, int freePlaces);

// The ticked rows that can be added, as entries in file order (Remind as the
// file has it, Mark "1"), as many as the plan's free places, and the count of
// what happened. `ticks` has one flag per row; rows beyond it count as not
// ticked.
struct ImportChoice {
    std::vector<BirthdayEntry> people;
    ImportSummary summary;
};
ImportChoice TickedPeople(const ImportPlan& plan, const std::vector<bool>& ticks);
// The same people appended to `table`.
ImportSummary AddTickedRows(BirthdayTable& table, const ImportPlan& plan, const std::vector<bool>& ticks);

// The one message shown after an import.
std::string ImportSummaryText(const ImportSummary& summary);

// What the summary counts when nothing is added (the preview was not opened).
ImportSummary SummaryOfPlan(const ImportPlan& plan);

}  // namespace quillora
