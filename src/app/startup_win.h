#pragma once
// The first steps of every start: the per-user folders, the first-run copies
// of the templates, and the two files loaded. Each failure is shown to the
// user, and the program then ends.
#include <optional>
#include <string>

#include "storage/birthday_table.h"
#include "storage/settings.h"

namespace quillora {

struct UserData {
    Settings settings;
    BirthdayTable table;
    std::string listBytes;  // the list file as it was read
};

std::optional<UserData> PrepareUserData();

}  // namespace quillora
