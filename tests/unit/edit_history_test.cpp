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

BirthdayTable TableOf(std::initializer_list<BirthdayEntry> entries) {
    BirthdayTable table;
    for (const BirthdayEntry& entry : entries)
        table.AppendLoaded(entry);
    return table;
}

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

// Random changes: each undo goes back exactly one state, as far as the
// history reaches (at least 20), each redo forward, and a new change after
// undos forgets what was undone.
TEST(EditHistory, WalksBackAndForthThroughRandomChanges) {
    static_assert(EditHistory::Depth >= 20);
    std::mt19937 random(20);
    auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    EditHistory history;
    BirthdayTable table = TableOf({Anna, Ben, Cleo});
    std::vector<BirthdayTable> states{table};
    while (states.size() <= EditHistory::Depth + 20) {
        const BirthdayEntry made{"P" + std::to_string(pick(1000)), "1", "2", "", "1", "1"};
        const int kind = table.Count() == 0 ? 0 : pick(5);
        const RecordedChange recorded(history, table);
        if (kind == 1) (void)table.Replace(pick(table.Count()), made);
        if (kind == 2) table.Remove(pick(table.Count()));
        if (kind == 3) table.Clear();
        for (int n = kind == 0 ? 1 : kind == 4 ? 3 : 0; n > 0; --n)
            (void)table.Append(made);
        if (table != states.back()) states.push_back(table);
    }
    const std::size_t last = states.size() - 1;
    for (std::size_t back = 1; back <= EditHistory::Depth; ++back) {
        ASSERT_TRUE(history.Undo(table).has_value());
        ASSERT_EQ(table, states[last - back]) << back;
    }
    EXPECT_FALSE(history.Undo(table).has_value()) << "older changes are forgotten";
    for (std::size_t back = EditHistory::Depth; back-- > 0;) {
        ASSERT_TRUE(history.Redo(table).has_value());
        ASSERT_EQ(table, states[last - back]) << back;
    }
    EXPECT_FALSE(history.Redo(table).has_value());
    (void)history.Undo(table);
    {
        const RecordedChange recorded(history, table);
        (void)table.Append(Anna);
    }
    EXPECT_FALSE(history.CanRedo()) << "a new change forgets what was undone";
    ASSERT_TRUE(history.Undo(table).has_value());
    EXPECT_EQ(table, states[last - 1]);
}

}  // namespace
}  // namespace quillora
