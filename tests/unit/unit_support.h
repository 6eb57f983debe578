#pragma once
// What the unit tests share.
#include <vector>

#include "storage/birthday_table.h"

namespace quillora {

// The people many tests need: Anna, reminded; Ben, not reminded; Cleo, born on
// 29 February in no known year.
inline const BirthdayEntry Anna{"Anna", "14", "2", "1980", "1", "1"};
inline const BirthdayEntry Ben{"Ben", "3", "11", "1975", "0", "1"};
inline const BirthdayEntry Cleo{"Cleo", "29", "2", "", "1", "1"};

// A table holding the entries as loaded from a file, in order.
inline BirthdayTable TableOf(const std::vector<BirthdayEntry>& entries) {
    BirthdayTable table;
    for (const BirthdayEntry& entry : entries)
        table.AppendLoaded(entry);
    return table;
}

}  // namespace quillora
