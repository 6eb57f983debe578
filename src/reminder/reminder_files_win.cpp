#include "reminder/reminder_files_win.h"

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
    return FolderPart(ProgramPath());
}

}  // namespace quillora
