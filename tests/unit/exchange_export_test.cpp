// Writing the table as iCalendar, vCard and CSV.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/exchange.h"
#include "unit_support.h"
#include "windows1252_code_page.h"

namespace quillora {
namespace {

const test::Windows1252CodePage Ansi;

ExportOptions OnDecember7(int leadDays = 3) {
    return {.today = {2026, 12, 7}, .leadDays = leadDays, .codePage = &Ansi};
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the bytes end in CR LF";
    return lines;
}

std::vector<std::string> Unfolded(const std::string& bytes) {
    std::vector<std::string> lines;
    for (const std::string& line : Lines(bytes)) {
        if (!line.empty() && line[0] == ' ')
            lines.back() += line.substr(1);
        else
            lines.push_back(line);
    }
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> EventOf(const std::vector<std::string>& lines, const std::string& summary) {
    std::vector<std::string> event;
    for (const std::string& line : lines) {
        if (line == "BEGIN:VEVENT") event.clear();
        event.push_back(line);
        if (line == "END:VEVENT" && Contains(event, "SUMMARY:" + summary)) return event;
    }
    return {};
}

TEST(ICalendarExport, OneYearlyAllDayEventPerEntryWithARealDate) {
    const BirthdayTable table = TableOf({Anna,
                                         Ben,
                                         {"Leap", "29", "2", "1992", "1", "1"},
                                         {"Old", "5", "1", "1850", "1", "1"},
                                         {"No year", "29", "2", "", "1", "1"},
                                         {"Bad", "31", "4", "1990", "1", "1"},
                                         {"Empty", "", "", "", "1", "1"}});
    const ExportResult result = ExportTable(ExchangeFormat::ICalendar, table, OnDecember7());
    EXPECT_EQ(result.exported, 5);
    EXPECT_EQ(result.withoutDate, 2);
    EXPECT_EQ(ExportSummaryText(ExchangeFormat::ICalendar, result),
              "5 entries exported, 2 without a date left out.");
    const std::vector<std::string> lines = Unfolded(result.bytes);
    EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    EXPECT_TRUE(Contains(lines, "VERSION:2.0"));

    const auto anna = EventOf(lines, "Anna");
    EXPECT_TRUE(Contains(anna, "DTSTART;VALUE=DATE:19800214"));
    EXPECT_TRUE(Contains(anna, "RRULE:FREQ=YEARLY"));
    EXPECT_TRUE(Contains(anna, "TRIGGER:-P3D"));
    EXPECT_TRUE(Contains(anna, "ACTION:DISPLAY"));
    EXPECT_FALSE(Contains(EventOf(lines, "Ben"), "BEGIN:VALARM")) << "Ben is not reminded";

    const auto leap = EventOf(lines, "Leap");
    EXPECT_TRUE(Contains(leap, "DTSTART;VALUE=DATE:19920229"));
    EXPECT_TRUE(Contains(leap, "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1"));
    // Before 1900, and without a year: the next day the rule falls on.
    EXPECT_TRUE(Contains(EventOf(lines, "Old"), "DTSTART;VALUE=DATE:20270105"));
    EXPECT_TRUE(Contains(EventOf(lines, "Old"), "X-QUILLORA-BIRTH-YEAR:1850"));
    const auto noYear = EventOf(lines, "No year");
    EXPECT_TRUE(Contains(noYear, "DTSTART;VALUE=DATE:20270228"));
    EXPECT_TRUE(Contains(noYear, "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1"));
    EXPECT_TRUE(Contains(noYear, "X-QUILLORA-BIRTH-YEAR:NONE"));
}

TEST(ICalendarExport, AlarmsFollowTheLeadDaysAndNoneForZero) {
    const BirthdayTable table = TableOf({Anna});
    EXPECT_NE(ExportTable(ExchangeFormat::ICalendar, table, OnDecember7(20)).bytes.find("TRIGGER:-P20D\r\n"),
              std::string::npos);
    EXPECT_EQ(ExportTable(ExchangeFormat::ICalendar, table, OnDecember7(0)).bytes.find("VALARM"),
              std::string::npos);
}

TEST(ICalendarExport, UidsAreStableAndDistinct) {
    const BirthdayTable table = TableOf({Anna, {"Anna", "1", "1", "1990", "1", "1"}, Ben});
    const auto uids = [](const std::string& bytes) {
        std::vector<std::string> found;
        for (const std::string& line : Unfolded(bytes)) {
            if (line.rfind("UID:", 0) == 0) found.push_back(line);
        }
        return found;
    };
    const std::vector<std::string> first =
        uids(ExportTable(ExchangeFormat::ICalendar, table, OnDecember7()).bytes);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_NE(first[0], first[1]);
    EXPECT_NE(first[0], first[2]);
    // Another day, another lead and an edited date keep the UIDs.
    const BirthdayTable edited =
        TableOf({{"Anna", "15", "2", "1980", "0", "1"}, {"Anna", "1", "1", "1990", "1", "1"}, Ben});
    EXPECT_EQ(uids(ExportTable(ExchangeFormat::ICalendar, edited, {{2030, 1, 1}, 0, &Ansi}).bytes), first);
    // Each contact card carries its entry's event UID.
    EXPECT_EQ(uids(ExportTable(ExchangeFormat::VCard, table, OnDecember7()).bytes), first);
}

TEST(ICalendarExport, EscapesConvertsAndFoldsWithoutCuttingCharacters) {
    // "Zoë; Müller, Jr.\" in the ANSI code page, and a long name of "é".
    const std::string name = "Zo\xEB; M\xFCller, Jr.\\";
    const std::string longName(100, '\xE9');
    const BirthdayTable table =
        TableOf({{name, "1", "5", "1990", "1", "1"}, {longName, "2", "5", "1990", "1", "1"}});
    const ExportResult result = ExportTable(ExchangeFormat::ICalendar, table, OnDecember7());
    for (const std::string& line : Lines(result.bytes)) {
        EXPECT_LE(line.size(), 75u) << line;
        ASSERT_FALSE(line.empty());
        // A continuation line starts with its blank, then a whole character.
        const std::size_t first = line[0] == ' ' ? 1 : 0;
        if (first < line.size()) {
            EXPECT_NE(static_cast<unsigned char>(line[first]) & 0xC0, 0x80) << line;
        }
        EXPECT_TRUE(IsValidUtf8(line)) << line;
    }
    const std::vector<std::string> lines = Unfolded(result.bytes);
    EXPECT_TRUE(Contains(lines, "SUMMARY:Zo\xC3\xAB\\; M\xC3\xBCller\\, Jr.\\\\"));
    std::string longUtf8;
    for (int i = 0; i < 100; ++i)
        longUtf8 += "\xC3\xA9";
    EXPECT_TRUE(Contains(lines, "SUMMARY:" + longUtf8));
}

TEST(VCardExport, OneCardPerEntryWithTheBirthdayInBothForms) {
    const BirthdayTable table = TableOf({{"Anna Maria Schmidt", "14", "2", "1980", "1", "1"},
                                         {"Ben", "3", "11", "", "0", "1"},
                                         {"Nobody", "", "", "", "1", "1"}});
    const ExportResult result = ExportTable(ExchangeFormat::VCard, table, OnDecember7());
    EXPECT_EQ(result.exported, 3);
    EXPECT_EQ(result.withoutDate, 1);
    const std::vector<std::string> lines = Unfolded(result.bytes);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "BEGIN:VCARD"), 3);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "VERSION:3.0"), 3);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.starts_with("UID:"); }),
              3);
    EXPECT_TRUE(Contains(lines, "FN:Anna Maria Schmidt"));
    EXPECT_TRUE(Contains(lines, "N:Schmidt;Anna Maria;;;"));
    EXPECT_TRUE(Contains(lines, "BDAY:1980-02-14"));
    EXPECT_TRUE(Contains(lines, "BDAY:--11-03"));
}

TEST(CsvExport, HeaderAndQuotedRowsInUtf8WithAByteOrderMark) {
    const BirthdayTable table =
        TableOf({{"M\xFCller, \"Max\"", "07", "2", "1980", "1", "1"}, {"Ben", "3", "11", "", "0", "1"}});
    const ExportResult result = ExportTable(ExchangeFormat::Csv, table, OnDecember7());
    EXPECT_EQ(result.bytes,
              "\xEF\xBB\xBFName,Day,Month,Year,Remind\r\n"
              "\"M\xC3\xBCller, \"\"Max\"\"\",07,2,1980,1\r\n"
              "Ben,3,11,,0\r\n");
}

}  // namespace
}  // namespace quillora
