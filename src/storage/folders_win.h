#pragma once
// The per-user folders and the first-run copies of the templates.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillora {

std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);

// The path the ANSI calls get for a path that Windows gave in UTF-16: the
// path itself when the ANSI code page holds it, otherwise its short form
// (see FaithfulAnsiPath). A trailing backslash is kept. Nothing when no
// faithful path can be had.
std::optional<std::string> AnsiPathOf(const std::wstring& path);

// A shell special folder (CSIDL_...) as the shell gives it, ending in one
// backslash; the empty text when the shell cannot give it.
std::wstring ShellFolderPathWide(int csidl);
// The same folder for the ANSI calls (by AnsiPathOf); the empty text when
// the shell cannot give it, nothing when no faithful path can be had.
std::optional<std::string> ShellFolderPath(int csidl);

// The error box for a folder or file that no faithful ANSI path reaches: it
// names the item as the user knows it and says why.
void ShowUnreachablePath(HWND owner, const std::wstring& path);

// Makes sure `parent` holds an entry called `name` (compared without regard
// to letter case, as the file system does) and creates the folder
// JoinPath(parent, name) when it does not. False when that creation failed.
[[nodiscard]] bool EnsureFolder(const std::string& parent, const std::string& name);

// Makes sure `folder` holds an entry called `fileName` and copies the
// template there when it does not. The copy never replaces an existing file.
// False when the copy failed.
[[nodiscard]] bool EnsureTemplateCopy(const std::string& folder, const std::string& fileName,
                                      const std::string& templatePath);

}  // namespace quillora
