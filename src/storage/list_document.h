#pragma once
// The user's list while the program runs, with one owner: the table, its
// edit history, what the program knows of the list file (the base of a
// merge with another program's change) and the recovery journal. Every
// change goes through it as one recorded change and is in the journal before
// the window shows it; the list file itself is written once, at the quit.
// Its files reach it through ListStore, so that tests hold them in memory.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/birthday_table.h"
#include "storage/edit_history.h"
#include "storage/list_merge.h"

namespace quillora {

// The list file as one look found it.
struct ListFileLook {
    enum class State { Read, Missing, Held };
    State state = State::Missing;
    std::string bytes;  // when Read

    bool operator==(const ListFileLook&) const = default;
};

class ListStore {
public:
    enum class SaveResult { Saved, FileChanged, Failed };

    virtual ~ListStore() = default;
    virtual ListFileLook ReadList() = 0;
    // Writes the table as the list file, safely and with its backups.
    // `fileAsExpected` is asked right before the old file is replaced; when
    // it says no, nothing is replaced (FileChanged).
    virtual SaveResult SaveList(const BirthdayTable& table, const std::function<bool()>& fileAsExpected) = 0;
    // The journal's bytes; nothing when there is none.
    virtual std::optional<std::string> ReadJournal() = 0;
    // Flushed, then put in place of the journal before it in one step.
    virtual bool WriteJournal(std::string_view bytes) = 0;
    virtual void RemoveJournal() = 0;
    // Each keeps what it is given under a name of its own and returns where,
    // or nothing when it could not.
    virtual std::optional<std::string> KeepUnreadableList(std::string_view bytes) = 0;
    virtual std::optional<std::string> KeepOtherVersion(const std::vector<BirthdayEntry>& people) = 0;
    virtual std::optional<std::string> KeepUnreadableJournal(std::string_view bytes) = 0;
    virtual std::optional<std::string> SaveRescueCopy(const BirthdayTable& table) = 0;
    virtual void Pause(int millis) = 0;
    // The program's own small files beside the settings (the kept base, the
    // copies already answered); nothing when there is none.
    virtual std::optional<std::string> ReadDataFile(std::string_view name) = 0;
    virtual bool WriteDataFile(std::string_view name, std::string_view bytes) = 0;
};

// What the user is to be told after a look at the list file, a start or a
// save; each part is empty when there is nothing to tell.
struct ListNews {
    // People of another version that could not be taken in, and where they
    // are kept (nothing inside: no copy could be made).
    std::vector<BirthdayEntry> keptAside;
    std::optional<std::string> keptAsideCopy;
    // A list file that could not be read, and where its bytes are kept.
    bool unreadableList = false;
    std::optional<std::string> unreadableListCopy;
    // At a start: the changes of a run that never quit came back.
    bool recovered = false;
    // At a start: a journal that could not be read, and where it is kept.
    bool unreadableJournal = false;
    std::optional<std::string> unreadableJournalCopy;
};

// The program's files beside the settings that the document keeps.
// The list as the program last read it from the file (at a start or in a
// merge, never its own save): the version that two computers sharing the
// list through a sync client last had in common.
inline constexpr std::string_view SharedBaseFileName = "list-shared-base.txt";
// Copies beside the list that were answered with CANCEL or could not be
// read, each as its name and a hash of its bytes.
inline constexpr std::string_view AnsweredCopiesFileName = "answered-copies.txt";

class ListDocument {
public:
    explicit ListDocument(ListStore& store) : store_(store) {}
    ListDocument(const ListDocument&) = delete;
    ListDocument& operator=(const ListDocument&) = delete;

    // The list as the start read it (`fileBytes`, the bytes of the list
    // file; nothing when there was none), and whatever a run that never quit
    // left in the journal merged into it as one change.
    ListNews Open(const std::optional<std::string>& fileBytes);

    [[nodiscard]] const BirthdayTable& Table() const { return table_; }
    [[nodiscard]] bool CanUndo() const { return history_.CanUndo(); }
    [[nodiscard]] bool CanRedo() const { return history_.CanRedo(); }

    // The user's changes, each one change to undo. False when refused (a
    // full table, a row that is not there), changing nothing.
    bool Add(BirthdayEntry entry);
    bool Edit(int row, BirthdayEntry entry);
    bool Delete(int row);
    void Clear();
    // An import's ticked people, appended in order as far as there is room;
    // how many were added.
    int AddPeople(const std::vector<BirthdayEntry>& people);
    std::optional<ChangedRows> Undo();
    std::optional<ChangedRows> Redo();

    // A look at the list file after it settled: another program's change is
    // merged in as one change. Nothing when the file should be looked at
    // again in a moment (held, or half written).
    struct Look {
        bool changed = false;        // the table changed
        std::vector<int> rowOfOurs;  // where each row before the merge went (-1: gone)
        ListNews news;
    };
    std::optional<Look> LookAtFile();

    // The quit's save: what another program wrote meanwhile is merged first,
    // and the file is replaced only with bytes it has merged; a file still
    // changing or held after about two seconds, or one that cannot be
    // written, stays as it is, and the table goes to a rescue copy. Once it
    // is saved or rescued, a second call does nothing.
    struct SaveOutcome {
        bool saved = false;
        std::optional<std::string> rescueCopy;  // when not saved: where the table went
        ListNews news;
    };
    SaveOutcome Save();
    // Whether the quit's save is done (saved, or rescued).
    [[nodiscard]] bool Ended() const { return ended_; }

    // Another version of the list beside it (a sync client's conflict copy,
    // a copy a person made), against the base kept from before this start.
    [[nodiscard]] bool HasSharedBase() const { return sharedBase_.has_value(); }
    // The copy merged in as one change, as a change from outside is.
    ListNews MergeCopy(const BirthdayTable& copy);
    // The copy's changes, for the user to choose from, and the chosen ones
    // taken as one change.
    [[nodiscard]] std::vector<OtherChange> ChangesOfCopy(const BirthdayTable& copy) const;
    void TakeChanges(const std::vector<OtherChange>& changes, const std::vector<bool>& ticks);
    // Whether a copy with these name and bytes was answered before, and
    // remembering that it was.
    [[nodiscard]] bool CopyAnswered(std::string_view name, std::string_view bytes) const;
    void RememberCopyAnswered(std::string_view name, std::string_view bytes);

private:
    // Makes `after` the table as one recorded change and writes the journal.
    bool Commit(BirthdayTable after);
    void WriteJournal();
    void RemoveJournal();
    // Applies a merge with the file as one change; what it could not take in
    // is kept aside.
    void ApplyMerge(ListMerge merge, ListNews& news, std::vector<int>* rowOfOurs);
    void KeepUnreadable(std::string_view bytes, ListNews& news);
    // The file was read as `bytes`: they are the shared base from now on.
    void KeepSharedBase(std::string_view bytes);

    ListStore& store_;
    BirthdayTable table_;
    EditHistory history_;
    ListFileState file_;
    std::optional<BirthdayTable> sharedBase_;  // as kept before this start, or since read
    bool journalKept_ = false;                 // a journal of this run is on disk
    bool ended_ = false;
};

// The journal's bytes: the table, and the base of the next merge as the
// rows in which it differs from the table.
std::string JournalBytes(const BirthdayTable& table, const BirthdayTable& base);
struct JournalContent {
    BirthdayTable table;
    BirthdayTable base;
};
// Nothing when the bytes are not a whole journal (empty, cut short,
// garbage, counts that disagree with their lines).
std::optional<JournalContent> ParseJournal(std::string_view bytes);

}  // namespace quillora
