#pragma once
// The per-user folders and the first-run copies of the templates.
#include <string>

namespace quillora {

// A shell special folder (CSIDL_...) ending in one backslash; the empty text
// when the shell cannot give it.
std::string ShellFolderPath(int csidl);

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
