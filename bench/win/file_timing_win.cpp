// Times loading and saving a list whose one name is a 64 MiB line with the
// program's own code under Wine (ReadWholeFile + ParseList to load,
// SaveWholeFile with the list's content streamed to the file to save, as the
// program saves), against the least any program does
// with that file: reading its bytes into memory, and writing them to a file
// and flushing them (the save flushes too, so that a crash never truncates
// the list). The plain write without the flush is shown as well.
//
// Beside it, the recovery journal written after a change against the
// program's own save of the same ordinary list (a full table of 102
// people, one of them just changed).
//
// Each figure is the median of several rounds; within a round the four
// operations run one after another, so that a change in the machine's load
// touches all of them alike. Prints the medians and the two ratios; exits
// non-zero only when an operation fails or loses bytes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/scoped_win.h"
#include "storage/birthday_table.h"
#include "storage/files_win.h"
#include "storage/list_document.h"

namespace {

using namespace quillora;

constexpr int DefaultRounds = 11;
constexpr std::size_t LongLineBytes = std::size_t{64} << 20;
constexpr const char* Folder = "C:\\quillora-bench";

// The same file as the native benchmark's: one entry whose name is the line.
std::string ListWithLongName(std::size_t nameBytes) {
    std::string bytes = "1\r\n";
    bytes.append(nameBytes, 'n');
    bytes += "\r\n1\r\n1\r\n2000\r\n1\r\n1";
    return bytes;
}

double Milliseconds(const std::function<bool()>& work, bool& ok) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ok = work() && ok;
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

bool PlainRead(const std::string& path, std::string& bytes) {
    UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return false;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    return ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
           got == bytes.size();
}

bool PlainWrite(const std::string& path, const std::string& bytes, bool flush) {
    UniqueKernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD wrote = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) ||
        wrote != bytes.size())
        return false;
    return !flush || FlushFileBuffers(file.Get());
}

// A full table of ordinary entries, and the same with one person changed.
BirthdayTable FullTable() {
    BirthdayTable table;
    for (int row = 0; row < TableCapacity; ++row)
        table.AppendLoaded({"Person number " + std::to_string(row), std::to_string(1 + row % 28),
                            std::to_string(1 + row % 12), std::to_string(1950 + row), "1", "1"});
    return table;
}

// The journal's write after a change against the save of the same list;
// false when a write failed.
bool TimeJournalAgainstSave(int rounds) {
    const std::string list = std::string(Folder) + "\\list-full.txt";
    const std::string journal = std::string(Folder) + "\\recovery-journal.txt";
    const BirthdayTable base = FullTable();
    BirthdayTable changed = base;
    BirthdayEntry person = changed.Row(TableCapacity / 2);
    person.Remind = "0";
    (void)changed.Replace(TableCapacity / 2, person);
    bool ok = true;
    std::vector<double> save, write;
    for (int round = 0; round <= rounds; ++round) {
        const double saveMs =
            Milliseconds([&] { return SaveWholeFile(list, ListContent(changed), list + ".bak"); }, ok);
        const double journalMs =
            Milliseconds([&] { return SaveWholeFile(journal, JournalBytes(changed, base)); }, ok);
        if (round == 0) continue;
        save.push_back(saveMs);
        write.push_back(journalMs);
    }
    const double ratio = Median(write) / Median(save);
    std::printf("full list of %d people, medians of %d rounds (ms):\n", TableCapacity, rounds);
    std::printf("  journal after a change           %8.2f   the program's save      %8.2f   ratio %.2f\n",
                Median(write), Median(save), ratio);
    std::printf("goal: journal at most 1.2x the save %s\n", ratio <= 1.2 ? "met" : "MISSED");
    for (const std::string& path : {list, list + ".bak", journal})
        DeleteFileA(path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : DefaultRounds;
    CreateDirectoryA(Folder, nullptr);
    const std::string source = std::string(Folder) + "\\source.txt";
    const std::string saved = std::string(Folder) + "\\list.txt";
    const std::string plain = std::string(Folder) + "\\plain.txt";
    const std::string fileBytes = ListWithLongName(LongLineBytes);
    bool ok = PlainWrite(source, fileBytes, true) && PlainWrite(saved, fileBytes, true);
    if (!ok) {
        std::fprintf(stderr, "cannot write the files in %s\n", Folder);
        return 1;
    }

    std::vector<double> load, read, save, writeFlushed, writeOnly;
    for (int round = 0; round <= rounds; ++round) {
        BirthdayTable table;
        std::string bytes;
        const double loadMs = Milliseconds(
            [&] {
                const auto read = ReadWholeFile(source);
                if (!read) return false;
                table = ParseList(*read);
                return true;
            },
            ok);
        const double readMs = Milliseconds([&] { return PlainRead(source, bytes); }, ok);
        const double saveMs =
            Milliseconds([&] { return SaveWholeFile(saved, ListContent(table), saved + ".bak"); }, ok);
        const double flushedMs = Milliseconds([&] { return PlainWrite(plain, bytes, true); }, ok);
        const double writeMs = Milliseconds([&] { return PlainWrite(plain, bytes, false); }, ok);
        ok = ok && table.Count() == 1 && table.Row(0).Name.size() == LongLineBytes && bytes == fileBytes;
        if (!ok) {
            std::fprintf(stderr, "round %d: an operation failed or lost bytes\n", round);
            return 1;
        }
        // The first round warms the file cache and the heap.
        if (round == 0) continue;
        load.push_back(loadMs);
        read.push_back(readMs);
        save.push_back(saveMs);
        writeFlushed.push_back(flushedMs);
        writeOnly.push_back(writeMs);
    }
    ok = ReadWholeFile(saved) == fileBytes;

    const double loadRatio = Median(load) / Median(read);
    const double saveRatio = Median(save) / Median(writeFlushed);
    std::printf("64 MiB-line list, medians of %d rounds (ms):\n", rounds);
    std::printf("  load  ReadWholeFile+ParseList    %8.1f   plain read              %8.1f   ratio %.2f\n",
                Median(load), Median(read), loadRatio);
    std::printf("  save  streamed SaveWholeFile     %8.1f   plain write and flush   %8.1f   ratio %.2f\n",
                Median(save), Median(writeFlushed), saveRatio);
    std::printf("        (plain write without flush %8.1f; save against it: ratio %.2f)\n", Median(writeOnly),
                Median(save) / Median(writeOnly));
    std::printf("goals: load at most 2x %s, save at most 2.5x %s\n", loadRatio <= 2.0 ? "met" : "MISSED",
                saveRatio <= 2.5 ? "met" : "MISSED");

    for (const std::string& path : {source, saved, saved + ".bak", plain})
        DeleteFileA(path.c_str());
    ok = TimeJournalAgainstSave(rounds) && ok;
    RemoveDirectoryA(Folder);
    return ok ? 0 : 1;
}
