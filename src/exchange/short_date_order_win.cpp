#include "exchange/short_date_order_win.h"

#include <windows.h>

namespace quillora {

ShortDateOrder SystemShortDateOrder() {
    char order[4] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDATE, order, sizeof order) == 0) {
        return ShortDateOrder::MonthDayYear;
    }
    if (order[0] == '1') return ShortDateOrder::DayMonthYear;
    if (order[0] == '2') return ShortDateOrder::YearMonthDay;
    return ShortDateOrder::MonthDayYear;
}

}  // namespace quillora
