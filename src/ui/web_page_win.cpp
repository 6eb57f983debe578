#include "ui/web_page_win.h"

#include <windows.h>
#include <shellapi.h>

#include "ui/process_win.h"

namespace quillora {

void OpenWebPage(const std::string& address) {
    if (StartProgram({}, address, {})) return;
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quillora
