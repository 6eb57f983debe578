#pragma once
// What the user changed in the birthday table during this run, so that
// Ctrl+Z can take it back and Ctrl+Y put it in again.
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "storage/birthday_table.h"

namespace quillora {

// The table rows an undo or a redo put in: `count` rows from `first` on (no
// rows for the undo of an addition or the redo of a deletion).
struct ChangedRows {
    int first = 0;
    int count = 0;
};

class EditHistory {
public:
    // How many changes can be taken back; older ones are forgotten.
    static constexpr std::size_t Depth = 100;

    // Keeps the change from `before` to `after` as the next one to undo and
    // forgets what was undone; a table that did not change records nothing.
    void Record(const BirthdayTable& before, const BirthdayTable& after);

    [[nodiscard]] bool CanUndo() const { return !undo_.empty(); }
    [[nodiscard]] bool CanRedo() const { return !redo_.empty(); }

    // Puts `table` back as it was before the last change still in effect;
    // nothing when there is none. A table that no longer holds what that
    // change left (changed behind the history's back) is never touched: the
    // history is forgotten instead.
    std::optional<ChangedRows> Undo(BirthdayTable& table);
    // Makes the last undone change again, under the same condition.
    std::optional<ChangedRows> Redo(BirthdayTable& table);

private:
    // Rows [first, first + before.size()) became `after`; every other row
    // stayed at its place relative to the start or to the end of the table.
    struct Step {
        int first = 0;
        std::vector<BirthdayEntry> before;
        std::vector<BirthdayEntry> after;
    };
    // Puts the step's rows of one side in place of those of the other, when
    // the table holds the latter at the step's place.
    std::optional<ChangedRows> Apply(BirthdayTable& table, const Step& step, bool forward);

    std::deque<Step> undo_;   // the oldest first
    std::vector<Step> redo_;  // the most recently undone last
};

// Records whatever the table went through between its making and its end as
// one change: declared just before the code that changes the table.
class RecordedChange {
public:
    RecordedChange(EditHistory& history, const BirthdayTable& table)
        : history_(history), table_(table), before_(table) {}
    RecordedChange(const RecordedChange&) = delete;
    RecordedChange& operator=(const RecordedChange&) = delete;
    ~RecordedChange() { history_.Record(before_, table_); }

private:
    EditHistory& history_;
    const BirthdayTable& table_;
    BirthdayTable before_;
};

}  // namespace quillora
