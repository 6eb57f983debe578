#include "storage/edit_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace quillora {
namespace {

const BirthdayEntry Anna{"Anna", "14", "2", "1980", "1", "1"};
const BirthdayEntry Ben{"Ben", "3", "11", "1975", "0", "1"};
const BirthdayEntry Cleo{"Cleo", "29", "2", "", "1", "1"};
const BirthdayEntry Dora{"Dora", "07", "7", "2001", "1", "0"};

BirthdayTable TableOf(std::initializer_list<BirthdayEntry> entries) {
    BirthdayTable table;
    for (const BirthdayEntry& entry : entries)
        table.AppendLoaded(entry);
    return table;
}

// Each kind of change the user can make, undone and redone: the table and
// the bytes of its file come back exactly, and the undo reports the rows it
// put back.
TEST(EditHistory, UndoesAndRedoesEachKindOfChangeRowForRow) {
    const struct {
        const char* what;
        BirthdayTable start;
        std::function<void(BirthdayTable&)> change;
        ChangedRows undone;
    } cases[] = {
        {"add", TableOf({Anna, Ben}), [](BirthdayTable& t) { ASSERT_TRUE(t.Append(Dora)); }, {2, 0}},
        {"edit",
         TableOf({Anna, Ben, Cleo}),
         [](BirthdayTable& t) { ASSERT_TRUE(t.Replace(1, Dora)); },
         {1, 1}},
        {"edit the mark only",
         TableOf({Dora}),
         [](BirthdayTable& t) {
             ASSERT_TRUE(t.Replace(0, {"Dora", "07", "7", "2001", "1", "1"}));
         },
         {0, 1}},
        {"delete the first", TableOf({Anna, Ben, Cleo}), [](BirthdayTable& t) { t.Remove(0); }, {0, 1}},
        {"delete in the middle", TableOf({Anna, Ben, Cleo}), [](BirthdayTable& t) { t.Remove(1); }, {1, 1}},
        {"delete the last", TableOf({Anna, Ben, Cleo}), [](BirthdayTable& t) { t.Remove(2); }, {2, 1}},
        {"delete one of two equal rows",
         TableOf({Anna, Ben, Ben, Cleo}),
         [](BirthdayTable& t) { t.Remove(2); },
         {2, 1}},
        {"delete the only", TableOf({Cleo}), [](BirthdayTable& t) { t.Remove(0); }, {0, 1}},
        {"clear", TableOf({Anna, Ben, Cleo, Dora}), [](BirthdayTable& t) { t.Clear(); }, {0, 4}},
        {"import",
         TableOf({Anna}),
         [](BirthdayTable& t) {
             for (const BirthdayEntry& entry : {Ben, Cleo, Dora})
                 ASSERT_TRUE(t.Append(entry));
         },
         {1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EditHistory history;
        BirthdayTable table = c.start;
        {
            const RecordedChange recorded(history, table);
            c.change(table);
        }
        const BirthdayTable changed = table;
        ASSERT_TRUE(history.CanUndo());
        EXPECT_FALSE(history.CanRedo());

        const std::optional<ChangedRows> undone = history.Undo(table);
        ASSERT_TRUE(undone.has_value());
        EXPECT_EQ(undone->first, c.undone.first);
        EXPECT_EQ(undone->count, c.undone.count);
        EXPECT_EQ(table, c.start);
        EXPECT_EQ(ListToBytes(table), ListToBytes(c.start));
        EXPECT_FALSE(history.CanUndo());
        ASSERT_TRUE(history.CanRedo());

        ASSERT_TRUE(history.Redo(table).has_value());
        EXPECT_EQ(table, changed);
        ASSERT_TRUE(history.Undo(table).has_value());
        EXPECT_EQ(table, c.start) << "a redone change is undone again";
    }
}

TEST(EditHistory, NothingToUndoAndChangesThatChangeNothingLeaveAllAsItIs) {
    EditHistory history;
    BirthdayTable table = TableOf({Anna, Ben});
    EXPECT_FALSE(history.Undo(table).has_value());
    EXPECT_FALSE(history.Redo(table).has_value());
    {
        const RecordedChange recorded(history, table);
        ASSERT_TRUE(table.Replace(1, Ben));  // an edit confirmed as it was
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(table, TableOf({Anna, Ben}));
}

// A table changed without the history (which the program never does) is
// left alone rather than patched with rows that no longer fit it.
TEST(EditHistory, NeverPatchesATableThatChangedBehindItsBack) {
    const std::function<void(BirthdayTable&)> behindItsBack[] = {
        [](BirthdayTable& t) { t.Remove(1); },                      // the step's rows are gone
        [](BirthdayTable& t) { ASSERT_TRUE(t.Replace(1, Cleo)); },  // others stand in their place
    };
    for (const auto& change : behindItsBack) {
        EditHistory history;
        BirthdayTable table = TableOf({Anna, Ben, Cleo});
        {
            const RecordedChange recorded(history, table);
            ASSERT_TRUE(table.Replace(1, Dora));
        }
        change(table);
        const BirthdayTable seen = table;
        EXPECT_FALSE(history.Undo(table).has_value());
        EXPECT_EQ(table, seen);
        EXPECT_FALSE(history.CanUndo());
        EXPECT_FALSE(history.CanRedo());
    }
}

// Many random changes: every undo goes back exactly one state, as far as the
// history reaches (at least 20 changes), every redo forward again, and a new
// change after undos forgets what was undone.
TEST(EditHistory, WalksBackAndForthThroughRandomChanges) {
    static_assert(EditHistory::Depth >= 20);
    std::mt19937 random(20);
    auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    auto changeAtRandom = [&](BirthdayTable& table) {
        const BirthdayEntry made{"P" + std::to_string(pick(1000)),
                                 std::to_string(1 + pick(28)),
                                 std::to_string(1 + pick(12)),
                                 "",
                                 "1",
                                 "1"};
        switch (table.Count() == 0 ? 0 : pick(10)) {
            case 0:
            case 1:
            case 2:
                (void)table.Append(made);
                break;
            case 3:
            case 4:
            case 5:
                (void)table.Replace(pick(table.Count()), made);
                break;
            case 6:
            case 7:
                table.Remove(pick(table.Count()));
                break;
            case 8:
                table.Clear();
                break;
            default:
                for (int n = 1 + pick(4); n > 0; --n)
                    (void)table.Append(made);
        }
    };

    EditHistory history;
    BirthdayTable table = TableOf({Anna, Ben, Cleo});
    std::vector<BirthdayTable> states{table};
    while (states.size() < EditHistory::Depth + 30) {
        {
            const RecordedChange recorded(history, table);
            changeAtRandom(table);
        }
        if (table != states.back()) states.push_back(table);
    }
    const std::size_t last = states.size() - 1;
    for (std::size_t back = 1; back <= EditHistory::Depth; ++back) {
        ASSERT_TRUE(history.Undo(table).has_value()) << back;
        ASSERT_EQ(table, states[last - back]) << back;
    }
    EXPECT_FALSE(history.Undo(table).has_value()) << "older changes are forgotten";
    EXPECT_EQ(table, states[last - EditHistory::Depth]);
    for (std::size_t forward = EditHistory::Depth; forward-- > 0;) {
        ASSERT_TRUE(history.Redo(table).has_value()) << forward;
        ASSERT_EQ(table, states[last - forward]) << forward;
    }
    EXPECT_FALSE(history.Redo(table).has_value());

    for (int back = 0; back < 3; ++back)
        ASSERT_TRUE(history.Undo(table).has_value());
    {
        const RecordedChange recorded(history, table);
        (void)table.Append(Dora);
    }
    EXPECT_FALSE(history.CanRedo()) << "a new change forgets what was undone";
    EXPECT_FALSE(history.Redo(table).has_value());
    ASSERT_TRUE(history.Undo(table).has_value());
    EXPECT_EQ(table, states[last - 3]);
    ASSERT_TRUE(history.Undo(table).has_value());
    EXPECT_EQ(table, states[last - 4]);
}

}  // namespace
}  // namespace quillora
