#include "ui/accessible_names_win.h"

#include <string>

namespace quillora {

AccessibleNames::~AccessibleNames() {
    if (!services_) return;
    MSAAPROPID name = PROPID_ACC_NAME;
    for (HWND control : named_)
        services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
}

bool AccessibleNames::Name(HWND control, std::string_view name) {
    if (!control || name.empty()) return false;
    if (!services_ && FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IAccPropServices, services_.PutVoid()))) {
        return false;
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), length);
    if (FAILED(services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         PROPID_ACC_NAME, wide.c_str()))) {
        return false;
    }
    named_.push_back(control);
    return true;
}

}  // namespace quillora
