#pragma once
// Which format a file is: by its name's extension, by the
// filter chosen in the file dialog, or by what its bytes look like.
#include <optional>
#include <string>
#include <string_view>

namespace quillora {

// BirthdayList is the program's own list file ("list.txt", its ".bak" and
// the kept copies), which an import reads and no export writes.
enum class ExchangeFormat { ICalendar, VCard, Csv, BirthdayList };

// The format a file name's extension names (".ics", ".ical", ".vcf",
// ".vcard", ".csv", and ".bak" for a list; any letter case); nothing for any
// other, ".txt" too (a text file may hold anything: the filter or the bytes
// decide).
std::optional<ExchangeFormat> FormatOfExtension(std::string_view path);
// The extension written for a format, with its dot.
std::string_view ExtensionOf(ExchangeFormat format);
// What the bytes look like: a calendar, a contact file, a list file, or
// else CSV.
ExchangeFormat FormatOfContent(std::string_view bytes);

// The file an export writes: a name with the extension of a format that is
// exported decides the format; otherwise the filter chosen in the dialog does (the
// first, iCalendar, when none), and its extension is added to the name.
struct ExportTarget {
    std::string path;
    ExchangeFormat format;
};
ExportTarget ExportTargetOf(std::string path, std::optional<ExchangeFormat> filterFormat);

// The format an import reads: the file's extension, else the filter chosen
// in the dialog, else what the bytes look like ("All files").
ExchangeFormat ImportFormatOf(std::string_view path, std::optional<ExchangeFormat> filterFormat,
                              std::string_view bytes);

}  // namespace quillora
