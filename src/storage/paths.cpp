#include "storage/paths.h"

#include <algorithm>

namespace quillora {

namespace {

constexpr bool EndsInBackslash(std::string_view path) {
    return !path.empty() && path.back() == '\\';
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// The empty text stays empty: it stands for the current folder, and a lone
// backslash would name the root of the drive instead.
std::string WithTrailingBackslash(std::string path) {
    if (!path.empty() && !EndsInBackslash(path)) path += '\\';
    return path;
}

std::string JoinPath(std::string_view parent, std::string_view name) {
    std::string path(parent);
    if (!path.empty() && !EndsInBackslash(path)) path += '\\';
    path += name;
    return path;
}

std::string DataDirFrom(std::string_view appDataBase) {
    std::string path(appDataBase);
    path.append("\\").append(ProgramFolderName).append("\\").append(SettingsFolderName).append("\\");
    return path;
}

std::string ListDirFrom(std::string_view documentsBase) {
    std::string path(documentsBase);
    path.append(ProgramFolderName).append("\\").append(ListFolderName).append("\\");
    return path;
}

// Without a current directory the result is the relative "data\", which
// still finds the installation's data beside the working folder.
std::string InstallDataDirFrom(std::string_view currentDirectory) {
    return WithTrailingBackslash(std::string(currentDirectory)) + "data\\";
}

std::string InstallDataDirFrom(std::string_view currentDirectory, std::string_view programPath,
                               const std::function<bool(const std::string&)>& isFolder) {
    std::string working = InstallDataDirFrom(currentDirectory);
    const std::string besideProgram = FolderPart(programPath);
    if (besideProgram.empty() || isFolder(working)) return working;
    return besideProgram + "data\\";
}

std::string FolderPart(std::string_view path) {
    const std::size_t start = (!path.empty() && path.front() == '"') ? 1 : 0;
    std::size_t end = start;  // one past the last separator seen
    for (std::size_t pos = start; pos < path.size() && path[pos] != '|'; ++pos) {
        if (path[pos] == '\\' || path[pos] == '/') end = pos + 1;
    }
    return std::string(path.substr(start, end - start));
}

bool SameEntryName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace quillora
