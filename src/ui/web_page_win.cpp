#include "ui/web_page_win.h"

#include <windows.h>
#include <shellapi.h>

#include "base/scoped_win.h"

namespace quillora {

void OpenWebPage(const std::string& address) {
    std::string commandLine = address;  // CreateProcessA may write to it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        UniqueKernelHandle thread(process.hThread);
        UniqueKernelHandle started(process.hProcess);
        return;
    }
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quillora
