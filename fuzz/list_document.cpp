// The merge of three versions of the list and the recovery journal: a merge
// never invents a person, keeps the user's table when nothing changed
// outside and takes the other version when the user changed nothing; a
// journal round-trips, and any other bytes in its place are kept aside and
// never applied.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "check.h"
#include "memory_list_store.h"
#include "storage/list_document.h"

namespace {

using quillora::BirthdayEntry;
using quillora::BirthdayTable;

// Rows from a few names and dates, so that people of one name and identical
// rows are common.
BirthdayTable TableFrom(FuzzedDataProvider& input) {
    BirthdayTable table;
    const int rows = input.ConsumeIntegralInRange(0, quillora::TableCapacity + 4);
    for (int row = 0; row < rows; ++row) {
        const auto pick = [&](std::initializer_list<const char*> texts) {
            return std::string(
                *(texts.begin() + input.ConsumeIntegralInRange<std::size_t>(0, texts.size() - 1)));
        };
        table.AppendLoaded({pick({"Anna", "Ben", "Anna "}), pick({"1", "2"}), pick({"1", "12"}),
                            pick({"", "1990"}), pick({"0", "1"}), "1"});
    }
    return table;
}

bool Holds(const std::vector<BirthdayEntry>& rows, const BirthdayEntry& entry) {
    return std::find(rows.begin(), rows.end(), entry) != rows.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const BirthdayTable base = TableFrom(input);
    const BirthdayTable ours = TableFrom(input);
    const BirthdayTable theirs = TableFrom(input);

    const quillora::ListMerge merge = quillora::MergeLists(base, ours, theirs);
    for (const BirthdayEntry& entry : merge.merged.Rows())
        FUZZ_CHECK(Holds(ours.Rows(), entry) || Holds(theirs.Rows(), entry));
    for (const BirthdayEntry& entry : merge.keptAside)
        FUZZ_CHECK(Holds(theirs.Rows(), entry));
    FUZZ_CHECK(merge.rowOfOurs.size() == static_cast<std::size_t>(ours.Count()));
    for (const int row : merge.rowOfOurs)
        FUZZ_CHECK(row >= -1 && row < merge.merged.Count());
    FUZZ_CHECK(merge.merged.Count() <= std::max(ours.Count(), quillora::TableCapacity));
    FUZZ_CHECK(quillora::MergeLists(base, ours, base).merged == ours);
    FUZZ_CHECK(quillora::MergeLists(base, ours, ours).merged == ours);
    if (theirs.Count() <= quillora::TableCapacity) {
        std::vector<BirthdayEntry> taken = quillora::MergeLists(base, base, theirs).merged.Rows();
        std::vector<BirthdayEntry> wanted = theirs.Rows();
        const auto order = [](const BirthdayEntry& a, const BirthdayEntry& b) {
            return std::tie(a.Name, a.Day, a.Month, a.Year, a.Remind) <
                   std::tie(b.Name, b.Day, b.Month, b.Year, b.Remind);
        };
        std::sort(taken.begin(), taken.end(), order);
        std::sort(wanted.begin(), wanted.end(), order);
        FUZZ_CHECK(taken == wanted);
    }

    const auto journal = quillora::ParseJournal(quillora::JournalBytes(ours, base));
    FUZZ_CHECK(journal && journal->table == ours && journal->base == base);

    // Whatever else lies where the journal belongs.
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    quillora::MemoryListStore store;
    store.journal = bytes;
    quillora::ListDocument list(store);
    const std::string file = quillora::ListToBytes(theirs);
    const quillora::ListNews news = list.Open(file);
    const auto parsed = quillora::ParseJournal(bytes);
    if (!parsed) {
        FUZZ_CHECK(news.unreadableJournal && list.Table() == theirs && store.keptJournals.size() == 1);
    } else {
        FUZZ_CHECK(!news.unreadableJournal);
        FUZZ_CHECK(quillora::ParseJournal(quillora::JournalBytes(parsed->table, parsed->base))->table ==
                   parsed->table);
    }
    return 0;
}
