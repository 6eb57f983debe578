#pragma once
// The companion's access to the disk: the user's two files are only ever
// read, and so that Quillora is never kept from saving them they are opened
// letting others read, write, replace and delete them meanwhile.
#include <optional>
#include <string>

namespace quillora {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadSharedFile(const std::string& path);

// The companion's record of its last run, beside the settings file.
std::string LastRunFilePath();

// The folder of the running executable, with a backslash at its end. The
// melody lies beside Reminder.exe wherever it was started from.
std::string OwnFolder();

}  // namespace quillora
