#pragma once
// The texts the reminder shows: in its window, its notification and the
// notification area's tooltip.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/reminders.h"

namespace quillora {

// "TODAY", "TOMORROW", "IN 3 DAYS"; "YESTERDAY", "2 DAYS AGO".
std::string WhenText(std::int64_t daysAway);

// The notification area's tooltip: the next reminded birthdays, as many
// names as fit, and the days left to them, at most `limit` bytes
// ("Next birthday: Ann, in 3 days", "Next birthdays: Ann, Bo and 2 more, today").
std::string NextBirthdayTip(const BirthdayTable& table, CalendarDay today, std::size_t limit);

// The notification's text: the first reminders, one a line, and how many
// more there are; at most `limit` bytes.
std::string AnnouncementText(const std::vector<DueReminder>& due, std::size_t limit);

}  // namespace quillora
