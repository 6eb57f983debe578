#include "ui/process_win.h"

#include "base/scoped_win.h"

namespace quillora {

std::optional<DWORD> StartProgram(const std::string& program, std::string commandLine,
                                  const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // CreateProcessA may write to the command line, so it is a copy of ours.
    if (!CreateProcessA(program.empty() ? nullptr : program.c_str(),
                        commandLine.empty() ? nullptr : commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return std::nullopt;
    }
    const UniqueKernelHandle thread(process.hThread);
    const UniqueKernelHandle started(process.hProcess);
    return process.dwProcessId;
}

}  // namespace quillora
