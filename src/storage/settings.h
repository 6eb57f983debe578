#pragma once
// The user's choices that outlive a run, kept as texts, and the bytes of the
// settings file "config.txt".
#include <array>
#include <string>
#include <string_view>

namespace quillora {

enum SettingsSlot : int {
    DaysBeforeRemind = 0,   // code "0".."8" of the "Days before remind" entry
    PlayMusicAtRemind = 1,  // "1" on, "0" off
    AutostartCreated = 2,   // "1" once the autostart shortcut was written
};

inline constexpr int SettingsSlotCount = 5;  // slots 3 and 4 are read, never written
inline constexpr int SettingsSlotsWritten = 3;

// The choices of "Days before remind": the code stored in the settings, the
// caption of its menu entry and the lead in days it stands for.
struct DaysBeforeRemindChoice {
    std::string_view code;
    const char* caption;
    int leadDays;
};
inline constexpr std::array<DaysBeforeRemindChoice, 9> DaysBeforeRemindChoices = {{{"0", "0", 0},
                                                                                   {"1", "1", 1},
                                                                                   {"2", "2", 2},
                                                                                   {"3", "3", 3},
                                                                                   {"4", "4", 4},
                                                                                   {"5", "5", 5},
                                                                                   {"6", "10", 10},
                                                                                   {"7", "15", 15},
                                                                                   {"8", "20", 20}}};

// The index of the choice whose code is exactly `code`, compared as whole
// texts; -1 for any other text.
int DaysBeforeRemindChoiceOf(std::string_view code);

// The remind lead in days of a stored code; 0 for a text that is no code.
int LeadDaysOfCode(std::string_view code);

struct Settings {
    std::array<std::string, SettingsSlotCount> slots;

    [[nodiscard]] const std::string& Get(int slot) const { return slots.at(slot); }
    void Set(int slot, std::string text) { slots.at(slot) = std::move(text); }
};

// Line k of the file fills slot k - 1; lines after the fifth are ignored.
Settings ParseSettings(std::string_view fileBytes);

// Slots 0 to 2, each but the last followed by CR LF.
std::string SettingsToBytes(const Settings& settings);

}  // namespace quillora
