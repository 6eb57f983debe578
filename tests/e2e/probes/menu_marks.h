#pragma once
// Reading the main window's menus and their check marks from a test, through a DLL
// loaded into the program for the moment of the reading.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace quillora::test {

struct MenuMarks {
    bool read = false;
    bool music = false;             // "Play music at remind"
    std::array<bool, 9> days = {};  // "Days before remind", codes 0..8

    // The menu bar and, while one is open, the popup menu, as outlines: a
    // line an entry, "id caption" (" (greyed)" after it when it cannot be
    // chosen; a separator "-", a submenu its caption alone with its entries
    // below), two spaces more a level down.
    char menuBar[2048] = {};
    char popup[512] = {};

    // The code whose entry is marked; -1 for none, -2 for more than one.
    [[nodiscard]] int MarkedDaysCode() const {
        int marked = -1;
        for (int code = 0; code < 9; ++code) {
            if (!days[code]) continue;
            if (marked >= 0) return -2;
            marked = code;
        }
        return marked;
    }
};

inline std::string MenuMarksMappingName(DWORD processId) {
    return "Local\\QuilloraMenuMarks-" + std::to_string(processId);
}

// Loads the probe DLL built beside the tests into the process, once it waits
// for input, and returns the marks it read, trying for a few seconds;
// nothing when the reading failed.
std::optional<MenuMarks> ReadMenuMarksWhenIdle(DWORD processId);

}  // namespace quillora::test
