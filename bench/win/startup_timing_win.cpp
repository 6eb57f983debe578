// Start-up time and peak memory of Quillora with a full list of 102 entries,
// against yardsticks beside this program, all under Wine in the same prefix:
// the floor of the job, exactly the work Quillora's start requires and
// nothing else (quillora_job_floor_window, the goal's measure), the least any
// program showing the same 102 rows does (quillora_one_list_window), a bare
// program with Quillora's controls (quillora_same_controls_window) and the
// least a Win32 program with a list view does (quillora_minimal_window).
//
// One run: the clock starts right before CreateProcess and stops when the
// program waits for input (WaitForInputIdle), its main window is found and
// nothing in it waits to be painted any more: what the user sees is then
// complete. The peak memory is the Linux process's VmHWM, read from /proc
// just before the window is closed (GetProcessMemoryInfo on another process
// gives zeros under Wine). Every window is closed as a user would close it.
//
// Runs of the programs alternate, the order rotating every round, so a
// change in the machine's load touches both alike; the first round only
// warms the caches. Prints the medians, the ratio of the times and the
// difference of the peaks; exits non-zero only when a run fails.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/list_row.h"
#include "driver.h"
#include "storage/birthday_table.h"
#include "storage/calendar.h"

namespace {

using namespace quillora::e2e;
using quillora::UniqueKernelHandle;

constexpr int DefaultRounds = 15;
constexpr Millis RunTimeout{30000};

struct Sample {
    double milliseconds = 0;
    double peakKiB = 0;
};

struct Subject {
    const char* name;
    std::string exeName;  // as it appears in the Linux process's command line
    std::string title;
    std::function<Program()> launch;
    std::vector<Sample> samples;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ASCII letters in lower case: Wine may spell the path either way.
std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The value of `key` (such as "VmHWM:") in a /proc status text, in KiB.
double StatusValue(const std::string& status, const std::string& key) {
    const auto at = status.find(key);
    return at == std::string::npos ? -1 : std::atof(status.c_str() + at + key.size());
}

// The Linux process of the program just started: the one of this prefix
// whose command line names `exeName`. Wine keeps no link from a Windows
// process id to the Linux one that another process could read, but runs
// here are one at a time, so the name and the prefix are enough.
std::string LinuxProcessOf(const std::string& exeName, const std::string& prefixEntry) {
    std::vector<std::string> found;
    for (const std::string& entry : FolderEntries("Z:\\proc")) {
        if (entry.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string folder = "Z:\\proc\\" + entry;
        const std::optional<std::string> commandLine = ReadBytes(folder + "\\cmdline");
        if (!commandLine || Lower(*commandLine).find(Lower(exeName)) == std::string::npos) continue;
        const std::optional<std::string> environment = ReadBytes(folder + "\\environ");
        if (!environment || environment->find(prefixEntry) == std::string::npos) continue;
        found.push_back(folder);
    }
    return found.size() == 1 ? found.front() : std::string();
}

bool Measure(Subject& subject, const std::string& prefixEntry) {
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Program program = subject.launch();
    if (!program.Started()) {
        std::fprintf(stderr, "%s: %s\n", subject.name, program.Describe().c_str());
        return false;
    }
    const UniqueKernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, program.Id()));
    WaitForInputIdle(process.Get(), static_cast<DWORD>(RunTimeout.count()));
    HWND window = nullptr;
    const auto deadline = std::chrono::steady_clock::now() + RunTimeout;
    // Polled every millisecond: the figure is about tens of milliseconds.
    while (std::chrono::steady_clock::now() < deadline) {
        window = FindTopLevel(program.Id(), subject.title);
        if (window != nullptr && IsFullyDrawn(window)) break;
        window = nullptr;
        Sleep(1);
    }
    QueryPerformanceCounter(&end);
    if (window == nullptr) {
        std::fprintf(stderr, "%s: no window; %s\n", subject.name, program.Describe().c_str());
        return false;
    }
    Sample sample;
    sample.milliseconds =
        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    const std::string linux = LinuxProcessOf(subject.exeName, prefixEntry);
    const std::optional<std::string> status = linux.empty() ? std::nullopt : ReadBytes(linux + "\\status");
    sample.peakKiB = status ? StatusValue(*status, "VmHWM:") : -1;

