#pragma once
#include <windows.h>

namespace quillora {

// Shows `menu` at the screen point for `owner` (TrackPopupMenu's `flags`)
// and gives back what TrackPopupMenu does: the command with TPM_RETURNCMD.
int ShowPopupMenuAt(HWND owner, HMENU menu, POINT screen, UINT flags);

}  // namespace quillora
