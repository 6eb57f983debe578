#include "storage/list_merge.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "storage/safekeeping.h"

namespace quillora {

namespace {

// Which row of one table is which row of the other: people pair first by
// name and birthday (identical ones by their order among themselves), and
// only the rest of one name pair by their order. So deleting one of two
// people of one name never makes the other look changed, and a person whom
// nobody touched always finds himself.
struct Pairing {
    std::vector<int> otherOf;  // for each row of `from`, its row in `to`; -1 when none
    std::vector<int> fromOf;   // for each row of `to`, its row in `from`; -1 when none
};

Pairing Pair(const BirthdayTable& from, const BirthdayTable& to) {
    Pairing pairing;
    pairing.otherOf.assign(static_cast<std::size_t>(from.Count()), -1);
    pairing.fromOf.assign(static_cast<std::size_t>(to.Count()), -1);
    const auto link = [&](int a, int b) {
        pairing.otherOf[static_cast<std::size_t>(a)] = b;
        pairing.fromOf[static_cast<std::size_t>(b)] = a;
    };
    using Person = std::tuple<std::string, std::string, std::string, std::string>;
    const auto person = [](const BirthdayEntry& entry) {
        return Person{entry.Name, entry.Day, entry.Month, entry.Year};
    };
    // Rows of `to` not yet paired, in order, under each key.
    std::map<Person, std::vector<int>> byPerson;
    for (int row = to.Count() - 1; row >= 0; --row)
        byPerson[person(to.Row(row))].push_back(row);
    for (int row = 0; row < from.Count(); ++row) {
        std::vector<int>& candidates = byPerson[person(from.Row(row))];
        if (candidates.empty()) continue;
        link(row, candidates.back());
        candidates.pop_back();
    }
    std::map<std::string, std::vector<int>> byName;
    for (int row = to.Count() - 1; row >= 0; --row)
        if (pairing.fromOf[static_cast<std::size_t>(row)] < 0) byName[to.Row(row).Name].push_back(row);
    for (int row = 0; row < from.Count(); ++row) {
        if (pairing.otherOf[static_cast<std::size_t>(row)] >= 0) continue;
        std::vector<int>& candidates = byName[from.Row(row).Name];
        if (candidates.empty()) continue;
        link(row, candidates.back());
        candidates.pop_back();
    }
    return pairing;
}

}  // namespace

ListMerge MergeLists(const BirthdayTable& base, const BirthdayTable& ours, const BirthdayTable& theirs) {
    const Pairing toOurs = Pair(base, ours);
    const Pairing toTheirs = Pair(base, theirs);
    const auto at = [](const std::vector<int>& rows, int row) { return rows[static_cast<std::size_t>(row)]; };
    ListMerge result;
    result.rowOfOurs.assign(static_cast<std::size_t>(ours.Count()), -1);

    // A person both sides added (the same name and birthday) is one person:
    // the file's copy is not added again, and a different remind mark or
    // mark there is the other version, kept aside.
    std::multimap<std::string, int> addedHere;
    for (int row = 0; row < ours.Count(); ++row)
        if (at(toOurs.fromOf, row) < 0) addedHere.emplace(ours.Row(row).Name, row);
    std::vector<bool> addedHereToo(static_cast<std::size_t>(theirs.Count()), false);
    for (int row = 0; row < theirs.Count(); ++row) {
        if (at(toTheirs.fromOf, row) >= 0) continue;
        const BirthdayEntry& other = theirs.Row(row);
        const auto [first, last] = addedHere.equal_range(other.Name);
        for (auto match = first; match != last; ++match) {
            const BirthdayEntry& mine = ours.Row(match->second);
            if (mine.Day != other.Day || mine.Month != other.Month || mine.Year != other.Year) continue;
            if (!(mine == other)) result.keptAside.push_back(other);
            addedHereToo[static_cast<std::size_t>(row)] = true;
            addedHere.erase(match);
            break;
        }
    }

    // The user's rows, in the table's order.
    for (int row = 0; row < ours.Count(); ++row) {
        const BirthdayEntry& mine = ours.Row(row);
        const int baseRow = at(toOurs.fromOf, row);
        const BirthdayEntry* kept = &mine;
        if (baseRow >= 0) {
            const BirthdayEntry& was = base.Row(baseRow);
            const int otherRow = at(toTheirs.otherOf, baseRow);
            const bool unchangedHere = was == mine;
            if (otherRow < 0) {
                // Deleted outside: gone, unless the user changed it.
                if (unchangedHere) continue;
            } else {
                const BirthdayEntry& other = theirs.Row(otherRow);
                if (unchangedHere) {
                    kept = &other;
                } else if (!(other == mine) && !(other == was)) {
                    result.keptAside.push_back(other);
                }
            }
        }
        result.rowOfOurs[static_cast<std::size_t>(row)] = result.merged.Count();
        result.merged.AppendLoaded(*kept);
    }

    // The file's people whom the table does not hold, in the file's order.
    for (int row = 0; row < theirs.Count(); ++row) {
        const BirthdayEntry& other = theirs.Row(row);
        const int baseRow = at(toTheirs.fromOf, row);
        if (baseRow >= 0) {
            // The user deleted this person; a change made outside meanwhile
            // is kept aside rather than lost.
            if (at(toOurs.otherOf, baseRow) < 0 && !(base.Row(baseRow) == other))
                result.keptAside.push_back(other);
            continue;
        }
        if (addedHereToo[static_cast<std::size_t>(row)]) continue;
        if (result.merged.IsFull()) {
            result.keptAside.push_back(other);
        } else {
            result.merged.AppendLoaded(other);
        }
    }
    return result;
}

std::vector<OtherChange> ChangesOfOtherVersion(const BirthdayTable& base, const BirthdayTable& ours,
                                               const BirthdayTable& theirs) {
    const Pairing toOurs = Pair(base, ours);
    const Pairing toTheirs = Pair(base, theirs);
    const auto at = [](const std::vector<int>& rows, int row) { return rows[static_cast<std::size_t>(row)]; };
    std::vector<OtherChange> changes;
    for (int row = 0; row < theirs.Count(); ++row) {
        const BirthdayEntry& other = theirs.Row(row);
        const int baseRow = at(toTheirs.fromOf, row);
        if (baseRow < 0) {
            // Added there; the same person added here alike is no change.
            const auto alike = std::find(ours.Rows().begin(), ours.Rows().end(), other);
            if (alike != ours.Rows().end() &&
                at(toOurs.fromOf, static_cast<int>(alike - ours.Rows().begin())) < 0)
                continue;
            changes.push_back({OtherChange::Kind::Added, other, -1, false});
            continue;
        }
        const BirthdayEntry& was = base.Row(baseRow);
        if (other == was) continue;
        const int ourRow = at(toOurs.otherOf, baseRow);
        if (ourRow < 0) {
            // Changed there, deleted here: taking it brings the person back.
            changes.push_back({OtherChange::Kind::Added, other, -1, true});
            continue;
        }
        const BirthdayEntry& mine = ours.Row(ourRow);
        if (mine == other) continue;
        changes.push_back({OtherChange::Kind::Changed, other, ourRow, !(mine == was)});
    }
    for (int baseRow = 0; baseRow < base.Count(); ++baseRow) {
        const int ourRow = at(toOurs.otherOf, baseRow);
        if (at(toTheirs.otherOf, baseRow) >= 0 || ourRow < 0) continue;
        const BirthdayEntry& mine = ours.Row(ourRow);
        changes.push_back({OtherChange::Kind::Deleted, mine, ourRow, !(mine == base.Row(baseRow))});
    }
    return changes;
}

BirthdayTable WithChanges(const BirthdayTable& ours, const std::vector<OtherChange>& changes,
                          const std::vector<bool>& ticks) {
    std::vector<BirthdayEntry> rows = ours.Rows();
    std::vector<bool> deleted(rows.size(), false);
    std::vector<BirthdayEntry> added;
    for (std::size_t index = 0; index < changes.size() && index < ticks.size(); ++index) {
        if (!ticks[index]) continue;
        const OtherChange& change = changes[index];
        const auto row = static_cast<std::size_t>(change.row);
        switch (change.kind) {
            case OtherChange::Kind::Added:
                added.push_back(change.entry);
                break;
            case OtherChange::Kind::Changed:
                if (row < rows.size()) rows[row] = change.entry;
                break;
            case OtherChange::Kind::Deleted:
                if (row < rows.size()) deleted[row] = true;
                break;
        }
    }
    BirthdayTable result;
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (!deleted[row]) result.AppendLoaded(rows[row]);
    for (BirthdayEntry& person : added)
        (void)result.Append(std::move(person));
    return result;
}

void ListFileState::Known(std::string bytes) {
    BirthdayTable base = ParseList(bytes);
    Known(std::move(bytes), std::move(base));
}

void ListFileState::Known(std::string bytes, BirthdayTable base) {
    base_ = std::move(base);
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
