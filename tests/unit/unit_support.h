#pragma once
// What the unit tests share.
#include <vector>

#include "storage/birthday_table.h"

namespace quillora {

// A table holding the entries as loaded from a file, in order.
inline BirthdayTable TableOf(const std::vector<BirthdayEntry>& entries) {
    BirthdayTable table;
    for (const BirthdayEntry& entry : entries)
        table.AppendLoaded(entry);
    return table;
}

}  // namespace quillora
