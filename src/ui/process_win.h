#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace quillora {

// Starts a program that then runs on its own: its handles are let go at
// once. `program` empty means the first word of `commandLine` names it;
// `folder` empty means this process's working folder. The new process's id,
// or nothing when it could not be started.
std::optional<DWORD> StartProgram(const std::string& program, std::string commandLine,
                                  const std::string& folder);

}  // namespace quillora
