#include "storage/list_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "memory_list_store.h"
#include "storage/safekeeping.h"
#include "unit_support.h"

namespace quillora {
namespace {

// A model of one user and one other program sharing the list file, run
// against the document. Each person carries a hidden identity in the Mark
// field, which no rule of the document looks at; names repeat, but no two
// people ever share a name and birthday, so the identity is what the user
// and the other program mean by "this person".
class SharedListModel {
public:
    explicit SharedListModel(unsigned seed) : random_(seed) { Start(); }

    // Whether every person is still one row: a merge that paired people of
    // one name by their order may leave a person's two versions in the list,
    // after which identities say nothing more.
    [[nodiscard]] bool OnePersonOneRow() const {
        std::set<std::string> seen;
        for (const BirthdayEntry& person : document_->Table().Rows())
            if (!seen.insert(person.Mark).second) return false;
        return true;
    }

    void Step() {
        const unsigned kind = Draw(20);
        if (kind < 5) {
            UserChange();
        } else if (kind < 7) {
            (void)(Draw(2) ? document_->Undo() : document_->Redo());
            ExpectJournalHoldsTable();
        } else if (kind < 10) {
            OtherProgramWrites();
        } else if (kind < 11) {
            OtherProgramWritesBadly();
        } else if (kind < 14) {
            Look();
        } else if (kind < 15) {
            Crash();
        } else if (kind < 17) {
            Quit();
        }
    }

private:
    using Table = BirthdayTable;

    unsigned Draw(unsigned below) { return static_cast<unsigned>(random_() % below); }

    // A birthday no person of that name ever had. A new name would make
    // another person, for the user as for the merge.
    void NewBirthday(BirthdayEntry& entry) {
        do {
            entry.Day = std::to_string(1 + Draw(28));
            entry.Month = std::to_string(1 + Draw(12));
            entry.Year = Draw(3) ? std::to_string(1950 + Draw(60)) : std::string();
        } while (!usedBirthdays_.insert(entry.Name + "|" + entry.Day + "|" + entry.Month + "|" + entry.Year)
                      .second);
    }
    BirthdayEntry NewPerson() {
        static const char* const names[] = {"Anna", "Anna", "Ben", "Cy"};
        BirthdayEntry person{names[Draw(4)], "", "", "", "1", "#" + std::to_string(nextIdentity_++)};
        NewBirthday(person);
        return person;
    }
    void Edit(BirthdayEntry& person) {
        if (Draw(2)) {
            person.Remind = person.Remind == "1" ? "0" : "1";
        } else {
            NewBirthday(person);
        }
    }
    // The other program's version: a few people added, changed or deleted.
    Table Edited(Table table) {
        for (unsigned edits = 1 + Draw(3); edits > 0; --edits) {
            const int row = table.Count() ? static_cast<int>(Draw(static_cast<unsigned>(table.Count()))) : -1;
            const unsigned what = row < 0 ? 0 : Draw(3);
            if (what == 0) {
                table.AppendLoaded(NewPerson());
            } else if (what == 1) {
                table.Remove(row);
            } else {
                BirthdayEntry person = table.Row(row);
                Edit(person);
                (void)table.Replace(row, person);
            }
        }
        return table;
    }

    void Start() {
        base_ = FileTable();
        document_ = std::make_unique<ListDocument>(store_);
        const std::optional<std::string> bytes =
            store_.file.state == ListFileLook::State::Read ? std::optional(store_.file.bytes) : std::nullopt;
        (void)document_->Open(bytes);
    }

    void UserChange() {
        const Table& table = document_->Table();
        const unsigned what = table.Count() ? Draw(10) : 0;
        const int row = table.Count() ? static_cast<int>(Draw(static_cast<unsigned>(table.Count()))) : -1;
        if (what < 3) {
            (void)document_->Add(NewPerson());
        } else if (what < 6) {
            BirthdayEntry person = table.Row(row);
            Edit(person);
            EXPECT_TRUE(document_->Edit(row, person));
        } else if (what < 9) {
            EXPECT_TRUE(document_->Delete(row));
        } else {
            document_->Clear();
        }
        ExpectJournalHoldsTable();
    }

