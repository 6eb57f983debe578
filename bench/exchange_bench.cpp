// Reading contact and calendar files: many cards, and one very long line.
// Built into quillora_bench (whose main is in core_bench.cpp).
#include <benchmark/benchmark.h>

#include <string>

#include "exchange/exchange.h"
#include "exchange/formats.h"
#include "import_as_ticked.h"
#include "windows1252_code_page.h"

namespace quillora {
namespace {

const test::Windows1252CodePage Ansi;

std::string Cards(std::int64_t count) {
    std::string bytes;
    for (std::int64_t i = 0; i < count; ++i) {
        bytes += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Person number " + std::to_string(i) +
                 "\r\nN:number;Person;;;\r\nBDAY:1990-01-02\r\nEND:VCARD\r\n";
    }
    return bytes;
}

// Reading a file of that many cards and adding them to an empty list (which
// takes the first 102): the time per card stays the same from a thousand to
// a hundred thousand cards.
void ImportCards(benchmark::State& state) {
    const std::string bytes = Cards(state.range(0));
    for (auto _ : state) {
        const ParsedFile parsed = ParseImport(ExchangeFormat::VCard, bytes, {});
        BirthdayTable table;
        benchmark::DoNotOptimize(ImportAsTicked(table, parsed.birthdays, Ansi));
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ImportCards)
    ->RangeMultiplier(10)
    ->Range(1000, 100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

constexpr std::size_t LongLineBytes = std::size_t{100} << 20;

// One card whose name is a single line of 10 or 100 MiB. The import refuses
// a file above 16 MiB before reading it, so this times the reader behind
// that check: the time per byte stays the same.
void VCardWithLongLine(benchmark::State& state) {
    const std::string bytes =
        "BEGIN:VCARD\r\nFN:" + std::string(static_cast<std::size_t>(state.range(0)) << 20, 'n') +
        "\r\nBDAY:--01-02\r\nEND:VCARD\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseVCard(bytes));
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(VCardWithLongLine)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void CsvWithLongLine(benchmark::State& state) {
    const std::string bytes = "Name,Birthday\r\n" + std::string(LongLineBytes, 'n') + ",1990-01-02\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseCsv(bytes, false, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(CsvWithLongLine)->Unit(benchmark::kMillisecond);

void ICalendarWithLongLine(benchmark::State& state) {
    const std::string bytes =
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:" + std::string(LongLineBytes, 'n') +
        "\r\nDTSTART;VALUE=DATE:19900102\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseICalendar(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ICalendarWithLongLine)->Unit(benchmark::kMillisecond);

// The largest file the import takes: a 16 MiB line, through every step.
void ImportLargestAcceptedLine(benchmark::State& state) {
    const std::string head = "BEGIN:VCARD\r\nFN:";
    const std::string tail = "\r\nBDAY:--01-02\r\nEND:VCARD\r\n";
    const std::string bytes = head + std::string(MaxImportBytes - head.size() - tail.size(), 'n') + tail;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseImport(ExchangeFormat::VCard, bytes, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ImportLargestAcceptedLine)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillora
