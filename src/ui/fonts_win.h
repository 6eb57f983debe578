#pragma once
#include <windows.h>

#include "base/scoped_win.h"

namespace quillora {

// The two fonts of the child windows, made once at start and kept to the end.
struct SharedFonts {
    UniqueFont title;    // Arial 15 pt, bold, underlined
    UniqueFont caption;  // Arial 8 pt, bold
};

// Pixel height from the display's vertical dots per inch.
SharedFonts CreateSharedFonts();

}  // namespace quillora