    void ExpectJournalHoldsTable() {
        if (!document_->CanUndo() && !store_.journal) return;
        ASSERT_TRUE(store_.journal);
        const std::optional<JournalContent> journal = ParseJournal(*store_.journal);
        ASSERT_TRUE(journal);
        EXPECT_EQ(journal->table, document_->Table());
        EXPECT_EQ(journal->base, base_);
    }

    Table FileTable() const {
        const bool readable = store_.file.state == ListFileLook::State::Read && !store_.file.bytes.empty() &&
                              !IsUnreadableList(store_.file.bytes);
        return readable ? ParseList(store_.file.bytes) : base_;
    }

    // The other program finishes one write before it starts the next.
    void OtherProgramWrites() {
        FinishWriting();
        store_.Write(Edited(FileTable()));
    }

    // Garbage that stays, or a version the writer is still at: an empty or
    // half-written file, finished at the next pause or before the next look.
    void OtherProgramWritesBadly() {
        FinishWriting();
        Table version = Edited(FileTable());
        if (Draw(4) == 0) {
            // More than the table holds.
            while (version.Count() <= TableCapacity + 2)
                version.AppendLoaded(NewPerson());
        }
        const std::string whole = ListToBytes(version);
        switch (Draw(3)) {
            case 0:
                store_.file = {ListFileLook::State::Read, "<html>\r\n<body>garbage\r\n"};
                return;
            case 1:
                store_.file = {ListFileLook::State::Read, ""};
                break;
            default: {
                // Cut where the rest of the file is plainly missing: a cut
                // inside the last line looks like a whole list to anyone.
                const std::string half = whole.substr(0, 1 + Draw(whole.size() - 1));
                store_.file = {ListFileLook::State::Read, IsUnreadableList(half) ? half : std::string()};
            }
        }
        pendingWrite_ = whole;
        store_.atNextPause = [this] { FinishWriting(); };
    }
    void FinishWriting() {
        if (pendingWrite_)
            store_.file = {ListFileLook::State::Read, *std::exchange(pendingWrite_, std::nullopt)};
        store_.atNextPause = nullptr;
    }

    // The merge by identity: what each person should become.
    struct Expected {
        Table merged;
        std::vector<BirthdayEntry> keptAside;
    };
    static Expected ExpectedMerge(const Table& base, const Table& ours, const Table& theirs) {
        const auto byIdentity = [](const Table& table) {
            std::map<std::string, BirthdayEntry> people;
            for (const BirthdayEntry& person : table.Rows())
                EXPECT_TRUE(people.emplace(person.Mark, person).second) << "two rows of one person";
            return people;
        };
        const auto was = byIdentity(base);
        const auto mine = byIdentity(ours);
        const auto other = byIdentity(theirs);
        Expected expected;
        for (const BirthdayEntry& person : ours.Rows()) {
            const auto before = was.find(person.Mark);
            const auto outside = other.find(person.Mark);
            if (before == was.end()) {
                expected.merged.AppendLoaded(person);
            } else if (outside == other.end()) {
                if (!(person == before->second)) expected.merged.AppendLoaded(person);
            } else if (person == before->second) {
                expected.merged.AppendLoaded(outside->second);
            } else {
                expected.merged.AppendLoaded(person);
                if (!(outside->second == person) && !(outside->second == before->second))
                    expected.keptAside.push_back(outside->second);
            }
        }
        for (const BirthdayEntry& person : theirs.Rows()) {
            if (mine.contains(person.Mark)) continue;
            const auto before = was.find(person.Mark);
            if (before != was.end()) {
                if (!(before->second == person)) expected.keptAside.push_back(person);
            } else if (expected.merged.IsFull()) {
                expected.keptAside.push_back(person);
            } else {
                expected.merged.AppendLoaded(person);
            }
        }
        return expected;
    }

