#include "companion/companion_files_win.h"

#include <windows.h>

#include "base/scoped_win.h"
#include "calc/reminders.h"
#include "storage/paths.h"
#include "storage/user_data_win.h"

namespace quillora {

std::string LastRunFilePath() {
    return DataDirFrom(AppDataBase()) + std::string(LastRunFileName);
}

std::string OwnFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return FolderPart(path);
}

}  // namespace quillora
