#include "storage/list_merge.h"

#include <map>
#include <string>
#include <utility>

#include "storage/safekeeping.h"

namespace quillora {

namespace {

// A person: the name, and which of the rows of that name it is.
using PersonKey = std::pair<std::string, int>;

std::map<PersonKey, int> RowsByPerson(const BirthdayTable& table) {
    std::map<std::string, int> seen;
    std::map<PersonKey, int> rows;
    for (int index = 0; index < table.Count(); ++index) {
        const std::string& name = table.Row(index).Name;
        rows.emplace(PersonKey{name, seen[name]++}, index);
    }
    return rows;
}

const BirthdayEntry* Find(const BirthdayTable& table, const std::map<PersonKey, int>& rows,
                          const PersonKey& person) {
    const auto found = rows.find(person);
    return found == rows.end() ? nullptr : &table.Row(found->second);
}

}  // namespace

ListMerge MergeLists(const BirthdayTable& base, const BirthdayTable& ours, const BirthdayTable& theirs) {
    const std::map<PersonKey, int> baseRows = RowsByPerson(base);
    const std::map<PersonKey, int> ourRows = RowsByPerson(ours);
    const std::map<PersonKey, int> theirRows = RowsByPerson(theirs);
    ListMerge result;
    result.rowOfOurs.assign(static_cast<std::size_t>(ours.Count()), -1);

    // The user's rows, in the table's order.
    std::map<std::string, int> seen;
    for (int index = 0; index < ours.Count(); ++index) {
        const BirthdayEntry& mine = ours.Row(index);
        const PersonKey person{mine.Name, seen[mine.Name]++};
        const BirthdayEntry* was = Find(base, baseRows, person);
        const BirthdayEntry* other = Find(theirs, theirRows, person);
        const bool unchangedHere = was && *was == mine;
        const BirthdayEntry* kept = &mine;
        if (!other) {
            // Deleted outside: gone, unless the user changed or added it.
            if (unchangedHere) continue;
        } else if (unchangedHere) {
            kept = other;
        } else if (!(*other == mine) && !(was && *was == *other)) {
            result.keptAside.push_back(*other);
        }
        result.rowOfOurs[static_cast<std::size_t>(index)] = result.merged.Count();
        result.merged.AppendLoaded(*kept);
    }

    // The file's people whom the table does not hold, in the file's order.
    seen.clear();
    for (int index = 0; index < theirs.Count(); ++index) {
        const BirthdayEntry& other = theirs.Row(index);
        const PersonKey person{other.Name, seen[other.Name]++};
        if (ourRows.contains(person)) continue;
        if (const BirthdayEntry* was = Find(base, baseRows, person)) {
            // The user deleted this person; a change made outside meanwhile
            // is kept aside rather than lost.
            if (!(*was == other)) result.keptAside.push_back(other);
            continue;
        }
        if (result.merged.IsFull()) {
            result.keptAside.push_back(other);
        } else {
            result.merged.AppendLoaded(other);
        }
    }
    return result;
}

void ListFileState::Known(std::string bytes) {
    base_ = ParseList(bytes);
    known_ = std::move(bytes);
    doubted_.clear();
}

ListFileState::Observation ListFileState::Observe(std::string_view bytes, const BirthdayTable& ours) {
    // An empty file is what many writers leave for a moment before the new
    // content arrives; it holds nobody to merge either way.
    if (bytes == known_ || bytes.empty() || (!reported_.empty() && bytes == reported_)) return {};
    if (IsUnreadableList(bytes)) {
        if (bytes != doubted_) {
            doubted_ = bytes;
            return {Outcome::TryAgain, {}};
        }
        reported_ = bytes;
        return {Outcome::Unreadable, {}};
    }
    Observation observation{Outcome::Merged, MergeLists(base_, ours, ParseList(bytes))};
    Known(std::string(bytes));
    return observation;
}

}  // namespace quillora
