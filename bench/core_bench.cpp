// Run from a Release-like tree: build/native/bench/quillora_bench
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "calc/list_row.h"
#include "storage/birthday_table.h"

namespace quillora {
namespace {

BirthdayTable FullTable() {
    BirthdayTable table;
    for (int i = 0; i < TableCapacity; ++i) {
        const bool appended = table.Append({"Person number " + std::to_string(i), std::to_string(i % 28 + 1),
                                            std::to_string(i % 12 + 1), std::to_string(1940 + i % 80),
                                            i % 2 == 0 ? "1" : "0", "1"});
        if (!appended) break;
    }
    return table;
}

// A list whose single name is one line of `nameBytes` bytes.
std::string ListWithLongName(std::size_t nameBytes) {
    std::string bytes = "1\r\n";
    bytes.append(nameBytes, 'n');
    bytes += "\r\n1\r\n1\r\n2000\r\n1\r\n1";
    return bytes;
}

constexpr std::size_t LongLineBytes = std::size_t{64} << 20;

void LoadFullList(benchmark::State& state) {
    const std::string bytes = ListToBytes(FullTable());
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseList(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadFullList);

void SaveFullList(benchmark::State& state) {
    const BirthdayTable table = FullTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(ListToBytes(table));
}
BENCHMARK(SaveFullList);

void LoadLongNameList(benchmark::State& state) {
    const std::string bytes = ListWithLongName(LongLineBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseList(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadLongNameList)->Unit(benchmark::kMillisecond);

// The floor for the load above: copying the same bytes once and finding the
// line feeds, which any reader has to do at least.
void CopyAndScanLongNameList(benchmark::State& state) {
    const std::string bytes = ListWithLongName(LongLineBytes);
    for (auto _ : state) {
        std::string copy = bytes;
        std::size_t lineFeeds = 0;
        for (const char* at = copy.data();
             (at = static_cast<const char*>(std::memchr(at, '\n', copy.data() + copy.size() - at))) !=
             nullptr;
             ++at) {
            ++lineFeeds;
        }
        benchmark::DoNotOptimize(copy);
        benchmark::DoNotOptimize(lineFeeds);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(CopyAndScanLongNameList)->Unit(benchmark::kMillisecond);

void BuildFullListRows(benchmark::State& state) {
    const BirthdayTable table = FullTable();
    const CalendarDay today{2026, 12, 6};
    for (auto _ : state) {
        for (const BirthdayEntry& entry : table.Rows())
            benchmark::DoNotOptimize(BuildRow(entry, today));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * table.Rows().size()));
}
BENCHMARK(BuildFullListRows);

}  // namespace
}  // namespace quillora

BENCHMARK_MAIN();
