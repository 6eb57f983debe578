// The Windows side of storage: safe saving, the first-run folders and
// template copies, and the autostart shortcut, on Wine's real file system.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "base/scoped_win.h"
#include "storage/files_win.h"
#include "storage/folders_win.h"
#include "storage/shortcut_win.h"

namespace quillora {
namespace {

// A fresh, empty folder per test, removed afterwards.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ =
            std::string(temp) + "quillora-win-" + info->name() + "-" + std::to_string(GetCurrentProcessId());
        RemoveTree(folder_);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(folder_); }

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

    static void Write(const std::string& path, const std::string& bytes) {
        UniqueKernelHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file.Valid());
        DWORD wrote = 0;
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    }
    static bool Exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    static void RemoveTree(const std::string& path) {
        WIN32_FIND_DATAA entry{};
        UniqueFind listing(FindFirstFileA((path + "\\*").c_str(), &entry));
        if (listing) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == "..") continue;
                const std::string child = path + "\\" + name;
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(child);
                } else {
                    DeleteFileA(child.c_str());
                }
            } while (FindNextFileA(listing.Get(), &entry));
        }
        RemoveDirectoryA(path.c_str());
    }

    std::string folder_;
};

using SafeSave = ScratchFolder;

TEST_F(SafeSave, WritesANewFileAndLeavesNoTemporaryBehind) {
    const std::string target = Path("list.txt");
    ASSERT_TRUE(SaveWholeFile(target, std::string("0\r\n"), target + ".bak"));
    EXPECT_EQ(ReadWholeFile(target), std::string("0\r\n"));
    EXPECT_FALSE(Exists(TempPathFor(target)));
    EXPECT_FALSE(Exists(target + ".bak"));
}

TEST_F(SafeSave, ReplacesTheFileAndKeepsThePreviousOneAsBackup) {
    const std::string target = Path("list.txt");
    Write(target, "1\r\nOld\r\n1\r\n1\r\n2000\r\n1\r\n1");
    ASSERT_TRUE(SaveWholeFile(target, std::string("0\r\n"), target + ".bak"));
    EXPECT_EQ(ReadWholeFile(target), std::string("0\r\n"));
    EXPECT_EQ(ReadWholeFile(target + ".bak"), std::string("1\r\nOld\r\n1\r\n1\r\n2000\r\n1\r\n1"));
}

TEST_F(SafeSave, AFailingLastStepLeavesThePreviousFileWhole) {
    const std::string target = Path("list.txt");
    const std::string previous = "2\r\nAnna\r\nBen\r\n14\r\n3\r\n2\r\n11\r\n1980\r\n1975\r\n1\r\n0\r\n1\r\n1";
    Write(target, previous);
    const FinalSaveStep interrupted = [](const std::string&, const std::string&, bool, const std::string&) {
        return false;
    };
    EXPECT_FALSE(SaveWholeFile(target, std::string(1 << 20, 'x'), target + ".bak", interrupted));
    EXPECT_EQ(ReadWholeFile(target), previous);
    EXPECT_FALSE(Exists(TempPathFor(target)));
}

// A save handed its content in pieces writes them as they come (small
// ones collected, large ones written as they are) and keeps every guarantee
// of the save: a content that stops halfway (a full disk, a failed read)
// fails the save and leaves the previous file and no temporary file behind.
TEST_F(SafeSave, WritesContentInPiecesOfAnySizeAndFailsWholeWhenItStops) {
    const std::string target = Path("list.txt");
    const std::string previous = "1\r\nOld\r\n1\r\n1\r\n2000\r\n1\r\n1";
    const std::size_t pieceSizes[] = {1, 2, 4000, 65535, 65536, 65537, 3 << 20};
    for (const std::size_t pieceSize : pieceSizes) {
        SCOPED_TRACE("pieces of " + std::to_string(pieceSize) + " bytes");
        std::string expected;
        for (int piece = 0; piece < 9; ++piece)
            expected += std::string(pieceSize, static_cast<char>('a' + piece));
        for (const bool stopsHalfway : {false, true}) {
            Write(target, previous);
            const ContentWriter content = [&](const ByteSink& write) {
                for (std::size_t at = 0; at < expected.size(); at += pieceSize) {
                    if (stopsHalfway && at >= expected.size() / 2) return false;
                    if (!write(std::string_view(expected).substr(at, pieceSize))) return false;
                }
                return true;
            };
            EXPECT_EQ(SaveWholeFile(target, content, target + ".bak"), !stopsHalfway);
            EXPECT_EQ(ReadWholeFile(target), stopsHalfway ? previous : expected);
            EXPECT_FALSE(Exists(TempPathFor(target)));
            const std::string rescue = Path("rescue.txt");
            DeleteFileA(rescue.c_str());
            EXPECT_EQ(WriteNewFile(rescue, content), !stopsHalfway);
            EXPECT_EQ(Exists(rescue), !stopsHalfway) << "a new file that stopped halfway is removed";
        }
    }
}

