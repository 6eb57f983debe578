// A command-line window on the portable core's birthday exchange, for the
// checks with other programs' parsers (check_with_real_parsers.py). Names
// are in Windows-1252, as on a Western European Windows.
//
//   exchange_tool export FORMAT LIST_FILE OUT_FILE LEAD_DAYS YYYY-MM-DD
//   exchange_tool import FORMAT IN_FILE OUT_LIST_FILE [mdy|dmy|ymd]
//
// FORMAT is ics, vcf or csv. An import starts from an empty list and writes
// the list file the program would save, then prints the summary; a file
// that can't be imported prints its message and ends with exit code 2.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "exchange/exchange.h"
#include "exchange/import_plan.h"
#include "import_as_ticked.h"
#include "windows1252_code_page.h"

namespace {

using namespace quillora;

std::optional<std::string> Slurp(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Spill(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

std::optional<ExchangeFormat> FormatNamed(std::string_view name) {
    return FormatOfExtension("." + std::string(name));
}

int Usage() {
    std::cerr << "usage: exchange_tool export ics|vcf|csv LIST OUT LEAD_DAYS YYYY-MM-DD\n"
                 "       exchange_tool import ics|vcf|csv IN OUT_LIST [mdy|dmy|ymd]\n";
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) return Usage();
    const std::string command = argv[1];
    const std::optional<ExchangeFormat> format = FormatNamed(argv[2]);
    const std::optional<std::string> input = Slurp(argv[3]);
    if (!format || !input) return Usage();
    const test::Windows1252CodePage codePage;

    if (command == "export" && argc == 7) {
        CalendarDay today;
        long long year = 0;
        if (std::sscanf(argv[6], "%lld-%d-%d", &year, &today.month, &today.day) != 3) return Usage();
        today.year = year;
        const ExportResult result =
            ExportTable(*format, ParseList(*input), {today, std::stoi(argv[5]), &codePage});
        std::cout << ExportSummaryText(*format, result) << "\n";
        return Spill(argv[4], result.bytes) ? 0 : 1;
    }
    if (command == "import" && (argc == 5 || argc == 6)) {
        const std::string order = argc == 6 ? argv[5] : "mdy";
        const ShortDateOrder dateOrder = order == "dmy"   ? ShortDateOrder::DayMonthYear
                                         : order == "ymd" ? ShortDateOrder::YearMonthDay
                                                          : ShortDateOrder::MonthDayYear;
        const ParsedFile parsed = ParseImport(*format, *input, {dateOrder});
        if (!parsed.error.empty()) {
            std::cout << parsed.error << "\n";
            return 2;
        }
        BirthdayTable table;
        const ImportSummary summary = ImportAsTicked(table, parsed.birthdays, codePage);
        std::cout << ImportSummaryText(summary) << "\n";
        return Spill(argv[4], ListToBytes(table)) ? 0 : 1;
    }
    return Usage();
}