    PostClose(window);
    const std::optional<DWORD> exitCode = program.WaitForExit(RunTimeout);
    if (exitCode != std::optional<DWORD>(0)) {
        std::fprintf(stderr, "%s: no normal end; %s\n", subject.name, program.Describe().c_str());
        return false;
    }
    if (sample.peakKiB < 0) {
        std::fprintf(stderr, "%s: its Linux process was not found\n", subject.name);
        return false;
    }
    subject.samples.push_back(sample);
    return true;
}

std::string FullList() {
    std::string columns[6];
    for (int i = 0; i < 102; ++i) {
        const std::string end = i + 1 < 102 ? "\r\n" : "";
        columns[0] += "Person number " + std::to_string(i) + "\r\n";
        columns[1] += std::to_string(1 + i % 28) + "\r\n";
        columns[2] += std::to_string(1 + i % 12) + "\r\n";
        columns[3] += std::to_string(1940 + i % 80) + "\r\n";
        columns[4] += std::string(i % 2 == 0 ? "1" : "0") + "\r\n";
        columns[5] += "1" + end;
    }
    std::string bytes = "102\r\n";
    for (const std::string& column : columns)
        bytes += column;
    return bytes;
}

// The rows Quillora shows for `list` today, one a line, cells separated by
// tabs: what the one-list yardstick shows.
std::string RowsOf(const std::string& list) {
    const quillora::BirthdayTable table = quillora::ParseList(list);
    const quillora::CalendarDay today = quillora::Today();
    std::string lines;
    for (const quillora::BirthdayEntry& entry : table.Rows()) {
        const quillora::ListRow row = quillora::BuildRow(entry, today);
        for (std::size_t cell = 0; cell < row.cells.size(); ++cell)
            lines += (cell == 0 ? "" : "\t") + row.cells[cell];
        lines += '\n';
    }
    return lines;
}

// The marks of one program's profiling build: each line of the marks file is
// one start, "step=milliseconds since the process was created" separated by
// tabs. Per step, the times of every start since the process was created.
struct StepTimes {
    std::vector<std::string> steps;
    std::vector<std::vector<double>> at;
};

StepTimes ParseMarks(const std::string& marks) {
    StepTimes times;
    std::size_t begin = 0;
    while (begin < marks.size()) {
        const std::size_t end = std::min(marks.find('\n', begin), marks.size());
        const std::string line = marks.substr(begin, end - begin);
        begin = end + 1;
        std::size_t field = 0, index = 0;
        while (field < line.size()) {
            const std::size_t stop = std::min(line.find('\t', field), line.size());
            const std::string mark = line.substr(field, stop - field);
            field = stop + 1;
            const std::size_t equals = mark.find('=');
            if (equals == std::string::npos) continue;
            if (index == times.steps.size()) {
                times.steps.push_back(mark.substr(0, equals));
                times.at.emplace_back();
            }
            times.at[index++].push_back(std::atof(mark.c_str() + equals + 1));
        }
    }
    return times;
}

struct Profile {
    const char* name;
    StepTimes times;
    double drawnMedian;
};

// The profiles side by side, one row per step (the steps of all programs in
// the order they come): per program the median time of the step from its own
// mark before (so a program without some marks shows their time in its next
// mark), and the median time of the mark since the process was created.
void PrintProfiles(const std::vector<Profile>& profiles) {
    std::vector<std::string> rows;
    for (const Profile& profile : profiles) {
        std::size_t insertAt = 0;
        for (const std::string& step : profile.times.steps) {
            const auto found = std::find(rows.begin(), rows.end(), step);
            if (found != rows.end()) {
                insertAt = static_cast<std::size_t>(found - rows.begin()) + 1;
            } else {
                rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(insertAt++), step);
            }
        }
    }
    std::printf(
        "profile of the start-up steps, medians of %zu starts each, interleaved\n",
        profiles.empty() || profiles[0].times.at.empty() ? std::size_t{0} : profiles[0].times.at[0].size());
    std::printf("(ms of the step since the program's mark before / ms since the process was created)\n");
    std::printf("  %-10s", "step");
    for (const Profile& profile : profiles)
        std::printf(" %20s", profile.name);
    std::printf("\n");
    for (const std::string& row : rows) {
        std::printf("  %-10s", row.c_str());
        for (const Profile& profile : profiles) {
            const auto& steps = profile.times.steps;
            const auto found = std::find(steps.begin(), steps.end(), row);
            if (found == steps.end()) {
                std::printf(" %20s", "");
                continue;
            }
            const auto index = static_cast<std::size_t>(found - steps.begin());
            std::vector<double> spans;
            for (std::size_t start = 0; start < profile.times.at[index].size(); ++start) {
                const double before = index == 0 ? 0.0 : profile.times.at[index - 1].at(start);
                spans.push_back(profile.times.at[index][start] - before);
            }
            std::printf(" %9.2f / %8.2f", Median(spans), Median(profile.times.at[index]));
        }
        std::printf("\n");
    }
    std::printf("  %-10s", "drawn");
    for (const Profile& profile : profiles)
        std::printf(" %9s / %8.1f", "", profile.drawnMedian);
    std::printf("   (to idle and drawn, measured from outside)\n");
}

std::string LoadAverage() {
    const std::optional<std::string> text = ReadBytes("Z:\\proc\\loadavg");
    return text ? text->substr(0, text->find(' ', text->find(' ', text->find(' ') + 1) + 1)) : "?";
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : DefaultRounds;
    char prefix[MAX_PATH * 4] = {};
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix)) {
        std::fprintf(stderr, "WINEPREFIX is not set; it tells this prefix's processes from others\n");
        return 1;
    }
    const std::string prefixEntry = std::string("WINEPREFIX=") + prefix + '\0';

    const Scenario scenario("Bench.Startup");
    scenario.GiveSettings("3\r\n1\r\n1");
    scenario.GiveList(FullList());
    const std::string minimalPath = OwnFolder() + "\\quillora_minimal_window.exe";
    const std::string oneListPath = OwnFolder() + "\\quillora_one_list_window.exe";
    // The yardstick reads its rows from its working folder.
    const std::string rowsFolder = scenario.SettingsFolder();
    const std::string rowsPath = rowsFolder + "\\one-list-rows.txt";
    if (!WriteBytes(rowsPath, RowsOf(FullList()))) {
        std::fprintf(stderr, "could not write %s\n", rowsPath.c_str());
        return 1;
    }

    std::vector<Subject> subjects;
    // The goal's measure: the least any program showing these rows does.
    subjects.push_back({"one-list",
                        "quillora_one_list_window.exe",
                        "ONE LIST",
                        [&] { return StartProcess(oneListPath, rowsFolder); },
                        {}});
    subjects.push_back({"minimal",
                        "quillora_minimal_window.exe",
                        "MINIMAL",
                        [&] { return StartProcess(minimalPath, OwnFolder()); },
                        {}});
    // The same controls and outside work as Quillora, none of its code.
    const std::string sameControlsPath = OwnFolder() + "\\quillora_same_controls_window.exe";
    subjects.push_back({"same-ctl",
                        "quillora_same_controls_window.exe",
                        "SAME CONTROLS",
                        [&] { return StartProcess(sameControlsPath, OwnFolder()); },
                        {}});
    // The floor of the job: exactly the work Quillora's start requires.
    const std::string floorPath = OwnFolder() + "\\quillora_job_floor_window.exe";
    subjects.push_back({"job floor",
                        "quillora_job_floor_window.exe",
                        "JOB FLOOR",
                        [&] { return StartProcess(floorPath, rowsFolder); },
                        {}});
    subjects.push_back(
        {"Quillora", "Quillora.exe", std::string(MainWindowTitle), [&] { return scenario.Launch(); }, {}});
    // With "profile" after the rounds: only the profiling builds of the
    // program and of the one-list yardstick, interleaved, whose marks say
    // where each one's start-up time goes.
    if (argc > 2 && std::string(argv[2]) == "profile") {
        LaunchOptions options;
        options.program = OwnFolder() + "\\quillora_profiled.exe";
        const std::string floorProfiled = OwnFolder() + "\\quillora_job_floor_profiled.exe";
        const std::string oneListProfiled = OwnFolder() + "\\quillora_one_list_profiled.exe";
        Subject profiled[] = {{"Quillora",
                               "quillora_profiled.exe",
                               std::string(MainWindowTitle),
                               [&] { return scenario.Launch(options); },
                               {}},
                              {"job floor",
                               "quillora_job_floor_profiled.exe",
                               "JOB FLOOR",
                               [&] { return StartProcess(floorProfiled, rowsFolder); },
                               {}},
                              {"one-list",
                               "quillora_one_list_profiled.exe",
                               "ONE LIST",
                               [&] { return StartProcess(oneListProfiled, rowsFolder); },
                               {}}};
        constexpr std::size_t profiledCount = std::size(profiled);
        // Each writes its marks into the folder its APPDATA names (the
        // yardsticks this program's), read and removed after every start.
        char ownAppData[MAX_PATH * 4] = {};
        GetEnvironmentVariableA("APPDATA", ownAppData, sizeof ownAppData);
        const std::string marksFiles[] = {scenario.AppData() + "\\startup-profile.txt",
                                          std::string(ownAppData) + "\\startup-profile.txt"};
        std::string marks[profiledCount];
        const std::string loadBefore = LoadAverage();
        for (int round = 0; round <= rounds; ++round) {
            for (std::size_t turn = 0; turn < profiledCount; ++turn) {
                const std::size_t s = (static_cast<std::size_t>(round) + turn) % profiledCount;
                const std::string& written = marksFiles[s == 0 ? 0 : 1];
                DeleteFileA(written.c_str());
                if (!Measure(profiled[s], prefixEntry)) return 1;
                if (round > 0) marks[s] += ReadBytes(written).value_or("");
            }
            if (round == 0) {
                for (Subject& subject : profiled)
                    subject.samples.clear();
            }
        }
        std::printf("(load average before: %s, after: %s)\n", loadBefore.c_str(), LoadAverage().c_str());
        std::vector<Profile> profiles;
        for (std::size_t s = 0; s < profiledCount; ++s) {
            std::vector<double> times;
            for (const Sample& sample : profiled[s].samples)
                times.push_back(sample.milliseconds);
            profiles.push_back({profiled[s].name, ParseMarks(marks[s]), Median(times)});
        }
        PrintProfiles(profiles);
        return 0;
    }
    const std::size_t count = subjects.size();

    const std::string loadBefore = LoadAverage();
    for (int round = 0; round <= rounds; ++round) {
        for (std::size_t turn = 0; turn < count; ++turn) {
            Subject& subject = subjects[(static_cast<std::size_t>(round) + turn) % count];
            if (!Measure(subject, prefixEntry)) return 1;
        }
        if (round == 0) {
            for (Subject& subject : subjects)
                subject.samples.clear();
        }
    }
    const std::string loadAfter = LoadAverage();

    std::vector<std::vector<double>> times(count), peaks(count);
    for (std::size_t s = 0; s < count; ++s) {
        for (const Sample& sample : subjects[s].samples) {
            times[s].push_back(sample.milliseconds);
            peaks[s].push_back(sample.peakKiB);
        }
    }
    const std::size_t quillora = count - 1;
    std::printf("start-up to the main window idle and drawn, medians of %d runs each, interleaved\n", rounds);
    std::printf("(load average before: %s, after: %s)\n", loadBefore.c_str(), loadAfter.c_str());
    for (std::size_t s = 0; s < count; ++s) {
        std::printf("  %-10s time %7.1f ms (min %7.1f, max %7.1f)   peak memory (VmHWM) %8.0f KiB\n",
                    subjects[s].name, Median(times[s]), *std::min_element(times[s].begin(), times[s].end()),
                    *std::max_element(times[s].begin(), times[s].end()), Median(peaks[s]));
    }
    // Against the floor of the job, the one list, the least list-view
    // program and the same controls.
    const struct {
        std::size_t yardstick;
        double timeGoal;
        double memoryGoalMiB;
    } comparisons[] = {{3, 1.1, 1.0}, {0, 1.3, 2.0}, {1, 1.2, 2.0}, {2, 1.2, 1.0}};
    for (const auto& comparison : comparisons) {
        const char* name = subjects[comparison.yardstick].name;
        const double ratio = Median(times[quillora]) / Median(times[comparison.yardstick]);
        const double extraMiB = (Median(peaks[quillora]) - Median(peaks[comparison.yardstick])) / 1024.0;
        std::printf("  time ratio Quillora / %s: %.2f (goal at most %.1f: %s)\n", name, ratio,
                    comparison.timeGoal, ratio <= comparison.timeGoal ? "met" : "MISSED");
        std::printf("  peak memory Quillora - %s: %+.2f MiB (goal at most %.0f MiB: %s)\n", name, extraMiB,
                    comparison.memoryGoalMiB, extraMiB <= comparison.memoryGoalMiB ? "met" : "MISSED");
    }
    return 0;
}
