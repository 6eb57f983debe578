#include "storage/ansi_path.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "windows1252_code_page.h"

namespace quillora {
namespace {

TEST(AnsiPath, FaithfulPathsShortFormsAndNewFilesOnA1252System) {
    const test::Windows1252CodePage codePage;
    const std::string lukasz = "C:\\users\\\xC5\x81ukasz";  // "Łukasz"
    const std::string photos = lukasz +
                               "\\Documents\\Zdj\xC4\x99"
                               "cia";                       // "Zdjęcia"
    const std::string dvorak = "D:\\Dvo\xC5\x99\xC3\xA1k";  // "Dvořák"
    // The short forms of the items that exist. Windows gives the long path
    // back for an item without one, as where short names are switched off.
    const std::map<std::string, std::string> volume = {
        {lukasz, "C:\\users\\_UKA~INY"},
        {lukasz + "\\AppData\\Roaming", "C:\\users\\_UKA~INY\\AppData\\Roaming"},
        {photos, "C:\\users\\_UKA~INY\\DOCUME~1\\ZDJCIA~1"},
        {dvorak, dvorak}};
    int lookups = 0;
    const ShortPathOf shortPath = [&](const std::string& path) -> std::optional<std::string> {
        ++lookups;
        const auto found = volume.find(path);
        return found == volume.end() ? std::nullopt : std::optional(found->second);
    };

    const std::tuple<std::string, std::optional<std::string>, bool> cases[] = {
        // What the code page holds stays as it is, byte for byte, and no
        // short form is even asked for.
        {"C:\\users\\Anna\\AppData\\Roaming", "C:\\users\\Anna\\AppData\\Roaming", false},
        {"C:\\users\\Zo\xC3\xAB\\Documents\\", "C:\\users\\Zo\xEB\\Documents\\", false},
        {"", "", false},
        // A best-fit letter would name another folder ("Lukasz"): the short form.
        {lukasz + "\\AppData\\Roaming", "C:\\users\\_UKA~INY\\AppData\\Roaming", true},
        // Below a folder with a short form; a file about to be written there.
        {lukasz + "\\Desktop", "C:\\users\\_UKA~INY\\Desktop", true},
        {photos + "\\birthdays.ics", "C:\\users\\_UKA~INY\\DOCUME~1\\ZDJCIA~1\\birthdays.ics", true},
        // ... but not a new file whose own name the code page cannot hold.
        {photos + "\\\xC5\x81\xC3\xB3"
                  "d\xC5\xBA.ics",
         std::nullopt, true},
        // No short form: no path at all, never "Dvorak".
        {dvorak, std::nullopt, true},
        {dvorak + "\\list.txt", std::nullopt, true},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         std::nullopt, true},
    };
    for (const auto& [path, ansi, looksForShortForm] : cases) {
        lookups = 0;
        EXPECT_EQ(FaithfulAnsiPath(path, codePage, shortPath), ansi) << path;
        EXPECT_EQ(lookups > 0, looksForShortForm) << path;
    }
    // The message names the folder as the user knows it.
    EXPECT_NE(UnreachablePathText(dvorak).find(dvorak), std::string::npos);
}

}  // namespace
}  // namespace quillora
