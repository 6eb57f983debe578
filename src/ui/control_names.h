#pragma once
// The names of the main window's tabs and the names that screen readers
// read for controls that no visible label of their own names: each month's
// list by its tab, each field of the entry dialog by what it holds.
#include <array>
#include <string_view>

#include "ui/ids.h"

namespace quillora {

inline constexpr std::array<std::string_view, MonthTabCount> MonthTabCaptions = {
    "ALL", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The list on tab `tab` is read out by its tab's caption; empty for no tab.
[[nodiscard]] std::string_view ListViewName(int tab);

struct ControlName {
    int id;
    std::string_view name;
};

// The three date fields share one label, and the name field's group box is
// no label to a screen reader; the check box is named as it reads.
inline constexpr std::array<ControlName, 5> EntryFieldNames = {{
    {NameFieldId, "Name"},
    {DayFieldId, "Day"},
    {MonthFieldId, "Month"},
    {YearFieldId, "Year"},
    {RemindBoxId, "Remind this birthday"},
}};

}  // namespace quillora
