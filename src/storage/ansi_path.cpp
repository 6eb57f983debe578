#include "storage/ansi_path.h"

namespace quillora {

namespace {

std::optional<std::string> Faithful(const std::string& utf8, const CodePage& codePage) {
    AnsiText ansi = codePage.FromUtf8(utf8);
    if (!ansi.exact || codePage.ToUtf8(ansi.text) != utf8) return std::nullopt;
    return std::move(ansi.text);
}

}  // namespace

std::optional<std::string> FaithfulAnsiPath(const std::string& utf8Path, const CodePage& codePage,
                                            const ShortPathOf& shortPath) {
    if (auto same = Faithful(utf8Path, codePage)) return same;
    if (const auto shortForm = shortPath(utf8Path)) {
        if (auto ansi = Faithful(*shortForm, codePage)) return ansi;
    }
    // Not there yet, or no short form: its folder may still have one. A root
    // ("C:\") has no folder above it.
    const std::size_t separator = utf8Path.find_last_of("\\/");
    if (separator == std::string::npos || separator == 0 || separator + 1 == utf8Path.size())
        return std::nullopt;
    const auto name = Faithful(utf8Path.substr(separator + 1), codePage);
    if (!name) return std::nullopt;
    const auto folder = FaithfulAnsiPath(utf8Path.substr(0, separator), codePage, shortPath);
    if (!folder) return std::nullopt;
    return *folder + utf8Path[separator] + *name;
}

std::string UnreachablePathText(std::string_view utf8Path) {
    return "QUILLORA CANNOT USE THE FOLDER: " + std::string(utf8Path) +
           "\r\nITS NAME HAS LETTERS THAT THE SYSTEM'S CODE PAGE CANNOT HOLD, AND WINDOWS KEEPS NO SHORT "
           "(8.3) NAME FOR IT ON THIS DRIVE. NOTHING WAS WRITTEN.";
}

}  // namespace quillora
