// quillora_ctl: a small console tool for scripts that run Quillora under
// Wine and need to wait for its window or close it as a user would.
//
//   quillora_ctl wait-window <title> <timeout-ms>   exit 0 once a visible top-level window has that title
//                                                   and it is fully drawn
//   quillora_ctl wait-gone <title> <timeout-ms>     exit 0 once no visible top-level window has it
//   quillora_ctl close-window <title>               posts WM_CLOSE to it; exit 0 when it was there
//
// Exit code 1 on a timeout or a missing window, 2 on wrong arguments.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver.h"

namespace {

using quillora::e2e::FindTopLevel;
using quillora::e2e::Millis;
using quillora::e2e::WaitUntil;

int Usage() {
    std::fputs(
        "usage: quillora_ctl wait-window <title> <timeout-ms>\n"
        "       quillora_ctl wait-gone <title> <timeout-ms>\n"
        "       quillora_ctl close-window <title>\n",
        stderr);
    return 2;
}

bool ParseTimeout(const char* text, Millis& timeout) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < 0) return false;
    timeout = Millis(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string_view command = argv[1];
    const std::string title = argv[2];

    if (command == "close-window" && argc == 3) {
        HWND window = FindTopLevel(0, title);
        if (window == nullptr) {
            std::fprintf(stderr, "no window titled \"%s\"\n", title.c_str());
            return 1;
        }
        quillora::e2e::PostClose(window);
        return 0;
    }

    Millis timeout{};
    if (argc != 4 || !ParseTimeout(argv[3], timeout)) return Usage();
    if (command == "wait-window") {
        const auto drawn = [&] {
            HWND window = FindTopLevel(0, title);
            return window != nullptr && quillora::e2e::IsFullyDrawn(window);
        };
        if (WaitUntil(drawn, timeout)) return 0;
        std::fprintf(stderr, "no window titled \"%s\" within %s ms\n", title.c_str(), argv[3]);
        return 1;
    }
    if (command == "wait-gone") {
        if (WaitUntil([&] { return FindTopLevel(0, title) == nullptr; }, timeout)) return 0;
        std::fprintf(stderr, "the window titled \"%s\" is still there after %s ms\n", title.c_str(), argv[3]);
        return 1;
    }
    return Usage();
}
