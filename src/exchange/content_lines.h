#pragma once
// The line syntax that iCalendar and vCard share: "GROUP.NAME;PARAM=x:value"
// lines, folded at 75 octets with a leading blank on each continuation.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillora {

struct ContentLine {
    std::string name;  // upper case, without its group
    // Parameter names upper case; a bare parameter (vCard 2.1's
    // "QUOTED-PRINTABLE") has the empty name. Values without quotes.
    std::vector<std::pair<std::string, std::string>> params;
    std::string value;

    // The value of the first parameter of that name; "" when none.
    [[nodiscard]] std::string Param(std::string_view upperName) const;
    // A parameter or bare value equal to `upperValue`, letter case ignored
    // (ENCODING=QUOTED-PRINTABLE, TYPE=..., or QUOTED-PRINTABLE alone).
    [[nodiscard]] bool HasValue(std::string_view upperValue) const;
};

// A line without ":" gives its whole text as the name and an empty value.
ContentLine ParseContentLine(std::string_view line);
// The physical lines joined into logical ones, in time linear in the
// bytes. A line break ends a line unless the next line begins with a blank
// (a fold), or the line is quoted-printable and ends in "=" (a soft break).
// Empty lines are left out.
std::vector<std::string> UnfoldLines(std::string_view bytes);

// "\\", "\;", "\," and "\n" as iCalendar and vCard text values write them.
std::string EscapeText(std::string_view text);
std::string UnescapeText(std::string_view text);
// A structured value's components, split at ";" that are not escaped.
std::vector<std::string> SplitComponents(std::string_view value);

// Appends `line` and CR LF, folded so that no line is longer than 75 octets
// and no UTF-8 sequence is cut.
void AppendFolded(std::string& out, std::string_view line);

}  // namespace quillora
