#include "storage/list_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/safekeeping.h"
#include "unit_support.h"

namespace quillora {
namespace {

// One person, Anna, in each of the states a side can leave her in: as the
// base has her ('u'), in one of two changed versions ('1', '2'), or not at
// all ('-': deleted, or never added).
std::vector<BirthdayEntry> Anna(char state) {
    switch (state) {
        case 'u':
            return {{"Anna", "14", "2", "1980", "1", "1"}};
        case '1':
            return {{"Anna", "15", "2", "1980", "1", "1"}};
        case '2':
            return {{"Anna", "14", "2", "1980", "0", "1"}};
        default:
            return {};
    }
}

// The user's table has Anna between Ben and Cleo, the file after them.
BirthdayTable Ours(char state) {
    std::vector<BirthdayEntry> rows{Ben};
    for (const BirthdayEntry& anna : Anna(state))
        rows.push_back(anna);
    rows.push_back(Cleo);
    return TableOf(rows);
}
BirthdayTable Theirs(char state) {
    std::vector<BirthdayEntry> rows{Ben, Cleo};
    for (const BirthdayEntry& anna : Anna(state))
        rows.push_back(anna);
    return TableOf(rows);
}

TEST(ListMerge, EachPersonTakesTheChangeOfTheSideThatMadeItAndTheUserWinsAConflict) {
    const struct {
        char base, ours, theirs;
        char merged;  // where the user has Anna she stays at her place; else she comes last
        char keptAside;
    } cases[] = {
        {'u', 'u', 'u', 'u', '-'},  // nobody changed her
        {'u', 'u', '1', '1', '-'},  // changed outside only
        {'u', 'u', '-', '-', '-'},  // deleted outside only
        {'u', '1', 'u', '1', '-'},  // changed by the user only
        {'u', '1', '1', '1', '-'},  // the same change on both sides
        {'u', '1', '2', '1', '2'},  // changed differently: the user's stays
        {'u', '1', '-', '1', '-'},  // the user changed whom the file deleted
        {'u', '-', 'u', '-', '-'},  // deleted by the user only
        {'u', '-', '1', '-', '1'},  // the user deleted whom the file changed
        {'u', '-', '-', '-', '-'},  // deleted on both sides
        {'-', '-', '1', '1', '-'},  // added outside
        {'-', '1', '-', '1', '-'},  // added by the user
        {'-', '1', '1', '1', '-'},  // the same addition on both sides
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((std::string{c.base, ' ', c.ours, ' ', c.theirs}));
        const BirthdayTable ours = Ours(c.ours);
        const ListMerge merge = MergeLists(Ours(c.base), ours, Theirs(c.theirs));
        EXPECT_EQ(merge.merged, c.ours != '-' ? Ours(c.merged) : Theirs(c.merged));
        EXPECT_EQ(merge.keptAside, Anna(c.keptAside));
        EXPECT_EQ(merge.Changed(ours), !(merge.merged == ours));
    }
}

TEST(ListMerge, PeopleOfTheSameNameAreToldApartByTheirOrder) {
    const BirthdayEntry first{"Anna", "1", "1", "1990", "1", "1"};
    const BirthdayEntry second{"Anna", "2", "2", "1992", "1", "1"};
    BirthdayEntry firstChanged = first;
    firstChanged.Year = "1991";
    BirthdayEntry secondChanged = second;
    secondChanged.Remind = "0";
    const BirthdayEntry third{"Anna", "3", "3", "", "1", "1"};
    const BirthdayTable base = TableOf({first, Ben, second});
    // The user changed the second Anna; the file changed the first and
    // added a third.
    const ListMerge merge =
        MergeLists(base, TableOf({first, Ben, secondChanged}), TableOf({firstChanged, Ben, second, third}));
    EXPECT_EQ(merge.merged, TableOf({firstChanged, Ben, secondChanged, third}));
    EXPECT_TRUE(merge.keptAside.empty());
}

TEST(ListMerge, PeopleOfOneNameAreFoundByTheirBirthdaysBeforeTheirOrder) {
    const BirthdayEntry first{"Anna", "1", "1", "1990", "1", "1"};
    const BirthdayEntry second{"Anna", "2", "2", "1992", "1", "1"};
    const BirthdayEntry third{"Anna", "3", "3", "", "1", "1"};
    BirthdayEntry firstRemindOff = first;
    firstRemindOff.Remind = "0";
    BirthdayEntry secondMark = second;
    secondMark.Mark = "2";
    const BirthdayTable base = TableOf({first, Ben, second});
    const struct {
        const char* what;
        std::vector<BirthdayEntry> ours, theirs, merged, keptAside;
    } cases[] = {
        {"two deletions of two people of one name both hold", {first, Ben}, {Ben, second}, {Ben}, {}},
        // The third is taken for the first changed, so she comes at her place.
        {"and a third of that name added outside is added",
         {first, Ben},
         {Ben, second, third},
         {third, Ben},
         {}},
        {"the one the user deleted stays deleted when the other changes outside",
         {first, Ben},
         {firstRemindOff, Ben, second},
         {firstRemindOff, Ben},
         {}},
        {"the user deleted whom the other program changed",
         {first, Ben},
         {first, Ben, secondMark},
         {first, Ben},
         {secondMark}},
        {"identical people pair by their order",
         {first, first, Ben, second},
         {first, Ben, second},
         {first, first, Ben, second},
         {}},
        {"the same person added on both sides, once",
         {first, Ben, second, third},
         {first, Ben, second, third},
         {first, Ben, second, third},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ListMerge merge = MergeLists(base, TableOf(c.ours), TableOf(c.theirs));
        EXPECT_EQ(ListToBytes(merge.merged), ListToBytes(TableOf(c.merged)));
        EXPECT_EQ(ListToBytes(TableOf(merge.keptAside)), ListToBytes(TableOf(c.keptAside)));
    }
}

TEST(ListMerge, NeverFillsTheTableBeyondItsCapacityAndSaysWhereTheUsersRowsWent) {
    std::vector<BirthdayEntry> rows;
    rows.reserve(TableCapacity - 1);
    for (int index = 0; index < TableCapacity - 1; ++index)
        rows.push_back({"P" + std::to_string(index), "1", "1", "", "1", "1"});
    const BirthdayTable base = TableOf(rows);
    // The file deleted the first person and added three; two fit.
    std::vector<BirthdayEntry> theirRows(rows.begin() + 1, rows.end());
    for (const char* name : {"X", "Y", "Z"})
        theirRows.push_back({name, "1", "1", "", "1", "1"});
    const ListMerge merge = MergeLists(base, base, TableOf(theirRows));
    EXPECT_EQ(merge.merged.Count(), TableCapacity);
    EXPECT_EQ(merge.merged.Row(TableCapacity - 1).Name, "Y");
    ASSERT_EQ(merge.keptAside.size(), 1u);
    EXPECT_EQ(merge.keptAside[0].Name, "Z");
    EXPECT_EQ(merge.rowOfOurs[0], -1);
    EXPECT_EQ(merge.rowOfOurs[1], 0);
    EXPECT_EQ(merge.rowOfOurs[TableCapacity - 2], TableCapacity - 3);
}

TEST(ListFileState, MergesOnlyWhatAnotherProgramWroteAndTellsAnUnreadableFileOnce) {
    using Outcome = ListFileState::Outcome;
    const BirthdayTable anna = TableOf(Anna('u'));
    const BirthdayTable annaAndBen = TableOf({Anna('u')[0], Ben});
    ListFileState file;
    file.Known(ListToBytes(anna));
    EXPECT_EQ(file.Observe(ListToBytes(anna), anna).outcome, Outcome::Unchanged);
    EXPECT_EQ(file.Observe("", anna).outcome, Outcome::Unchanged);  // a writer's empty moment
    // Garbage is given a second look before it is reported, then never again.
    const std::string garbage = "<html>\r\n<body>\r\n";
    EXPECT_EQ(file.Observe(garbage, anna).outcome, Outcome::TryAgain);
    EXPECT_EQ(file.Observe(garbage, anna).outcome, Outcome::Unreadable);
    EXPECT_EQ(file.Observe(garbage, anna).outcome, Outcome::Unchanged);
    // Another program's list is merged and becomes the base.
    const ListFileState::Observation added = file.Observe(ListToBytes(annaAndBen), anna);
    EXPECT_EQ(added.outcome, Outcome::Merged);
    EXPECT_EQ(added.merge.merged, annaAndBen);
    EXPECT_EQ(file.Observe(ListToBytes(annaAndBen), annaAndBen).outcome, Outcome::Unchanged);
    // The program's own save is no change from outside.
    file.Known(ListToBytes(TableOf({Ben})));
    EXPECT_EQ(file.Observe(ListToBytes(TableOf({Ben})), TableOf({Ben})).outcome, Outcome::Unchanged);
}

TEST(SyncConflictCopy, IsRecognisedByTheNamesSyncClientsGiveAndNeverByTheProgramsOwn) {
    for (const char* name :
         {"list-LAPTOP.txt", "list-desktop-7b2-2.txt", "LIST-Office_PC.TXT",
          "list (Anna's conflicted copy 2026-12-08).txt", "list (conflicted copy 2026-12-08 153012).txt",
          "list (1).txt", "list (12).txt", "list.sync-conflict-20261208-153012-ABCDEF7.txt",
          "list_conflict-20261208-153012.txt"})
        EXPECT_TRUE(IsSyncConflictCopyName(name)) << name;
    for (const char* name :
         {"list.txt", "list.txt.bak", "list-2026-12-08.txt", "list-unsaved-2026-12-08-1530.txt",
          "list (unreadable 2026-12-08 1530).txt", "list (other version 2026-12-08 1530).txt",
          "list (unreadable 2026-12-08 1530) (2).txt", "list (1).csv", "list-.txt", "list ().txt",
          "list-my laptop.txt", "shopping-list (1).txt", "list.tmp"})
        EXPECT_FALSE(IsSyncConflictCopyName(name)) << name;
    EXPECT_FALSE(IsSyncConflictCopyName(OtherVersionCopyName({{2026, 12, 8}, 15, 30})));
}

}  // namespace
}  // namespace quillora
