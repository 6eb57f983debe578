#pragma once
#include <windows.h>

#include <string>

namespace quillora {

// The program's one kind of failure message: title "ERROR", one OK button,
// no icon; the critical-stop sound first where `beepFirst`. Modal for all of
// the program's windows.
void ShowError(HWND owner, const std::string& text, bool beepFirst);

}  // namespace quillora
