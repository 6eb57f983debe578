#include "storage/paths.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

TEST(Paths, JoinAddsOneBackslashWhereNeeded) {
    EXPECT_EQ(JoinPath("C:\\Users\\A", "Quillora"), "C:\\Users\\A\\Quillora");
    EXPECT_EQ(JoinPath("C:\\Users\\A\\", "Quillora"), "C:\\Users\\A\\Quillora");
    EXPECT_EQ(JoinPath("", "Quillora"), "Quillora");
    EXPECT_EQ(WithTrailingBackslash("C:\\x"), "C:\\x\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(Paths, BuildThePerUserAndInstallationFolders) {
    EXPECT_EQ(DataDirFrom("C:\\Users\\A\\AppData\\Roaming"),
              "C:\\Users\\A\\AppData\\Roaming\\Quillora\\data\\");
    EXPECT_EQ(DataDirFrom(""), "\\Quillora\\data\\");
    EXPECT_EQ(ListDirFrom("C:\\Users\\A\\Documents\\"), "C:\\Users\\A\\Documents\\Quillora\\Saved-List\\");
    EXPECT_EQ(ListDirFrom(""), "Quillora\\Saved-List\\");
    EXPECT_EQ(InstallDataDirFrom("C:\\Program Files\\Quillora"), "C:\\Program Files\\Quillora\\data\\");
    EXPECT_EQ(InstallDataDirFrom("C:\\"), "C:\\data\\");
    EXPECT_EQ(InstallDataDirFrom(""), "data\\");
}

TEST(Paths, TheWorkingFoldersDataComesFirstThenTheOneBesideTheProgram) {
    const std::string program = "C:\\Program Files\\Quillora\\Quillora.exe";
    const std::string installed = "C:\\Program Files\\Quillora\\data\\";
    struct Case {
        std::string_view working;
        std::string_view program;
        bool workingHasData;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Quillora", program, true, installed},
        {"C:\\Portable\\", program, true, "C:\\Portable\\data\\"},
        {"C:\\", program, false, installed},
        {"", program, false, installed},
        {"C:\\Elsewhere", "", false, "C:\\Elsewhere\\data\\"},  // no program path: as always
    };
    for (const Case& c : cases) {
        std::string asked;
        const auto isFolder = [&](const std::string& folder) {
            asked = folder;
            return c.workingHasData;
        };
        EXPECT_EQ(InstallDataDirFrom(c.working, c.program, isFolder), c.expected) << c.working;
        if (!c.program.empty()) EXPECT_EQ(asked, InstallDataDirFrom(c.working)) << c.working;
    }
}

TEST(Paths, FolderPartEndsAtTheLastSeparator) {
    const std::pair<std::string_view, std::string> cases[] = {
        {"C:\\Q\\data\\Reminder.exe", "C:\\Q\\data\\"},
        {"C:/Q/data/Reminder.exe", "C:/Q/data/"},
        {"C:\\Q/data\\x", "C:\\Q/data\\"},
        {"\"C:\\Q\\Reminder.exe\"", "C:\\Q\\"},
        {"C:\\Q\\a.exe|D:\\b\\", "C:\\Q\\"},
        {"Reminder.exe", ""},
        {"\"", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(FolderPart(path), folder) << path;
}

TEST(Paths, EntryNamesMatchWithoutAsciiCase) {
    EXPECT_TRUE(SameEntryName("Quillora", "QUILLORA"));
    EXPECT_TRUE(SameEntryName("saved-list", "Saved-List"));
    EXPECT_FALSE(SameEntryName("Quillora", "Quillora2"));
    EXPECT_FALSE(SameEntryName("\xC4", "\xE4"));
    EXPECT_FALSE(SameEntryName("[", "{"));
}

}  // namespace
}  // namespace quillora
