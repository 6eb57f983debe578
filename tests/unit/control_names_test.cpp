#include "ui/control_names.h"

#include <gtest/gtest.h>

#include <set>

namespace quillora {
namespace {

// What a screen reader reads: each month's list by its tab's caption, each
// field of the entry dialog by a name of its own.
TEST(ControlNames, EveryListIsNamedByItsTabAndEveryEntryFieldByItsOwnName) {
    const char* tabs[] = {"",    "ALL", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec", ""};
    for (int tab = -1; tab <= MonthTabCount; ++tab)
        EXPECT_EQ(ListViewName(tab), tabs[tab + 1]) << tab;
    std::set<int> ids;
    std::set<std::string_view> names{""};
    for (const ControlName& field : EntryFieldNames) {
        ids.insert(field.id);
        names.insert(field.name);
    }
    EXPECT_EQ(ids, (std::set<int>{NameFieldId, DayFieldId, MonthFieldId, YearFieldId, RemindBoxId}));
    EXPECT_EQ(names.size(), EntryFieldNames.size() + 1) << "a name is empty or given twice";
}

}  // namespace
}  // namespace quillora
