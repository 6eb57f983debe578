#pragma once
// Bringing a change that another program made to the list file into the
// table the user is working on: a three-way merge by person. The base is the
// list as the program last read or wrote it, "ours" the table now, "theirs"
// the file now on disk.
#include <string>
#include <string_view>
#include <vector>

#include "storage/birthday_table.h"

namespace quillora {

struct ListMerge {
    // The table's order, with each person changed outside changed in place,
    // people deleted outside gone, and people added outside appended in the
    // file's order; never above the table's capacity.
    BirthdayTable merged;
    // What the merge could not take in: the other version of a person both
    // sides changed differently, a person changed outside whom the user
    // deleted, and people added outside for whom there was no room.
    std::vector<BirthdayEntry> keptAside;
    // For each row of ours, the row it became in `merged`; -1 when it went.
    std::vector<int> rowOfOurs;

    [[nodiscard]] bool Changed(const BirthdayTable& ours) const { return !(merged == ours); }
};

// A person is a row's name and birthday (day, month and year as written);
// identical ones are told apart by their order among themselves, and people
// of one name left over after that by their order among those. The base is
// paired with each side on its own, so a person whom neither side touched
// always stays, and two deletions of two people of one name both hold. A
// person both sides added with the same name and birthday is one person. A person that only one side changed,
// added or deleted takes that side's change; the same change on both sides
// is one change; when both changed a person differently, the user's version
// stays and the file's is kept aside.
ListMerge MergeLists(const BirthdayTable& base, const BirthdayTable& ours, const BirthdayTable& theirs);

// One change that another version of the list (a copy beside it) made
// against the base, as the user may take it or leave it.
struct OtherChange {
    enum class Kind { Added, Changed, Deleted };
    Kind kind = Kind::Added;
    // The person as the other version has them; for a deletion, as the list
    // has them.
    BirthdayEntry entry;
    // The list's row it changes or deletes; -1 for an addition.
    int row = -1;
    // The list changed or deleted that person too (or added them otherwise):
    // taking the change undoes the user's own.
    bool conflict = false;
};

// The other version's changes against `base`, paired with the list
// (`ours`) as MergeLists pairs them: additions, changes and deletions in the
// other version's order, deletions last. What both made alike is no change.
std::vector<OtherChange> ChangesOfOtherVersion(const BirthdayTable& base, const BirthdayTable& ours,
                                               const BirthdayTable& theirs);
// `ours` with the changes whose tick is set: changed rows in place, deleted
// rows gone, additions appended as far as there is room.
BirthdayTable WithChanges(const BirthdayTable& ours, const std::vector<OtherChange>& changes,
                          const std::vector<bool>& ticks);

// What the program knows of the list file on disk: the bytes it last read or
// wrote there, whose table is the base of the next merge. Its own saves are
// thereby never taken for another program's change.
class ListFileState {
public:
    enum class Outcome {
        Unchanged,   // the bytes the program knows, an empty file, or an unreadable one already told
        TryAgain,    // unreadable for the first time: its writer may not be done yet
        Unreadable,  // unreadable a second time: keep the bytes aside and tell the user
        Merged,      // readable: `merge` holds the table with the file's changes
    };
    struct Observation {
        Outcome outcome = Outcome::Unchanged;
        ListMerge merge;
    };

    // The program itself read or wrote these bytes.
    void Known(std::string bytes);
    // The same for bytes whose table is not the base: an unreadable file,
    // kept aside at a start, after which `base` is still the last version
    // known.
    void Known(std::string bytes, BirthdayTable base);
    // The file now holds `bytes`, and the user's table is `ours`. A readable
    // file becomes the base of the next merge.
    Observation Observe(std::string_view bytes, const BirthdayTable& ours);
    // The base of the next merge, and the bytes it was read from.
    [[nodiscard]] const BirthdayTable& Base() const { return base_; }
    [[nodiscard]] const std::string& KnownBytes() const { return known_; }

private:
    std::string known_;
    BirthdayTable base_;
    std::string doubted_;   // unreadable bytes seen once
    std::string reported_;  // the unreadable bytes the user was told about
};

}  // namespace quillora
