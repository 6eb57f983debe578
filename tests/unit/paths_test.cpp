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
    const std::string program = "C:\\Q\\Quillora.exe";
    // Only the working folder's data folder is ever looked for.
    const auto dataIn = [](const std::string& working) {
        return [working](const std::string& folder) { return folder == InstallDataDirFrom(working); };
    };
    EXPECT_EQ(InstallDataDirFrom("C:\\Q", program, dataIn("C:\\Q")), "C:\\Q\\data\\");
    EXPECT_EQ(InstallDataDirFrom("C:\\P\\", program, dataIn("C:\\P")), "C:\\P\\data\\");
    EXPECT_EQ(InstallDataDirFrom("C:\\", program, dataIn("C:\\Q")), "C:\\Q\\data\\");
    EXPECT_EQ(InstallDataDirFrom("", program, dataIn("C:\\Q")), "C:\\Q\\data\\");
    EXPECT_EQ(InstallDataDirFrom("C:\\E", "", dataIn("C:\\Q")), "C:\\E\\data\\");  // no program path
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
