#include "storage/files_win.h"

#include <windows.h>

#include "base/scoped_win.h"

namespace quillora {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return std::nullopt;
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;  // the file shrank while we read it
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

std::string TempPathFor(const std::string& path) {
    return path + ".new";
}

bool MoveIntoPlace(const std::string& targetPath, const std::string& tempPath, bool targetExists,
                   const std::string& backupPath) {
    // The previous content becomes the backup through a second name for the
    // same file (a copy where the volume has no links), so the target itself
    // never leaves its place. A backup that cannot be made does not stop the
    // save.
    if (targetExists && !backupPath.empty()) {
        DeleteFileA(backupPath.c_str());
        if (!CreateHardLinkA(backupPath.c_str(), targetPath.c_str(), nullptr))
            CopyFileA(targetPath.c_str(), backupPath.c_str(), FALSE);
    }
    // One rename: at every moment the target holds either the old or the new
    // bytes. (ReplaceFileA is two renames under Wine, with no target between.)
    return MoveFileExA(tempPath.c_str(), targetPath.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

namespace {

// Whether the target could be rewritten where it is; sets `exists`.
bool TargetIsWritable(const std::string& path, bool& exists) {
    // Asked first: Wine run by root opens a read-only file for writing, and
    // the rename below would replace it.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        exists = true;
        return false;
    }
    UniqueKernelHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe) {
        exists = true;
        return true;
    }
    exists = false;
    return GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool WriteAndFlush(const std::string& path, std::string_view bytes) {
    UniqueKernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD wrote = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return FlushFileBuffers(file.Get()) != FALSE;
}

}  // namespace

bool SaveWholeFile(const std::string& path, std::string_view bytes, const std::string& backupPath,
                   FinalSaveStep finalStep) {
    bool exists = false;
    if (!TargetIsWritable(path, exists)) return false;
    const std::string temp = TempPathFor(path);
    if (!WriteAndFlush(temp, bytes) || !finalStep(path, temp, exists, backupPath)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace quillora