    // Whether some person's name and birthday changed on a side that also
    // deleted or added someone of that name: the merge then pairs those by
    // their order, and may take one for the other.
    // Whether some person's name and birthday changed on a side that also
    // deleted or added someone of that name: the merge then pairs those by
    // their order, and may take one for the other.
    static bool PairsByOrder(const Table& base, const Table& side) {
        const auto key = [](const BirthdayEntry& p) {
            return p.Name + "|" + p.Day + "|" + p.Month + "|" + p.Year;
        };
        const auto holds = [&](const Table& table, const BirthdayEntry& person) {
            return std::any_of(table.Rows().begin(), table.Rows().end(),
                               [&](const BirthdayEntry& other) { return key(other) == key(person); });
        };
        std::map<std::string, std::pair<int, int>> leftOver;  // by name: base rows, side rows
        for (const BirthdayEntry& person : base.Rows())
            leftOver[person.Name].first += holds(side, person) ? 0 : 1;
        for (const BirthdayEntry& person : side.Rows())
            leftOver[person.Name].second += holds(base, person) ? 0 : 1;
        return std::any_of(leftOver.begin(), leftOver.end(),
                           [](const auto& name) { return name.second.first > 0 && name.second.second > 0; });
    }

    void ExpectMerged(const Table& base, const Table& ours, const Table& theirs, std::size_t keptBefore) {
        // The three versions, for a failure only: written out at every
        // merge, they would be most of the test's time.
        struct TablesOnFailure {
            const Table &base, &ours, &theirs;
            ~TablesOnFailure() {
                if (testing::Test::HasFailure())
                    ADD_FAILURE() << "base " << ListToBytes(base) << "\nours " << ListToBytes(ours)
                                  << "\ntheirs " << ListToBytes(theirs);
            }
        } tables{base, ours, theirs};
        std::vector<BirthdayEntry> keptAside;
        for (std::size_t copy = keptBefore; copy < store_.keptPeople.size(); ++copy)
            keptAside.insert(keptAside.end(), store_.keptPeople[copy].begin(), store_.keptPeople[copy].end());
        const Table& merged = document_->Table();
        const Expected expected = ExpectedMerge(base, ours, theirs);
        if (!PairsByOrder(base, ours) && !PairsByOrder(base, theirs)) {
            // Every person found by name and birthday: exactly the merge by
            // identity.
            EXPECT_EQ(ListToBytes(merged), ListToBytes(expected.merged));
            EXPECT_EQ(ListToBytes(TableOf(keptAside)), ListToBytes(TableOf(expected.keptAside)));
            return;
        }
        // Otherwise: whom nobody touched stays and is not kept aside; whom
        // both kept, or one side added, stays in some version or is kept.
        const auto has = [](const std::vector<BirthdayEntry>& rows, const BirthdayEntry& person,
                            bool exactly) {
            return std::any_of(rows.begin(), rows.end(), [&](const BirthdayEntry& row) {
                return exactly ? row == person : row.Mark == person.Mark;
            });
        };
        const auto kept = [&](const BirthdayEntry& person) {
            return has(merged.Rows(), person, false) || has(keptAside, person, false);
        };
        for (const BirthdayEntry& person : ours.Rows()) {
            if (has(base.Rows(), person, true) && has(theirs.Rows(), person, true)) {
                EXPECT_TRUE(has(merged.Rows(), person, true)) << person.Mark;
                EXPECT_FALSE(has(keptAside, person, false)) << person.Mark;
            } else if (has(theirs.Rows(), person, false) || !has(base.Rows(), person, false)) {
                EXPECT_TRUE(kept(person)) << person.Mark;
            }
        }
        for (const BirthdayEntry& person : theirs.Rows())
            EXPECT_TRUE(has(base.Rows(), person, false) || kept(person)) << person.Mark;
    }

    void Look() {
        const Table ours = document_->Table();
        const Table theirs = FileTable();
        const std::size_t kept = store_.keptPeople.size();
        const bool readable = !store_.file.bytes.empty() && !IsUnreadableList(store_.file.bytes);
        std::optional<ListDocument::Look> look = document_->LookAtFile();
        if (!look) {
            // Looked at again once its writer is done.
            FinishWriting();
            Look();
            return;
        }
        if (!readable) {
            EXPECT_EQ(document_->Table(), ours);
            return;
        }
        ExpectMerged(base_, ours, theirs, kept);
        base_ = theirs;
        ExpectJournalHoldsTable();
    }

