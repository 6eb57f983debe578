#pragma once
// Birthdays in and out of Quillora: iCalendar, vCard and CSV files, read and
// written as bytes. Everything the Windows side needs is injected: the code
// page, today and the order of the system's short dates.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/format_choice.h"
#include "exchange/records.h"

namespace quillora {

ExportResult ExportTable(ExchangeFormat format, const BirthdayTable& table, const ExportOptions& options);

// The message shown after an export.
std::string ExportSummaryText(ExchangeFormat format, const ExportResult& result);

// Files above this size are refused before they are read.
inline constexpr std::size_t MaxImportBytes = std::size_t{16} * 1024 * 1024;

// The reason a file's bytes can't be imported (empty, too large, binary),
// or the empty text.
std::string CheckImportBytes(std::string_view bytes);

ParsedFile ParseImport(ExchangeFormat format, std::string_view bytes, const ImportOptions& options);

}  // namespace quillora
