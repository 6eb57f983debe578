#include "calc/reminder_texts.h"

#include <cctype>

#include "storage/number_text.h"

namespace quillora {

namespace {

std::string Shortened(std::string text, std::size_t limit) {
    if (text.size() <= limit) return text;
    if (limit < 3) return text.substr(0, limit);
    return text.substr(0, limit - 3) + "...";
}

}  // namespace

std::string WhenText(std::int64_t daysAway) {
    if (daysAway == 0) return "TODAY";
    if (daysAway == 1) return "TOMORROW";
    if (daysAway == -1) return "YESTERDAY";
    if (daysAway > 0) return "IN " + NumberToText(daysAway) + " DAYS";
    return NumberToText(-daysAway) + " DAYS AGO";
}

std::string NextBirthdayTip(const BirthdayTable& table, CalendarDay today, std::size_t limit) {
    std::optional<std::int64_t> nearest;
    std::string name;
    int sameDay = 0;
    for (const BirthdayEntry& entry : table.Rows()) {
        const std::optional<BirthDate> date = RemindedDate(entry);
        if (!date) continue;
        const std::int64_t days = DaysToBirthday(*date, today);
        if (nearest && days > *nearest) continue;
        if (nearest && days == *nearest) {
            ++sameDay;
            continue;
        }
        nearest = days;
        name = entry.Name;
        sameDay = 0;
    }
    if (!nearest) return Shortened("Quillora: no birthdays to remind of", limit);
    std::string when = WhenText(*nearest);
    for (char& c : when)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string more = sameDay > 0 ? " and " + NumberToText(sameDay) + " more" : "";
    const std::string tail = more + ", " + when;
    const std::string head = "Next birthday: ";
    // The name gives way first, so the days left always show.
    if (head.size() + tail.size() + 3 >= limit) return Shortened(head + name + tail, limit);
    return head + Shortened(name, limit - head.size() - tail.size()) + tail;
}

std::string AnnouncementText(const std::vector<DueReminder>& due, std::size_t limit) {
    constexpr std::size_t Shown = 3;
    std::string text;
    for (std::size_t index = 0; index < due.size() && index < Shown; ++index) {
        const DueReminder& reminder = due[index];
        if (!text.empty()) text += "\n";
        text += reminder.name;
        if (reminder.turningAge) text += " (" + AgeText(reminder.turningAge) + ")";
        text += ": " + WhenText(reminder.daysAway);
    }
    if (due.size() > Shown)
        text += "\nand " + NumberToText(static_cast<std::int64_t>(due.size() - Shown)) + " more";
    return Shortened(text, limit);
}

}  // namespace quillora
