#pragma once
#include <string>

namespace quillora {

// Shows a web address in the user's browser without waiting: first tried as
// a program to start, then handed to the shell's default action. The outcome
// is not reported.
void OpenWebPage(const std::string& address);

}  // namespace quillora