    // Dropped without a quit, and started again from the files.
    void Crash() {
        FinishWriting();
        const Table ours = document_->Table();
        const Table base = base_;
        const Table theirs = FileTable();
        const std::size_t kept = store_.keptPeople.size();
        const bool journal = store_.journal.has_value();
        Start();
        if (!journal) {
            // Nothing of the run to bring back: the start loads the file as
            // its format reads it (the start-up keeps unreadable bytes aside).
            EXPECT_EQ(ours, base);
            EXPECT_EQ(document_->Table(), ParseList(store_.file.bytes));
            base_ = document_->Table();
            return;
        }
        ExpectMerged(base, ours, theirs, kept);
        // One change, which Ctrl+Z takes back to the list as loaded.
        const Table loaded = ParseList(store_.file.bytes);
        if (document_->Table() == loaded) return;
        const Table recovered = document_->Table();
        ASSERT_TRUE(document_->Undo());
        EXPECT_EQ(document_->Table(), loaded);
        ASSERT_TRUE(document_->Redo());
        EXPECT_EQ(document_->Table(), recovered);
    }

    // The quit or the end of the session, with the list file held, changed
    // right before the save replaces it, changing all the time, or
    // impossible to write.
    void Quit() {
        const unsigned obstacle = Draw(6);
        store_.savesFail = obstacle == 0;
        store_.keepsChanging = obstacle == 1;
        if (obstacle == 2) store_.file.state = ListFileLook::State::Held;
        if (obstacle == 3) store_.beforeReplace = [this] { OtherProgramWrites(); };
        const bool held = store_.file.state == ListFileLook::State::Held;
        if (store_.keepsChanging) FinishWriting();  // the list that keeps changing is this one
        const Table fileBefore = FileTable();
        store_.pausedMillis = 0;
        const ListDocument::SaveOutcome outcome = document_->Save();
        EXPECT_LE(store_.pausedMillis, 2000) << "the quit waits about two seconds at most";
        FinishWriting();
        // Unless it was held, the quit merged the last readable list it found.
        if (!held) base_ = IsUnreadableList(store_.file.bytes) ? fileBefore : FileTable();
        store_.beforeReplace = nullptr;
        if (outcome.saved) {
            // What is saved is what the user last saw, and the journal has
            // done its work.
            EXPECT_EQ(store_.file.bytes, ListToBytes(document_->Table()));
            EXPECT_FALSE(store_.journal);
        } else {
            EXPECT_TRUE(held || store_.savesFail || store_.keepsChanging);
            ASSERT_FALSE(store_.rescueCopies.empty());
            EXPECT_EQ(store_.rescueCopies.back(), ListToBytes(document_->Table()));
            EXPECT_EQ(document_->Save().rescueCopy, std::nullopt);  // done once
        }
        store_.savesFail = store_.keepsChanging = false;
        store_.file.state = ListFileLook::State::Read;
        const Table shown = document_->Table();
        const Table base = base_;
        const Table theirs = FileTable();
        const std::size_t kept = store_.keptPeople.size();
        Start();
        if (outcome.saved) {
            EXPECT_EQ(document_->Table(), shown);
        } else {
            // The next start brings back what the failed quit could not save.
            ExpectMerged(base, shown, theirs, kept);
        }
    }

