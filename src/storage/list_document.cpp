#include "storage/list_document.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>

#include "storage/safekeeping.h"

namespace quillora {

namespace {

constexpr std::string_view JournalHeader = "Quillora recovery journal 1\r\n";
constexpr std::string_view JournalEnd = "END\r\n";
constexpr std::string_view LineEnd = "\r\n";

// The pauses between the quit's looks at a list file that is held or still
// being written: about two seconds in all, three more looks at most.
constexpr int QuitLookPauses[] = {300, 700, 1000};

std::string NumberLine(std::size_t value) {
    return std::to_string(value) + std::string(LineEnd);
}

// Reads the parts of a journal from the front, each exactly as written.
class JournalReader {
public:
    explicit JournalReader(std::string_view bytes) : rest_(bytes) {}

    bool Expect(std::string_view text) {
        if (!rest_.starts_with(text)) return false;
        rest_.remove_prefix(text.size());
        return true;
    }
    std::optional<std::size_t> Number() {
        std::size_t value = 0;
        const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
        if (error != std::errc() || end == rest_.data()) return std::nullopt;
        rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
        if (!Expect(LineEnd)) return std::nullopt;
        return value;
    }
    // A list of `size` bytes and its line end; nothing unless its lines are
    // six for each counted entry.
    std::optional<BirthdayTable> List(std::size_t size) {
        if (size > rest_.size()) return std::nullopt;
        const std::string_view bytes = rest_.substr(0, size);
        rest_.remove_prefix(size);
        if (bytes.empty() || IsUnreadableList(bytes) || !Expect(LineEnd)) return std::nullopt;
        return ParseList(bytes);
    }
    [[nodiscard]] bool AtEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

}  // namespace

std::string JournalBytes(const BirthdayTable& table, const BirthdayTable& base) {
    // The base is mostly the table: only the rows between their longest
    // common start and end are written.
    const std::vector<BirthdayEntry>& baseRows = base.Rows();
    const auto [head, tail] = SharedEndsOf(table, base);
    BirthdayTable middle;
    for (std::size_t row = head; row < baseRows.size() - tail; ++row)
        middle.AppendLoaded(baseRows[row]);

    const std::string tableBytes = ListToBytes(table);
    const std::string middleBytes = ListToBytes(middle);
    std::string bytes(JournalHeader);
    bytes.reserve(tableBytes.size() + middleBytes.size() + 128);
    bytes += NumberLine(tableBytes.size());
    bytes += tableBytes;
    bytes += LineEnd;
    bytes += NumberLine(head);
    bytes += NumberLine(tail);
    bytes += NumberLine(middleBytes.size());
    bytes += middleBytes;
    bytes += LineEnd;
    bytes += JournalEnd;
    return bytes;
}

std::optional<JournalContent> ParseJournal(std::string_view bytes) {
    JournalReader reader(bytes);
    if (!reader.Expect(JournalHeader)) return std::nullopt;
    const std::optional<std::size_t> tableSize = reader.Number();
    if (!tableSize) return std::nullopt;
    std::optional<BirthdayTable> table = reader.List(*tableSize);
    if (!table) return std::nullopt;
    const std::optional<std::size_t> head = reader.Number();
    const std::optional<std::size_t> tail = reader.Number();
    const std::optional<std::size_t> middleSize = reader.Number();
    if (!head || !tail || !middleSize) return std::nullopt;
    const std::optional<BirthdayTable> middle = reader.List(*middleSize);
    if (!middle || !reader.Expect(JournalEnd) || !reader.AtEnd()) return std::nullopt;
    const auto rows = static_cast<std::size_t>(table->Count());
    if (*head > rows || *tail > rows - *head) return std::nullopt;

    JournalContent content{std::move(*table), {}};
    const std::vector<BirthdayEntry>& tableRows = content.table.Rows();
    for (std::size_t row = 0; row < *head; ++row)
        content.base.AppendLoaded(tableRows[row]);
    for (const BirthdayEntry& entry : middle->Rows())
        content.base.AppendLoaded(entry);
    for (std::size_t row = rows - *tail; row < rows; ++row)
        content.base.AppendLoaded(tableRows[row]);
    return content;
}

ListNews ListDocument::Open(const std::optional<std::string>& fileBytes) {
    ListNews news;
    table_ = fileBytes ? ParseList(*fileBytes) : BirthdayTable();
    file_.Known(fileBytes.value_or(std::string()));
    // Copies found from now on are merged against the base kept before this
    // start; the file as read now is what the next start will share.
    const std::optional<std::string> kept = store_.ReadDataFile(SharedBaseFileName);
    if (kept && !kept->empty() && !IsUnreadableList(*kept)) sharedBase_ = ParseList(*kept);
    // Written only when it changed: most starts find the list as they left it.
    if (fileBytes && !fileBytes->empty() && !IsUnreadableList(*fileBytes) && kept != fileBytes)
        (void)store_.WriteDataFile(SharedBaseFileName, *fileBytes);
    const std::optional<std::string> journal = store_.ReadJournal();
    if (!journal) return news;
    const std::optional<JournalContent> content = ParseJournal(*journal);
    if (!content) {
        // Never applied: what it holds cannot be told from garbage.
        news.unreadableJournal = true;
        news.unreadableJournalCopy = store_.KeepUnreadableJournal(*journal);
        if (news.unreadableJournalCopy) RemoveJournal();
        return news;
    }
    // The run that wrote it never quit: its table is "ours", against the base
    // it had then; the file now is "theirs". A file that holds nobody to
    // merge (empty, or unreadable and kept aside at the start) changed
    // nothing there.
    const bool fileReadable = fileBytes && !fileBytes->empty() && !IsUnreadableList(*fileBytes);
    if (!fileReadable) file_.Known(fileBytes.value_or(std::string()), content->base);
    ListMerge merge = MergeLists(content->base, content->table, fileReadable ? table_ : content->base);
    if (!merge.Changed(table_) && merge.keptAside.empty()) {
        // Nothing to bring back; what is still unsaved (the file read as
        // less than its base) stays in the journal.
        if (table_ == file_.Base()) {
            RemoveJournal();
        } else {
            WriteJournal();
        }
        return news;
    }
    news.recovered = true;
    // The merge keeps the journal's order; as a change to the file's table it
    // has no rows of ours to follow.
    merge.rowOfOurs.clear();
    ApplyMerge(std::move(merge), news, nullptr);
    // Only kept aside: the copy holds them, and the journal has done its work.
    if (!history_.CanUndo()) RemoveJournal();
    return news;
}

bool ListDocument::Commit(BirthdayTable after) {
    if (after == table_) return false;
    history_.Record(table_, after);
    table_ = std::move(after);
    WriteJournal();
    return true;
}

void ListDocument::WriteJournal() {
    // A journal that cannot be written costs only the safety net; the
    // change itself stands.
    journalKept_ = store_.WriteJournal(JournalBytes(table_, file_.Base())) || journalKept_;
}

void ListDocument::RemoveJournal() {
    store_.RemoveJournal();
    journalKept_ = false;
}

bool ListDocument::Add(BirthdayEntry entry) {
    BirthdayTable after = table_;
    return after.Append(std::move(entry)) && Commit(std::move(after));
}

bool ListDocument::Edit(int row, BirthdayEntry entry) {
    BirthdayTable after = table_;
    return after.Replace(row, std::move(entry)) && Commit(std::move(after));
}

bool ListDocument::Delete(int row) {
    BirthdayTable after = table_;
    return after.Remove(row) && Commit(std::move(after));
}

void ListDocument::Clear() {
    (void)Commit(BirthdayTable());
}

int ListDocument::AddPeople(const std::vector<BirthdayEntry>& people) {
    BirthdayTable after = table_;
    int added = 0;
    for (const BirthdayEntry& person : people)
        added += after.Append(person) ? 1 : 0;
    (void)Commit(std::move(after));
    return added;
}

std::optional<ChangedRows> ListDocument::Undo() {
    const std::optional<ChangedRows> changed = history_.Undo(table_);
    if (changed) WriteJournal();
    return changed;
}

std::optional<ChangedRows> ListDocument::Redo() {
    const std::optional<ChangedRows> changed = history_.Redo(table_);
    if (changed) WriteJournal();
    return changed;
}

void ListDocument::ApplyMerge(ListMerge merge, ListNews& news, std::vector<int>* rowOfOurs) {
    if (rowOfOurs) *rowOfOurs = std::move(merge.rowOfOurs);
    // The journal follows the new base even when the table stays, and holds
    // a table that differs from it (people without room, another order).
    if (!Commit(std::move(merge.merged)) && (journalKept_ || !(table_ == file_.Base()))) WriteJournal();
    if (merge.keptAside.empty()) return;
    news.keptAsideCopy = store_.KeepOtherVersion(merge.keptAside);
    news.keptAside = std::move(merge.keptAside);
}

void ListDocument::KeepSharedBase(std::string_view bytes) {
    (void)store_.WriteDataFile(SharedBaseFileName, bytes);
    sharedBase_ = ParseList(bytes);
}

ListNews ListDocument::MergeCopy(const BirthdayTable& copy) {
    ListNews news;
    ApplyMerge(MergeLists(sharedBase_.value_or(table_), table_, copy), news, nullptr);
    return news;
}

std::vector<OtherChange> ListDocument::ChangesOfCopy(const BirthdayTable& copy) const {
    return ChangesOfOtherVersion(sharedBase_.value_or(table_), table_, copy);
}

void ListDocument::TakeChanges(const std::vector<OtherChange>& changes, const std::vector<bool>& ticks) {
    (void)Commit(WithChanges(table_, changes, ticks));
}

namespace {

// One line of the answered copies: a hash of the bytes (FNV-1a, 64 bits)
// and the name.
std::string AnsweredCopyLine(std::string_view name, std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    static constexpr char Digits[] = "0123456789abcdef";
    std::string line(16, '0');
    for (int digit = 15; digit >= 0; --digit, hash >>= 4)
        line[static_cast<std::size_t>(digit)] = Digits[hash & 15];
    return line + " " + std::string(name) + "\r\n";
}

}  // namespace

bool ListDocument::CopyAnswered(std::string_view name, std::string_view bytes) const {
    const std::optional<std::string> answered = store_.ReadDataFile(AnsweredCopiesFileName);
    const std::string line = AnsweredCopyLine(name, bytes);
    return answered && (answered->starts_with(line) || answered->find("\n" + line) != std::string::npos);
}

void ListDocument::RememberCopyAnswered(std::string_view name, std::string_view bytes) {
    if (CopyAnswered(name, bytes)) return;
    (void)store_.WriteDataFile(
        AnsweredCopiesFileName,
        store_.ReadDataFile(AnsweredCopiesFileName).value_or("") + AnsweredCopyLine(name, bytes));
}

void ListDocument::KeepUnreadable(std::string_view bytes, ListNews& news) {
    // The table stays as it is and the quit writes it; the file is kept.
    news.unreadableList = true;
    news.unreadableListCopy = store_.KeepUnreadableList(bytes);
}

std::optional<ListDocument::Look> ListDocument::LookAtFile() {
    const ListFileLook look = store_.ReadList();
    // A file that is gone (or has no path) holds nothing to merge, and the
    // quit writes it anew; one that is held is looked at again.
    if (look.state == ListFileLook::State::Missing) return Look{};
    if (look.state == ListFileLook::State::Held) return std::nullopt;
    ListFileState::Observation seen = file_.Observe(look.bytes, table_);
    Look result;
    switch (seen.outcome) {
        case ListFileState::Outcome::Unchanged:
            break;
        case ListFileState::Outcome::TryAgain:
            return std::nullopt;
        case ListFileState::Outcome::Merged: {
            KeepSharedBase(look.bytes);
            const BirthdayTable before = table_;
            ApplyMerge(std::move(seen.merge), result.news, &result.rowOfOurs);
            result.changed = !(before == table_);
            break;
        }
        case ListFileState::Outcome::Unreadable:
            KeepUnreadable(look.bytes, result.news);
            break;
    }
    return result;
}

ListDocument::SaveOutcome ListDocument::Save() {
    SaveOutcome outcome;
    if (ended_) return outcome;
    std::optional<ListFileLook> previous;
    for (std::size_t attempt = 0;; ++attempt) {
        const bool lastLook = attempt == std::size(QuitLookPauses);
        const ListFileLook look = store_.ReadList();
        // The same bytes twice in a row are settled, even an empty file.
        const bool steady = previous == look;
        previous = look;
        bool settled = look.state != ListFileLook::State::Held;
        if (look.state == ListFileLook::State::Read) {
            ListFileState::Observation seen = file_.Observe(look.bytes, table_);
            switch (seen.outcome) {
                case ListFileState::Outcome::Unchanged:
                    // An empty file is a writer's moment unless it stays.
                    settled = !look.bytes.empty() || steady || file_.KnownBytes().empty();
                    break;
                case ListFileState::Outcome::TryAgain:
                    settled = false;
                    break;
                case ListFileState::Outcome::Merged:
                    KeepSharedBase(look.bytes);
                    ApplyMerge(std::move(seen.merge), outcome.news, nullptr);
                    break;
                case ListFileState::Outcome::Unreadable:
                    KeepUnreadable(look.bytes, outcome.news);
                    break;
            }
        }
        if (settled) {
            // Replaced only while it still holds what was just merged.
            const auto asExpected = [&] { return store_.ReadList() == look; };
            const ListStore::SaveResult result = store_.SaveList(table_, asExpected);
            if (result == ListStore::SaveResult::Saved) {
                file_.Known(ListToBytes(table_));
                RemoveJournal();
                outcome.saved = true;
                break;
            }
            if (result == ListStore::SaveResult::Failed) break;
        }
        if (lastLook) break;
        store_.Pause(QuitLookPauses[attempt]);
    }
    ended_ = true;
    // The journal stays beside the rescue copy (written now if nothing
    // changed): the next start brings the table back by itself.
    if (!outcome.saved) {
        WriteJournal();
        outcome.rescueCopy = store_.SaveRescueCopy(table_);
    }
    return outcome;
}

}  // namespace quillora
