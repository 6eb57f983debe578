#include "app/startup_win.h"

#include <string>

#include "app/startup_profile.h"
#include "storage/autostart.h"
#include "storage/birthday_table.h"
#include "storage/folders_win.h"
#include "storage/paths.h"
#include "storage/user_data_win.h"
#include "ui/message_box_win.h"

namespace quillora {
namespace {

bool EnsureFolderOrSay(const std::string& parent, const std::string& name) {
    if (EnsureFolder(parent, name)) return true;
    ShowError(nullptr, "KONNTE VERZEICHNISS NICHT ERSTELLEN: " + JoinPath(parent, name), false);
    return false;
}

bool EnsureTemplateCopyOrSay(const std::string& folder, std::string_view fileName) {
    const std::string name(fileName);
    const std::string templatePath = InstallDataDir() + name;
    if (EnsureTemplateCopy(folder, name, templatePath)) return true;
    ShowError(nullptr, "COULDN'T COPY: '" + templatePath + "' To THE DIRECTORY: '" + folder + "\\" + name,
              false);
    return false;
}

// A list the program cannot read loads as an empty list, and the next save
// would replace it: its bytes are kept aside first, and the user is told
// where. When they cannot be kept, the program ends rather than lose them.
bool KeepAsideOrSay(const std::string& bytes) {
    if (const auto copy = KeepUnreadableListAside(bytes)) {
        ShowError(nullptr, "THE BIRTHDAY-LIST COULD NOT BE READ! IT IS KEPT UNCHANGED AS: " + *copy, false);
        return true;
    }
    ShowError(nullptr, "THE BIRTHDAY-LIST COULD NOT BE READ! " + ListFilePath(), false);
    return false;
}

}  // namespace

std::optional<UserData> PrepareUserData() {
    // A folder that the ANSI calls cannot reach under its own name ends the
    // start before anything is made, rather than making it somewhere else.
    const auto reachable = [](bool withWorkingFolder) {
        const auto unreachable = UnreachableUserFolder(withWorkingFolder);
        if (unreachable) ShowUnreachablePath(nullptr, *unreachable);
        return !unreachable;
    };
    if (!reachable(/*withWorkingFolder=*/false)) return std::nullopt;
    MarkStartupStep("reachable");
    // The order is fixed: each step only runs when the ones before it worked,
    // and the paths are built anew from their sources at every step (the
    // folders were found reachable just above).
    const auto appData = [] { return AppDataBase().value_or(std::string()); };
    const auto documents = [] { return DocumentsBase().value_or(std::string()); };
    const std::string program(ProgramFolderName);
    const std::string settingsFolder = program + "\\" + std::string(SettingsFolderName);
    const std::string listFolder = program + "\\" + std::string(ListFolderName);
    if (!EnsureFolderOrSay(appData() + "\\", program)) return std::nullopt;
    if (!EnsureFolderOrSay(appData() + "\\" + program, std::string(SettingsFolderName))) return std::nullopt;
    if (!EnsureFolderOrSay(documents(), program)) return std::nullopt;
    if (!EnsureFolderOrSay(documents() + program, std::string(ListFolderName))) return std::nullopt;
    MarkStartupStep("folders");
    // The templates lie in the working folder's data folder.
    if (NeedsWorkingFolder(PathExists(SettingsFilePath()), PathExists(ListFilePath())) && !reachable(true))
        return std::nullopt;
    if (!EnsureTemplateCopyOrSay(appData() + "\\" + settingsFolder, SettingsFileName)) return std::nullopt;
    if (!EnsureTemplateCopyOrSay(documents() + listFolder, ListFileName)) return std::nullopt;

    MarkStartupStep("templates");
    UserData data;
    if (!LoadSettings(data.settings)) {
        ShowError(nullptr, "COULDNT FIND: " + DataDirFrom(appData()) + std::string(SettingsFileName), true);
        return std::nullopt;
    }
    MarkStartupStep("settings");
    if (!LoadList(data.table, &data.listBytes)) {
        ShowError(nullptr, "COULDNT FIND THE BIRTHDAY-LIST!", true);
        return std::nullopt;
    }
    if (IsUnreadableList(data.listBytes) && !KeepAsideOrSay(data.listBytes)) return std::nullopt;
    return data;
}

}  // namespace quillora
