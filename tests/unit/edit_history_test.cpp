#include "storage/edit_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include "unit_support.h"

namespace quillora {
namespace {

// Each kind of change undone and redone: the table comes back row for row,
// and the undo names the rows it put back (none for an addition).
TEST(EditHistory, UndoesAndRedoesEachKindOfChangeRowForRow) {
    using Change = std::function<void(BirthdayTable&)>;
    const struct {
        const char* what;
        Change change;
        ChangedRows undone;
    } cases[] = {
        {"add", [](BirthdayTable& t) { (void)t.Append(Cleo); }, {3, 0}},
        {"edit", [](BirthdayTable& t) { (void)t.Replace(1, Cleo); }, {1, 1}},
        {"delete one of two equal rows", [](BirthdayTable& t) { t.Remove(2); }, {2, 1}},
        {"clear", [](BirthdayTable& t) { t.Clear(); }, {0, 3}},
        {"import", [](BirthdayTable& t) { (void)(t.Append(Cleo) && t.Append(Anna)); }, {3, 0}},
    };
    for (const auto& c : cases) {
        EditHistory history;
        const BirthdayTable start = TableOf({Anna, Ben, Ben});
        BirthdayTable table = start;
        {
            const RecordedChange recorded(history, table);
            c.change(table);
        }
        const BirthdayTable changed = table;
        const std::optional<ChangedRows> undone = history.Undo(table);
        ASSERT_TRUE(undone.has_value()) << c.what;
        EXPECT_EQ(std::pair(undone->first, undone->count), std::pair(c.undone.first, c.undone.count))
            << c.what;
        EXPECT_EQ(table, start) << c.what;
        ASSERT_TRUE(history.Redo(table).has_value()) << c.what;
        EXPECT_EQ(table, changed) << c.what;
    }
}

TEST(EditHistory, KeepsNoEmptyStepsAndNeverPatchesATableChangedBehindItsBack) {
    EditHistory history;
    BirthdayTable table = TableOf({Anna, Ben});
    { const RecordedChange confirmedAsItWas(history, table); }
    EXPECT_FALSE(history.Undo(table).has_value());
    {
        const RecordedChange recorded(history, table);
        (void)table.Replace(1, Cleo);
    }
    (void)table.Replace(1, Anna);
    EXPECT_FALSE(history.Undo(table).has_value());
    EXPECT_EQ(table, TableOf({Anna, Anna}));
}

// Twenty-five changes back and forward again; a new change after an undo
// forgets what was undone.
TEST(EditHistory, GoesManyChangesBackAndForthAndANewChangeEndsTheRedo) {
    static_assert(EditHistory::Depth >= 20);
    EditHistory history;
    BirthdayTable table;
    std::vector<BirthdayTable> states{table};
    for (int n = 0; n < 25; ++n) {
        const RecordedChange recorded(history, table);
        (void)table.Append({std::to_string(n), "1", "2", "", "1", "1"});
        states.push_back(table);
    }
    for (int n = 24; n >= 0; --n) {
        ASSERT_TRUE(history.Undo(table).has_value());
        ASSERT_EQ(table, states[static_cast<std::size_t>(n)]);
    }
    EXPECT_FALSE(history.Undo(table).has_value());
    while (history.Redo(table).has_value()) {
    }
    EXPECT_EQ(table, states.back());
    (void)history.Undo(table);
    {
        const RecordedChange recorded(history, table);
        table.Clear();
    }
    EXPECT_FALSE(history.CanRedo());
}

}  // namespace
}  // namespace quillora