    std::mt19937 random_;
    MemoryListStore store_;
    std::unique_ptr<ListDocument> document_;
    Table base_;  // the list file as the document last read or wrote it
    std::set<std::string> usedBirthdays_;
    int nextIdentity_ = 1;
    std::optional<std::string> pendingWrite_;
};

TEST(ListDocument, NobodyEitherSideKeptIsLostAndNobodyUntouchedMovesThroughChangesCrashesAndQuits) {
    for (unsigned seed = 1; seed <= 80; ++seed) {
        SCOPED_TRACE(seed);
        SharedListModel model(seed);
        int step = 0;
        for (; step < 50 && !testing::Test::HasFailure() && model.OnePersonOneRow(); ++step)
            model.Step();
        if (testing::Test::HasFailure()) return;
    }
}

TEST(ListDocument, AJournalThatIsNotWholeIsKeptAsideToldAndNeverApplied) {
    BirthdayEntry benChanged = Ben;
    benChanged.Remind = "1";
    const std::string whole = JournalBytes(TableOf({Anna, benChanged, Cleo}), TableOf({Anna, Ben}));
    std::string wrongCount = whole;
    wrongCount.replace(wrongCount.find("\r\n3\r\n") + 2, 1, "4");
    std::vector<std::string> broken{"", "garbage\r\n", whole + "more", wrongCount};
    // Every write cut short, at any byte.
    for (std::size_t size = 0; size < whole.size(); ++size)
        broken.push_back(whole.substr(0, size));
    const BirthdayTable file = TableOf({Anna, Ben});
    for (const std::string& journal : broken) {
        SCOPED_TRACE(journal);
        MemoryListStore store;
        store.journal = journal;
        ListDocument list(store);
        const ListNews news = list.Open(ListToBytes(file));
        EXPECT_EQ(list.Table(), file);
        EXPECT_TRUE(news.unreadableJournal);
        EXPECT_FALSE(news.recovered);
        ASSERT_EQ(store.keptJournals, std::vector<std::string>{journal});
        EXPECT_FALSE(store.journal);
        EXPECT_FALSE(list.CanUndo());
    }
    // The whole journal brings the run back, more rows than the table holds
    // included, as one change.
    BirthdayTable many = TableOf({Anna, benChanged, Cleo});
    for (int row = 0; row < TableCapacity + 40; ++row)
        many.AppendLoaded({"P" + std::to_string(row), "1", "1", "", "1", "1"});
    MemoryListStore store;
    store.journal = JournalBytes(many, file);
    ListDocument list(store);
    EXPECT_TRUE(list.Open(ListToBytes(file)).recovered);
    EXPECT_EQ(list.Table(), many);
    ASSERT_TRUE(list.Undo());
    EXPECT_EQ(list.Table(), file);
}

// Two computers changed the list while apart; the sync client left one
// version as list.txt and the other as a copy beside it.
TEST(ListDocument, AConflictCopyMergedAgainstTheSharedBaseKeepsBothComputersChanges) {
    const BirthdayEntry ann{"Ann", "1", "1", "1980", "1", "1"};
    const BirthdayEntry cy{"Cy", "3", "3", "", "1", "1"};
    const BirthdayEntry dee{"Dee", "4", "4", "1990", "1", "1"};
    BirthdayEntry benOff = Ben;
    benOff.Remind = "1";
    BirthdayEntry deeMoved = dee;
    deeMoved.Day = "5";
    BirthdayEntry benOtherwise = Ben;
    benOtherwise.Year = "1976";
    const BirthdayEntry eve{"Eve", "6", "6", "", "1", "1"};
    const BirthdayEntry fay{"Fay", "7", "7", "", "1", "1"};
    const BirthdayTable shared = TableOf({ann, Ben, cy, dee});
    // One deleted Ann, changed Ben and added Eve; the other deleted Cy,
    // moved Dee's birthday and added Fay.
    const BirthdayTable first = TableOf({benOff, cy, dee, eve});
    const BirthdayTable second = TableOf({ann, Ben, deeMoved, fay});
    const BirthdayTable firstBenOtherwise = TableOf({benOtherwise, cy, dee, eve});
    const struct {
        const char* what;
        BirthdayTable list, copy;
        std::vector<BirthdayEntry> merged, keptAside;
    } cases[] = {
        {"the first computer's version left as list.txt", first, second, {benOff, deeMoved, eve, fay}, {}},
        {"the second computer's version left as list.txt", second, first, {benOff, deeMoved, fay, eve}, {}},
        {"both changed Ben: list.txt's version stays",
         firstBenOtherwise,
         TableOf({benOff, cy, dee}),
         {benOtherwise, cy, dee, eve},
         {benOff}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryListStore store;
        store.dataFiles[std::string(SharedBaseFileName)] = ListToBytes(shared);
        ListDocument list(store);
        (void)list.Open(ListToBytes(c.list));
        ASSERT_TRUE(list.HasSharedBase());
        // The file as read at this start is what the next start shares.
        EXPECT_EQ(store.dataFiles[std::string(SharedBaseFileName)], ListToBytes(c.list));
        const ListNews news = list.MergeCopy(c.copy);
        EXPECT_EQ(ListToBytes(list.Table()), ListToBytes(TableOf(c.merged)));
        EXPECT_EQ(ListToBytes(TableOf(news.keptAside)), ListToBytes(TableOf(c.keptAside)));
        // One change, which Ctrl+Z takes back.
        if (list.Table() == c.list) continue;
        ASSERT_TRUE(list.Undo());
        EXPECT_EQ(list.Table(), c.list);
    }

    // A copy a person may have made: its changes line by line, conflicts
    // unticked; the ticked ones taken as one change.
    MemoryListStore store;
    store.dataFiles[std::string(SharedBaseFileName)] = ListToBytes(shared);
    ListDocument list(store);
    (void)list.Open(ListToBytes(firstBenOtherwise));
    const std::vector<OtherChange> changes = list.ChangesOfCopy(second);
    std::vector<std::string> lines;
    lines.reserve(changes.size());
    for (const OtherChange& change : changes)
        lines.push_back(std::to_string(static_cast<int>(change.kind)) + change.entry.Name +
                        (change.conflict ? "!" : ""));
    // Ann (deleted here) and Ben (changed here) are theirs unchanged: no
    // line. Dee changed, Fay added, Cy deleted there.
    EXPECT_EQ(lines, (std::vector<std::string>{"1Dee", "0Fay", "2Cy"}));
    list.TakeChanges(changes, {true, false, true});
    EXPECT_EQ(list.Table(), TableOf({benOtherwise, deeMoved, eve}));
    EXPECT_TRUE(list.Undo());
    EXPECT_EQ(list.Table(), firstBenOtherwise);
    // Declined once, that copy is not offered again while unchanged.
    EXPECT_FALSE(list.CopyAnswered("list (2).txt", "bytes"));
    list.RememberCopyAnswered("list (2).txt", "bytes");
    EXPECT_TRUE(list.CopyAnswered("list (2).txt", "bytes"));
    EXPECT_FALSE(list.CopyAnswered("list (2).txt", "other bytes"));
    EXPECT_FALSE(list.CopyAnswered("list (3).txt", "bytes"));
}

TEST(ConflictCopy, WhatHappensToACopyFollowsItsNameWhetherItCanBeReadAndTheSharedBase) {
    using Form = ConflictCopyName;
    const struct {
        const char* name;
        Form form;
    } names[] = {
        {"list.sync-conflict-20261208-153012-ABCDEF7.txt", Form::SyncClient},
        {"list (Anna's conflicted copy 2026-12-08).txt", Form::SyncClient},
        {"list_conflict-20261208-153012.txt", Form::SyncClient},
        {"list-backup.txt", Form::PersonToo},
        {"list-LAPTOP.txt", Form::PersonToo},
        {"list (2).txt", Form::PersonToo},
        {"list.txt", Form::None},
        {"list-2026-12-08.txt", Form::None},
        {"list (other version 2026-12-08 1530).txt", Form::None},
    };
    for (const auto& n : names)
        EXPECT_EQ(ConflictCopyNameForm(n.name), n.form) << n.name;

    const struct {
        CopyFacts facts;
        CopyAction action;
    } cases[] = {
        {{Form::SyncClient, true, false, true, false}, CopyAction::MergeAtOnce},
        {{Form::PersonToo, true, false, true, false}, CopyAction::PreviewChanges},
        {{Form::SyncClient, true, false, false, false}, CopyAction::PreviewAsImport},
        {{Form::PersonToo, true, false, false, false}, CopyAction::PreviewAsImport},
        // Declined or told before, and unchanged since.
        {{Form::PersonToo, true, true, true, false}, CopyAction::Ignore},
        {{Form::SyncClient, false, true, true, false}, CopyAction::Ignore},
        // Unreadable: a sync client's copy is told once, a person's file left.
        {{Form::SyncClient, false, false, true, false}, CopyAction::TellUnreadable},
        {{Form::PersonToo, false, false, true, false}, CopyAction::Ignore},
        // Nothing new in it: a sync client's copy goes, a person's file stays.
        {{Form::SyncClient, true, false, true, true}, CopyAction::MoveAway},
        {{Form::PersonToo, true, false, true, true}, CopyAction::Ignore},
        {{Form::None, true, false, true, false}, CopyAction::Ignore},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ActionForCopy(cases[i].facts), cases[i].action) << "case " << i;
}

}  // namespace
}  // namespace quillora
