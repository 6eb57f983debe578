#include "storage/settings.h"

#include "storage/line_reader.h"

namespace quillora {

int DaysBeforeRemindChoiceOf(std::string_view code) {
    for (std::size_t k = 0; k < DaysBeforeRemindChoices.size(); ++k) {
        if (code == DaysBeforeRemindChoices[k].code) return static_cast<int>(k);
    }
    return -1;
}

int LeadDaysOfCode(std::string_view code) {
    const int choice = DaysBeforeRemindChoiceOf(code);
    return choice < 0 ? 0 : DaysBeforeRemindChoices[static_cast<std::size_t>(choice)].leadDays;
}

Settings ParseSettings(std::string_view fileBytes) {
    Settings settings;
    LineReader reader(WithoutByteOrderMark(fileBytes));
    // A line end after the last line does not make an extra empty slot: a
    // line is read only while bytes remain.
    for (int slot = 0; slot < SettingsSlotCount && !reader.AtEnd(); ++slot) {
        settings.Set(slot, reader.ReadLine());
    }
    return settings;
}

std::string SettingsToBytes(const Settings& settings) {
    std::string bytes;
    for (int slot = 0; slot < SettingsSlotsWritten; ++slot) {
        if (slot > 0) bytes += LineEnd;
        bytes += settings.Get(slot);
    }
    return bytes;
}

}  // namespace quillora
