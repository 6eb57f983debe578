#pragma once
// The path that the program's ANSI calls get for a folder or file that
// Windows names in Unicode. An account name such as "Łukasz" has letters
// the ANSI code page cannot hold: converted plainly, the path would name
// another folder ("Lukasz"), so such a path is reached through its short
// (8.3) form instead, which is plain ASCII.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "storage/code_page.h"

namespace quillora {

// The short form of an existing item's path (both in UTF-8); nothing when
// the item does not exist or Windows gives no short form.
using ShortPathOf = std::function<std::optional<std::string>(const std::string& utf8Path)>;

// The ANSI path that names the same item as `utf8Path`:
// - the path itself when it converts to the code page and back unchanged;
// - otherwise its short form, when that converts so;
// - for an item still to be made (a file about to be written), the path of
//   its folder by this same rule and then its own name, when the name
//   converts so.
// Nothing when none of these is faithful (short names switched off on the
// volume): the caller must not fall back to another folder.
[[nodiscard]] std::optional<std::string> FaithfulAnsiPath(const std::string& utf8Path,
                                                          const CodePage& codePage,
                                                          const ShortPathOf& shortPath);

// The message for a folder or file that no faithful ANSI path reaches; it
// names the item and says why. UTF-8, shown through the Unicode API so that
// the name appears as the user knows it.
std::string UnreachablePathText(std::string_view utf8Path);

}  // namespace quillora
