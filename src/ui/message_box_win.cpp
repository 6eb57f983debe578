#include "ui/message_box_win.h"

namespace quillora {

void ShowError(HWND owner, const std::string& text, bool beepFirst) {
    if (beepFirst) MessageBeep(MB_ICONHAND);
    MessageBoxA(owner, text.c_str(), "ERROR", MB_OK | (owner ? MB_APPLMODAL : MB_TASKMODAL));
}

}  // namespace quillora
