#include "app/startup_profile.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace quillora {
namespace {

struct Mark {
    const char* step;
    double milliseconds;
};

std::vector<Mark>& Marks() {
    static std::vector<Mark> marks;
    return marks;
}

// Milliseconds since the process was created, from the same clock.
double SinceProcessCreated() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

void MarkStartupStep(const char* step) {
    Marks().push_back({step, SinceProcessCreated()});
}

void WriteStartupProfile() {
    const char* appData = std::getenv("APPDATA");
    if (!appData) return;
    std::string line;
    for (const Mark& mark : Marks()) {
        line += std::string(line.empty() ? "" : "\t") + mark.step + "=" + std::to_string(mark.milliseconds);
    }
    if (FILE* file = std::fopen((std::string(appData) + "\\startup-profile.txt").c_str(), "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
    Marks().clear();
}

}  // namespace quillora
