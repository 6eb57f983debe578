#pragma once
// Where the reminder keeps its own record and finds its melody. The user's
// two files it only ever reads, through Quillora's own loaders sharing them
// with everyone, so that Quillora is never kept from saving them.
#include <string>

namespace quillora {

// The reminder's record of its last run, beside the settings file; empty
// when the settings folder has no faithful ANSI path.
std::string ReminderStateFilePath();

// The folder of the running executable, with a backslash at its end (empty
// when no faithful ANSI path reaches it). The melody lies beside
// Reminder.exe wherever it was started from.
std::string OwnFolder();

}  // namespace quillora
