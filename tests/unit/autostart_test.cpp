#include "storage/autostart.h"

#include <gtest/gtest.h>

#include <string>

namespace quillora {
namespace {

// A Startup folder that takes the shortcut or not, and the uninstall's mark.
struct FakePlace final : AutostartPlace {
    bool marked, writable;
    int writes = 0;
    FakePlace(bool marked, bool writable) : marked(marked), writable(writable) {}
    [[nodiscard]] bool RemovedByUninstall() const override { return marked; }
    [[nodiscard]] bool WriteShortcut() override { return ++writes, writable; }
    void ForgetRemoval() override { marked = false; }
};

// Each start: the slot and the mark before and whether the shortcut can be
// written; then whether it was tried, the slot and the mark after, and
// whether the settings want saving. A failed write changes nothing, so the
// next start tries again.
TEST(WriteAutostartIfDue, RecordsOnlyAWrittenShortcut) {
    const struct {
        const char* slot;
        bool marked, writable, tried;
        const char* slotAfter;
        bool markedAfter, save;
    } cases[] = {
        {"0", false, true, true, "1", false, true},   {"", false, true, true, "1", false, true},
        {"0", false, false, true, "0", false, false}, {"0", true, false, true, "0", true, false},
        {"1", false, true, false, "1", false, false},  // deleted by the user: not put back
        {"1", true, true, true, "1", false, true},     // removed by an uninstall: written again
        {"1", true, false, true, "1", true, false},    // no Startup folder: the mark stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("slot \"") + c.slot + "\" mark " + std::to_string(c.marked) + " writable " +
                     std::to_string(c.writable));
        Settings settings;
        settings.Set(AutostartCreated, c.slot);
        FakePlace place(c.marked, c.writable);
        EXPECT_EQ(WriteAutostartIfDue(settings, place), c.save);
        EXPECT_EQ(place.writes, c.tried ? 1 : 0);
        EXPECT_EQ(settings.Get(AutostartCreated), c.slotAfter);
        EXPECT_EQ(place.marked, c.markedAfter);
    }
}

// The working folder holds the templates: a start that finds both files
// goes on without reaching it.
TEST(NeedsWorkingFolder, OnlyWhileATemplateIsToBeCopied) {
    EXPECT_FALSE(NeedsWorkingFolder(true, true));
    EXPECT_TRUE(NeedsWorkingFolder(false, true) && NeedsWorkingFolder(true, false) &&
                NeedsWorkingFolder(false, false));
}

}  // namespace
}  // namespace quillora
