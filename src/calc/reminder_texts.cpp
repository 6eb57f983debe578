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
    std::vector<std::string> names;  // everyone whose birthday is the nearest
    for (const BirthdayEntry& entry : table.Rows()) {
        const std::optional<BirthDate> date = RemindedDate(entry);
        if (!date) continue;
        const std::int64_t days = DaysToBirthday(*date, today);
        if (nearest && days > *nearest) continue;
        if (!nearest || days < *nearest) names.clear();
        nearest = days;
        names.push_back(entry.Name);
    }
    if (!nearest) return Shortened("Quillora: no birthdays to remind of", limit);
    std::string when = WhenText(*nearest);
    for (char& c : when)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // The tooltip is what a screen reader reads for the icon, so it names as
    // many of them as fit, and says how many more there are.
    const std::string head = names.size() == 1 ? "Next birthday: " : "Next birthdays: ";
    for (std::size_t shown = names.size(); shown > 1; --shown) {
        std::string text = head + names[0];
        for (std::size_t index = 1; index + 1 < shown; ++index)
            text += ", " + names[index];
        text += shown == names.size()
                    ? " and " + names[shown - 1]
                    : ", " + names[shown - 1] + " and " +
                          NumberToText(static_cast<std::int64_t>(names.size() - shown)) + " more";
        text += ", " + when;
        if (text.size() <= limit) return text;
    }
    const std::string more =
        names.size() > 1 ? " and " + NumberToText(static_cast<std::int64_t>(names.size() - 1)) + " more" : "";
    const std::string tail = more + ", " + when;
    // The name gives way first, so the days left always show.
    if (head.size() + tail.size() + 3 >= limit) return Shortened(head + names[0] + tail, limit);
    return head + Shortened(names[0], limit - head.size() - tail.size()) + tail;
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
