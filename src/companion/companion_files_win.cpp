#include "companion/companion_files_win.h"

#include <windows.h>

#include "base/scoped_win.h"
#include "calc/reminders.h"
#include "storage/folders_win.h"
#include "storage/paths.h"
#include "storage/user_data_win.h"

namespace quillora {

std::string ReminderStateFilePath() {
    const auto base = AppDataBase();
    return base ? DataDirFrom(*base) + std::string(ReminderStateFileName) : std::string();
}

std::string OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return FolderPart(AnsiPathOf(path).value_or(std::string()));
}

}  // namespace quillora
