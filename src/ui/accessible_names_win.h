#pragma once
// Names for screen readers given to controls through Windows' dynamic
// annotation, without any text on the screen. A name that cannot be given
// (an older system, a missing service) is no reason to stop: the control
// then reads as it would without one.
#include <windows.h>
#include <oleacc.h>

#include <string_view>
#include <vector>

#include "base/scoped_win.h"

namespace quillora {

class AccessibleNames {
public:
    AccessibleNames() = default;
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;
    // The names go with their owner, so that the annotation service keeps
    // none of a window that is gone.
    ~AccessibleNames();

    // Needs COM on the calling thread; false when the name was not given.
    bool Name(HWND control, std::string_view name);

private:
    ComPtr<IAccPropServices> services_;
    std::vector<HWND> named_;
};

}  // namespace quillora
