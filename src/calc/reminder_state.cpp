#include "calc/reminder_state.h"

#include <algorithm>

#include "storage/line_reader.h"
#include "storage/number_text.h"

namespace quillora {

namespace {

constexpr std::string_view StateDayMask = "%yyyy-%mm-%dd";

constexpr std::string_view StateLineEnd = "\r\n";
constexpr std::string_view NoDay = "-";

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string StateDayToBytes(CalendarDay day) {
    return FormatDate(StateDayMask, day);
}

std::optional<CalendarDay> ParseStateDay(std::string_view bytes) {
    LineReader reader(WithoutByteOrderMark(bytes));
    const std::string line = reader.ReadLine();
    const std::string_view text = line;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const std::string_view year = text.substr(0, 4);
    const std::string_view month = text.substr(5, 2);
    const std::string_view day = text.substr(8, 2);
    if (!IsDigits(year) || !IsDigits(month) || !IsDigits(day)) return std::nullopt;
    const CalendarDay parsed{NumberFromText(year), static_cast<int>(NumberFromText(month)),
                             static_cast<int>(NumberFromText(day))};
    if (parsed.year < 1970 || !IsRealDate(parsed.year, parsed.month, parsed.day)) return std::nullopt;
    return parsed;
}

std::string ReminderStateToBytes(const ReminderState& state) {
    std::string bytes = StateDayToBytes(state.day);
    bytes += StateLineEnd;
    bytes += state.since ? StateDayToBytes(*state.since) : std::string(NoDay);
    bytes += StateLineEnd;
    for (const std::string& key : state.announced) {
        bytes += key;
        bytes += StateLineEnd;
    }
    return bytes;
}

std::optional<ReminderState> ParseReminderState(std::string_view bytes) {
    LineReader reader(WithoutByteOrderMark(bytes));
    const auto day = ParseStateDay(reader.ReadLine());
    if (!day) return std::nullopt;
    ReminderState state{*day, std::nullopt, {}};
    if (reader.AtEnd()) return state;
    const std::string since = reader.ReadLine();
    if (since != NoDay) {
        state.since = ParseStateDay(since);
        if (!state.since) return std::nullopt;
    }
    while (!reader.AtEnd())
        state.announced.push_back(reader.ReadLine());
    return state;
}

std::string AnnouncementKey(const BirthdayEntry& entry) {
    // The name last, so that no character of it can run into the date.
    return entry.Day + "." + entry.Month + "." + entry.Year + " " + entry.Name;
}

}  // namespace quillora
