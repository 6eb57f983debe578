#pragma once
// The system's order of the fields of a short date, for dates in CSV files.
#include "exchange/records.h"

namespace quillora {

// The user's short-date order (LOCALE_IDATE).
ShortDateOrder SystemShortDateOrder();

}  // namespace quillora
