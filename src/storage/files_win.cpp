#include "storage/files_win.h"

#include <windows.h>

#include <algorithm>

#include "base/scoped_win.h"
#include "storage/paths.h"
#include "storage/safekeeping.h"

namespace quillora {

namespace {

// One ReadFile or WriteFile call takes a 32-bit count: more is done in steps.
constexpr std::size_t MaxBytesPerRead = std::size_t{1} << 30;

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, ShareWith share) {
    const DWORD shareMode = share == ShareWith::Everyone
                                ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                                : FILE_SHARE_READ;
    UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    // The size only sizes the buffer; the reads decide, so a file that
    // another program grows or shrinks meanwhile is read as far as it goes.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(bytes.size() * 2);
        const auto want = static_cast<DWORD>(std::min(bytes.size() - done, MaxBytesPerRead));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
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

enum class TargetState { Writable, Missing, Busy, Unwritable };

// Whether the target could be rewritten where it is.
TargetState ProbeTarget(const std::string& path) {
    // Asked first: Wine run by root opens a read-only file for writing, and
    // the rename below would replace it.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return TargetState::Unwritable;
    UniqueKernelHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe) return TargetState::Writable;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
            return TargetState::Missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return TargetState::Busy;  // another program holds it for a moment
        default:
            return TargetState::Unwritable;
    }
}

void RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// Collects small pieces into writes of a useful size and hands large pieces
// to the file as they are, so that writing never copies a long line.
class BufferedFileWriter {
public:
    explicit BufferedFileWriter(HANDLE file) : file_(file) { buffer_.reserve(BufferSize); }

    bool Write(std::string_view piece) {
        if (buffer_.size() + piece.size() <= BufferSize) {
            buffer_ += piece;
            return true;
        }
        if (!Flush()) return false;
        if (piece.size() < BufferSize) {
            buffer_ += piece;
            return true;
        }
        return WriteOut(piece);
    }
    // Hands what is collected to the file.
    bool Flush() {
        const bool written = WriteOut(buffer_);
        buffer_.clear();
        return written;
    }

private:
    static constexpr std::size_t BufferSize = std::size_t{64} << 10;

    bool WriteOut(std::string_view bytes) const {
        while (!bytes.empty()) {
            const auto want = static_cast<DWORD>(std::min(bytes.size(), MaxBytesPerRead));
            DWORD wrote = 0;
            if (!WriteFile(file_, bytes.data(), want, &wrote, nullptr) || wrote == 0) return false;
            bytes.remove_prefix(wrote);
        }
        return true;
    }

    HANDLE file_;
    std::string buffer_;
};

UniqueKernelHandle CreateForWriting(const std::string& path, DWORD creation) {
    return UniqueKernelHandle(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteAndFlush(HANDLE file, const ContentWriter& content) {
    BufferedFileWriter writer(file);
    if (!content([&](std::string_view piece) { return writer.Write(piece); })) return false;
    return writer.Flush() && FlushFileBuffers(file) != FALSE;
}

bool WriteAndFlush(const std::string& path, const ContentWriter& content) {
    const UniqueKernelHandle file = CreateForWriting(path, CREATE_ALWAYS);
    return file && WriteAndFlush(file.Get(), content);
}

ContentWriter WholeContent(std::string_view bytes) {
    return [bytes](const ByteSink& write) { return write(bytes); };
}

}  // namespace

bool SaveWholeFile(const std::string& path, std::string_view bytes, const std::string& backupPath,
                   FinalSaveStep finalStep) {
    return SaveWholeFile(path, WholeContent(bytes), backupPath, finalStep);
}

bool SaveWholeFile(const std::string& path, const ContentWriter& content, const std::string& backupPath,
                   FinalSaveStep finalStep, const ReplaceCheck& mayReplace) {
    const std::string temp = TempPathFor(path);
    const std::vector<int> pauses = SaveRetryPauses();
    bool written = false;
    for (std::size_t attempt = 0;; ++attempt) {
        const TargetState state = ProbeTarget(path);
        if (state == TargetState::Unwritable) break;
        if (state != TargetState::Busy) {
            if (!written) {
                // A temporary file left by an earlier crash goes first, even
                // a read-only one.
                RemoveFile(temp);
                if (!WriteAndFlush(temp, content)) {
                    DeleteFileA(temp.c_str());  // what part of the content got there
                    break;
                }
                written = true;
            }
            if (mayReplace && !mayReplace()) break;
            if (finalStep(path, temp, state == TargetState::Writable, backupPath)) return true;
        }
        if (attempt >= pauses.size()) break;
        Sleep(static_cast<DWORD>(pauses[attempt]));
    }
    if (written) DeleteFileA(temp.c_str());
    return false;
}

bool WriteNewFile(const std::string& path, std::string_view bytes) {
    return WriteNewFile(path, WholeContent(bytes));
}

bool WriteNewFile(const std::string& path, const ContentWriter& content) {
    UniqueKernelHandle file = CreateForWriting(path, CREATE_NEW);
    if (!file) return false;  // never touches a file that exists
    if (WriteAndFlush(file.Get(), content)) return true;
    file.Reset();
    DeleteFileA(path.c_str());
    return false;
}

bool KeepCopy(const std::string& path, const std::string& copyPath) {
    if (GetFileAttributesA(copyPath.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    // A second name is made in one step, so a crash never leaves half a
    // copy; saves replace the file under its first name, not its bytes.
    if (CreateHardLinkA(copyPath.c_str(), path.c_str(), nullptr)) return true;
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return false;
    const std::string temp = TempPathFor(copyPath);
    RemoveFile(temp);
    if (WriteAndFlush(temp, WholeContent(*bytes)) &&
        MoveFileExA(temp.c_str(), copyPath.c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temp.c_str());
    return false;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> FolderEntryNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    UniqueFind listing(FindFirstFileA(JoinPath(folder, "*").c_str(), &entry));
    if (!listing) return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(listing.Get(), &entry));
    return names;
}

}  // namespace quillora
