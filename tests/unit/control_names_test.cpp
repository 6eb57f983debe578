#include "ui/control_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quillora {
namespace {

// What a screen reader reads: each month's list by its tab's caption, each
// field of the entry dialog by a name of its own.
TEST(ControlNames, EveryListIsNamedByItsTabAndEveryEntryFieldByItsOwnName) {
    const char* expected[] = {"ALL", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int tab = 0; tab < MonthTabCount; ++tab)
        EXPECT_EQ(ListViewName(tab), expected[tab]) << tab;
    EXPECT_EQ(ListViewName(-1), "");
    EXPECT_EQ(ListViewName(MonthTabCount), "");

    std::set<int> ids;
    std::set<std::string_view> names;
    for (const ControlName& field : EntryFieldNames) {
        ids.insert(field.id);
        names.insert(field.name);
    }
    EXPECT_EQ(ids, (std::set<int>{NameFieldId, DayFieldId, MonthFieldId, YearFieldId, RemindBoxId}));
    EXPECT_EQ(names.size(), EntryFieldNames.size());
    EXPECT_EQ(names.count(""), 0u);
}

}  // namespace
}  // namespace quillora
