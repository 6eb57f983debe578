#pragma once
// The file formats, each read and written on its own; exchange.cpp
// chooses between them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/records.h"

namespace quillora {

ExportResult WriteICalendar(const BirthdayTable& table, const ExportOptions& options);
ExportResult WriteVCard(const BirthdayTable& table, const ExportOptions& options);
ExportResult WriteCsv(const BirthdayTable& table, const ExportOptions& options);

// The bytes are UTF-8 here (a byte-order mark or UTF-16 already decoded),
// except for CSV, where `ansi` says the file was not UTF-8.
ParsedFile ParseICalendar(std::string_view bytes);
ParsedFile ParseVCard(std::string_view bytes);
ParsedFile ParseCsv(std::string_view bytes, bool ansi, const ImportOptions& options);
// The program's own list file, as it is on disk (names in the code page).
ParsedFile ParseBirthdayList(std::string_view bytes);

// The stable UID of each entry, in table order: the same in every export,
// for the calendar event and the contact card of one entry alike.
std::vector<std::string> EntryUids(const BirthdayTable& table);

// Reads the date forms of contact files: "YYYYMMDD", "YYYY-MM-DD",
// "--MMDD", "--MM-DD", each with or without a time part after "T". A date
// that does not exist gives nothing.
std::optional<BirthDate> ParseIsoDate(std::string_view text);

// A date given as day, month and year (NoYear: none) in a file: day and month
// must name a real day of the year, and a year given must hold that day
// (29 February 1981 is no date). See KnownDate.
std::optional<BirthDate> GivenDate(std::int64_t day, std::int64_t month, std::int64_t year);

// A name as the files carry it: the ANSI text converted to UTF-8.
std::string NameToUtf8(const std::string& name, const ExportOptions& options);

// A text from a file in the character set its bytes suggest: UTF-8 when
// valid, otherwise Windows-1252.
std::string AsUtf8(std::string_view bytes);

}  // namespace quillora
