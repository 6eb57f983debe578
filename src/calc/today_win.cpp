#include <windows.h>

#include "calc/calendar.h"

namespace quillora {

DateValue Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return MakeDate(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

}  // namespace quillora
