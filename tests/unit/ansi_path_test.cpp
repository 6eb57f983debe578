#include "storage/ansi_path.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "windows1252_code_page.h"

namespace quillora {
namespace {

// The short names a volume keeps, by long path (UTF-8). Windows gives the
// long path back unchanged for an item without one, as on a volume with
// short names switched off; an item that does not exist has none at all.
struct Volume {
    std::map<std::string, std::string> shortNames;
    std::vector<std::string> withoutShortName;
    mutable int lookups = 0;

    [[nodiscard]] ShortPathOf Lookup() const {
        return [this](const std::string& path) -> std::optional<std::string> {
            ++lookups;
            if (const auto found = shortNames.find(path); found != shortNames.end()) return found->second;
            for (const std::string& item : withoutShortName) {
                if (item == path) return path;
            }
            return std::nullopt;
        };
    }
};

TEST(AnsiPath, FaithfulPathsShortFormsAndNewFilesOnA1252System) {
    const test::Windows1252CodePage codePage;
    const std::string lukasz = "C:\\users\\\xC5\x81ukasz";  // "Łukasz"
    const std::string photos = lukasz + "\\Documents\\Zdj\xC4\x99" "cia";  // "Zdjęcia"
    Volume volume;
    volume.shortNames = {{lukasz, "C:\\users\\_UKA~INY"},
                         {lukasz + "\\AppData\\Roaming", "C:\\users\\_UKA~INY\\AppData\\Roaming"},
                         {photos, "C:\\users\\_UKA~INY\\DOCUME~1\\ZDJCIA~1"}};
    volume.withoutShortName = {"D:\\Dvo\xC5\x99\xC3\xA1k"};  // "Dvořák"

    struct Case {
        std::string path;
        std::optional<std::string> ansi;
        bool looksForShortName;
    };
    const Case cases[] = {
        // What the code page holds stays as it is, byte for byte, and no
        // short name is even asked for.
        {"C:\\users\\Anna\\AppData\\Roaming", "C:\\users\\Anna\\AppData\\Roaming", false},
        {"C:\\users\\Zo\xC3\xAB\\Documents\\", "C:\\users\\Zo\xEB\\Documents\\", false},
        {"", "", false},
        // A best-fit letter would name another folder: the short form instead.
        {lukasz + "\\AppData\\Roaming", "C:\\users\\_UKA~INY\\AppData\\Roaming", true},
        // An item below a folder with a short name, itself without one.
        {lukasz + "\\Desktop", "C:\\users\\_UKA~INY\\Desktop", true},
        // A file about to be written in such a folder.
        {photos + "\\birthdays.ics", "C:\\users\\_UKA~INY\\DOCUME~1\\ZDJCIA~1\\birthdays.ics", true},
        // ... but not one whose own name the code page cannot hold.
        {photos + "\\\xC5\x81\xC3\xB3" "d\xC5\xBA.ics", std::nullopt, true},
        // No short names on the volume: no path at all, never "Dvorak".
        {"D:\\Dvo\xC5\x99\xC3\xA1k", std::nullopt, true},
        {"D:\\Dvo\xC5\x99\xC3\xA1k\\list.txt", std::nullopt, true},
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA", std::nullopt, true},
    };
    for (const Case& c : cases) {
        volume.lookups = 0;
        EXPECT_EQ(FaithfulAnsiPath(c.path, codePage, volume.Lookup()), c.ansi) << c.path;
        EXPECT_EQ(volume.lookups > 0, c.looksForShortName) << c.path;
    }
}

TEST(AnsiPath, TheMessageNamesTheFolderAsTheUserKnowsIt) {
    const std::string folder = "C:\\users\\\xC5\x81ukasz\\AppData\\Roaming";
    const std::string text = UnreachablePathText(folder);
    EXPECT_NE(text.find(folder), std::string::npos) << text;
    EXPECT_NE(text.find("SHORT (8.3) NAME"), std::string::npos) << text;
}

}  // namespace
}  // namespace quillora
