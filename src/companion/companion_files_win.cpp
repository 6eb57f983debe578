#include "companion/companion_files_win.h"

#include <windows.h>

#include "base/scoped_win.h"
#include "calc/reminders.h"
#include "storage/paths.h"
#include "storage/user_data_win.h"

namespace quillora {

std::optional<std::string> ReadSharedFile(const std::string& path) {
    UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    // Read to the end rather than to a size taken first: the bytes decide.
    std::string bytes;
    constexpr std::size_t chunk = 64 * 1024;
    for (;;) {
        const std::size_t done = bytes.size();
        bytes.resize(done + chunk);
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(chunk), &got, nullptr)) {
            return std::nullopt;
        }
        bytes.resize(done + got);
        if (got == 0) return bytes;
    }
}

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