// A file another program holds for a moment (without delete sharing, as a
// scanner reads it) delays the save instead of failing it; a temporary file
// left by an earlier crash, even a read-only one, is replaced.
TEST_F(SafeSave, WaitsForAFileHeldForAMomentAndReplacesAStaleTemporaryFile) {
    const std::string target = Path("list.txt");
    Write(target, "0\r\n");
    Write(TempPathFor(target), "half a list");
    SetFileAttributesA(TempPathFor(target).c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE raw =
        CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(raw, INVALID_HANDLE_VALUE);
    UniqueKernelHandle releaser(CreateThread(
        nullptr, 0,
        [](void* held) -> DWORD {
            Sleep(400);
            CloseHandle(static_cast<HANDLE>(held));
            return 0;
        },
        raw, 0, nullptr));
    ASSERT_TRUE(releaser.Valid());
    const DWORD start = GetTickCount();
    EXPECT_TRUE(SaveWholeFile(target, std::string("1\r\n"), target + ".bak"));
    const DWORD took = GetTickCount() - start;
    WaitForSingleObject(releaser.Get(), INFINITE);
    EXPECT_EQ(ReadWholeFile(target), std::string("1\r\n"));
    EXPECT_FALSE(Exists(TempPathFor(target)));
    EXPECT_LT(took, 2500u);
}

TEST_F(SafeSave, RefusesWhereTheFileCouldNotBeRewritten) {
    const std::string readOnly = Path("config.txt");
    Write(readOnly, "3\r\n1\r\n1");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SaveWholeFile(readOnly, std::string("0\r\n0\r\n0")));
    EXPECT_EQ(ReadWholeFile(readOnly), std::string("3\r\n1\r\n1"));

    EXPECT_FALSE(SaveWholeFile(Path("missing-folder\\list.txt"), std::string("0\r\n")));

    const std::string locked = Path("list.txt");
    Write(locked, "0\r\n");
    UniqueKernelHandle writer(
        CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer.Valid());
    EXPECT_FALSE(SaveWholeFile(locked, std::string("1\r\n")));
    EXPECT_FALSE(ReadWholeFile(locked).has_value()) << "a file held by another writer cannot be read either";
}

using FirstRun = ScratchFolder;

TEST_F(FirstRun, EnsureFolderCreatesOnlyWhatIsMissingWhateverTheLetterCase) {
    ASSERT_TRUE(EnsureFolder(folder_, "Quillora"));
    EXPECT_TRUE(GetFileAttributesA(Path("Quillora").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    // An existing folder in another letter case is the same folder.
    EXPECT_TRUE(EnsureFolder(folder_, "QUILLORA"));
    // A file of that name counts as present; the folder inside then fails.
    Write(Path("data"), "");
    EXPECT_TRUE(EnsureFolder(folder_, "data"));
    EXPECT_FALSE(EnsureFolder(Path("data"), "inner"));
    EXPECT_FALSE(EnsureFolder(Path("no-parent"), "child"));
}

TEST_F(FirstRun, TemplateCopyNeverReplacesTheUsersFile) {
    const std::string templatePath = Path("template.txt");
    Write(templatePath, "0\r\n");
    // The user's list is the only file there, named in other letter case.
    const std::string mine = "1\r\nMine\r\n1\r\n1\r\n1\r\n1\r\n1";
    Write(Path("LIST.TXT"), mine);
    EXPECT_TRUE(EnsureTemplateCopy(folder_, "list.txt", templatePath));
    EXPECT_EQ(ReadWholeFile(Path("LIST.TXT")), mine);

    // Where there is no file at all, the template is copied.
    ASSERT_TRUE(EnsureTemplateCopy(folder_, "config.txt", templatePath));
    EXPECT_EQ(ReadWholeFile(Path("config.txt")), std::string("0\r\n"));

    EXPECT_FALSE(EnsureTemplateCopy(folder_, "other.txt", Path("no-such-template.txt")));
}

class Shortcut : public ScratchFolder {
protected:
    ComInit com_;
};

TEST_F(Shortcut, CarriesEveryFieldOfTheRemindersStart) {
    const std::string target = folder_ + "\\install\\data\\Reminder.exe";
    const std::string shortcutPath = Path("Reminder.lnk");
    ShortcutFields fields;
    fields.targetPath = target;
    fields.shortcutPath = shortcutPath;
    ASSERT_TRUE(CreateAutostartShortcut(fields));

    ComPtr<IShellLinkA> link;
    ASSERT_TRUE(SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())));
    ComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())));
    const std::wstring widePath(shortcutPath.begin(), shortcutPath.end());
    ASSERT_TRUE(SUCCEEDED(file->Load(widePath.c_str(), STGM_READ)));

    char text[1024] = {};
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    EXPECT_STREQ(text, target.c_str());
    link->GetWorkingDirectory(text, sizeof text);
    EXPECT_STREQ(text, (folder_ + "\\install\\data\\").c_str());
    link->GetArguments(text, sizeof text);
    EXPECT_STREQ(text, "");
    link->GetDescription(text, sizeof text);
    EXPECT_STREQ(text, "");
    int show = 0;
    link->GetShowCmd(&show);
    EXPECT_EQ(show, SW_SHOWNORMAL);
    WORD hotKey = 1;
    link->GetHotkey(&hotKey);
    EXPECT_EQ(hotKey, 0);
    int iconIndex = -1;
    link->GetIconLocation(text, sizeof text, &iconIndex);
    EXPECT_STREQ(text, target.c_str());
    EXPECT_EQ(iconIndex, 0);
}

TEST_F(Shortcut, AShortcutThatCouldNotBeWrittenSaysSo) {
    ShortcutFields fields;
    fields.targetPath = "C:\\Quillora\\data\\Reminder.exe";
    for (const char* folder : {"missing", "a file"}) {
        if (std::string(folder) == "a file") Write(Path(folder), "not a folder");
        fields.shortcutPath = Path(std::string(folder) + "\\Reminder.lnk");
        EXPECT_FALSE(CreateAutostartShortcut(fields)) << folder;
        EXPECT_FALSE(Exists(fields.shortcutPath)) << folder;
    }
}

}  // namespace
}  // namespace quillora
