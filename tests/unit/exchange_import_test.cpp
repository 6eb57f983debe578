// Reading birthdays from vCard, CSV and iCalendar files, and adding them to
// the table.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "calc/birth_date.h"
#include "exchange/exchange.h"
#include "exchange/import_plan.h"
#include "import_as_ticked.h"
#include "windows1252_code_page.h"

namespace quillora {
namespace {

const test::Windows1252CodePage Ansi;

struct Found {
    std::string name;
    std::optional<BirthDate> date;
    bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& found) {
    out << found.name << " ";
    if (!found.date) return out << "(no date)";
    return out << found.date->year << "-" << found.date->month << "-" << found.date->day;
}

std::vector<Found> Read(ExchangeFormat format, std::string_view bytes,
                        ShortDateOrder order = ShortDateOrder::MonthDayYear) {
    const ParsedFile parsed = ParseImport(format, bytes, {order});
    EXPECT_EQ(parsed.error, "");
    std::vector<Found> found;
    for (const ImportedBirthday& birthday : parsed.birthdays)
        found.push_back({birthday.name, birthday.date});
    return found;
}

BirthDate On(int year, int month, int day) {
    return {day, month, year};
}

TEST(VCardImport, EveryBirthdayFormOfTheThreeVersions) {
    const std::string file =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Basic\r\nBDAY:19900214\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Extended\r\nBDAY:1990-02-14\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:No year basic\r\nBDAY:--0214\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:No year\r\nBDAY:--02-14\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:With time\r\nBDAY:1990-02-14T00:00:00Z\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\nVERSION:3.0\nFN:Basic time\nBDAY;VALUE=date-time:19900214T120000\nEND:VCARD\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nitem1.FN:Grouped\r\nBDAY;X-APPLE-OMIT-YEAR=1604:1604-02-14\r\nEND:"
        "VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:No birthday\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Schmidt;Anna;Maria;Dr.;\r\nBDAY:1980-02-29\r\nEND:VCARD\r\n";
    EXPECT_EQ(Read(ExchangeFormat::VCard, file),
              (std::vector<Found>{{"Basic", On(1990, 2, 14)},
                                  {"Extended", On(1990, 2, 14)},
                                  {"No year basic", On(0, 2, 14)},
                                  {"No year", On(0, 2, 14)},
                                  {"With time", On(1990, 2, 14)},
                                  {"Basic time", On(1990, 2, 14)},
                                  {"Grouped", On(0, 2, 14)},
                                  {"No birthday", std::nullopt},
                                  {"Dr. Anna Maria Schmidt", On(1980, 2, 29)}}));
}

TEST(VCardImport, FoldedQuotedPrintableAndCharsets) {
    const std::string file =
        // 2.1 from an old phone: soft line break, Latin-1 charset.
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=\r\n"
        "=FCrgen;;;\r\nBDAY:1970-01-01\r\nEND:VCARD\r\n"
        // 2.1 with a bare QUOTED-PRINTABLE and UTF-8 bytes.
        "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=UTF-8;QUOTED-PRINTABLE:Zo=C3=AB\r\nBDAY:19700102\r\nEND:"
        "VCARD\r\n"
        // 3.0 folded with a blank and with a tab, with escapes.
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Smith\\, Jo\r\n hn\r\n\t Jr.\r\nBDAY:1970-01-03\r\nEND:VCARD\r\n";
    EXPECT_EQ(Read(ExchangeFormat::VCard, file),
              (std::vector<Found>{{"J\xC3\xBCrgen M\xC3\xBCller", On(1970, 1, 1)},
                                  {"Zo\xC3\xAB", On(1970, 1, 2)},
                                  {"Smith, John Jr.", On(1970, 1, 3)}}));
}

TEST(VCardImport, DatesThatDoNotExistAreNoBirthdays) {
    const std::string file =
        "BEGIN:VCARD\r\nFN:Feb 30\r\nBDAY:1990-02-30\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Month 13\r\nBDAY:--13-01\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Common 29\r\nBDAY:19810229\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Text\r\nBDAY;VALUE=text:circa 1800\r\nEND:VCARD\r\n";
    const ParsedFile parsed = ParseImport(ExchangeFormat::VCard, file, {});
    ASSERT_EQ(parsed.birthdays.size(), 4u);
    for (const ImportedBirthday& birthday : parsed.birthdays) {
        EXPECT_FALSE(birthday.date) << birthday.name;
        EXPECT_TRUE(birthday.invalidDate) << birthday.name;
    }
}

TEST(CsvImport, GoogleOutlookAndQuilloraLayouts) {
    const std::string google =
        "Name,Given Name,Family Name,Birthday,E-mail 1 - Value\r\n"
        "Anna Schmidt,Anna,Schmidt,1980-02-14,anna@example.org\r\n"
        "Ben,Ben,,--11-03,\r\n"
        "Carla,Carla,,,\r\n";
    EXPECT_EQ(Read(ExchangeFormat::Csv, google),
              (std::vector<Found>{
                  {"Anna Schmidt", On(1980, 2, 14)}, {"Ben", On(0, 11, 3)}, {"Carla", std::nullopt}}));

    const std::string googleNew =
        "First Name,Middle Name,Last Name,Phonetic First Name,Birthday\n"
        "Anna,Maria,Schmidt,,1980-02-14\n";
    EXPECT_EQ(Read(ExchangeFormat::Csv, googleNew),
              (std::vector<Found>{{"Anna Maria Schmidt", On(1980, 2, 14)}}));

    const std::string outlook =
        "\"Title\",\"First Name\",\"Middle Name\",\"Last Name\",\"Suffix\",\"Birthday\"\r\n"
        "\"\",\"Anna\",\"\",\"Schmidt\",\"\",\"2/14/1980\"\r\n"
        "\"\",\"Ben\",\"\",\"Berg\",\"\",\"0/0/00\"\r\n"
        "\"\",\"Cleo\",\"\",\"\",\"\",\"11/3/75\"\r\n";
    EXPECT_EQ(Read(ExchangeFormat::Csv, outlook),
              (std::vector<Found>{
                  {"Anna Schmidt", On(1980, 2, 14)}, {"Ben Berg", std::nullopt}, {"Cleo", On(1975, 11, 3)}}));
    // The same day in a German Outlook: day first, dots, semicolons.
    const std::string outlookGerman = "Vorname;First Name;Last Name;Birthday\r\n;Anna;Schmidt;14.2.1980\r\n";
    EXPECT_EQ(Read(ExchangeFormat::Csv, outlookGerman, ShortDateOrder::DayMonthYear),
              (std::vector<Found>{{"Anna Schmidt", On(1980, 2, 14)}}));

    const std::string own =
        "\xEF\xBB\xBFName,Day,Month,Year,Remind\r\n\"Schmidt, Anna\",14,2,1980,1\r\nBen,3,11,,0\r\n";
    EXPECT_EQ(Read(ExchangeFormat::Csv, own),
              (std::vector<Found>{{"Schmidt, Anna", On(1980, 2, 14)}, {"Ben", On(0, 11, 3)}}));
}

TEST(CsvImport, AFileWithoutABirthdayColumnIsRefused) {
    const ParsedFile parsed = ParseImport(ExchangeFormat::Csv, "Name,E-mail\r\nAnna,anna@example.org\r\n",
                                          {ShortDateOrder::MonthDayYear});
    EXPECT_EQ(parsed.error,
              "THE FILE'S FIRST LINE NAMES NO BIRTHDAY COLUMN (\"Birthday\", OR \"Day\" AND \"Month\").");
}

TEST(CsvImport, NamesOfAFileThatIsNotUtf8AreInTheAnsiCodePage) {
    const ParsedFile parsed =
        ParseImport(ExchangeFormat::Csv, "First Name,Birthday\r\nJ\xFCrgen,1/1/1970\r\n", {});
    ASSERT_EQ(parsed.birthdays.size(), 1u);
    EXPECT_TRUE(parsed.birthdays[0].ansi);
    BirthdayTable table;
    ImportAsTicked(table, parsed.birthdays, Ansi);
    EXPECT_EQ(table.Row(0).Name, "J\xFCrgen");
}

TEST(ICalendarImport, YearlyEventsOfBirthdayCalendars) {
    const std::string file =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
        "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19800214\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Anna\\, the first\r\n"
        "BEGIN:VALARM\r\nDESCRIPTION:not the name\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:Leap\r\nDTSTART;VALUE=DATE:20270228\r\nRRULE:FREQ=YEARLY;BYMONTH=2;"
        "BYMONTHDAY=-1\r\n"
        "X-QUILLORA-BIRTH-YEAR:NONE\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:Timed\r\nDTSTART;TZID=Europe/"
        "Berlin:19750311T090000\r\nRRULE:FREQ=YEARLY;INTERVAL=1\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nSUMMARY:Meeting\r\nDTSTART:20261208T090000Z\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";
    EXPECT_EQ(Read(ExchangeFormat::ICalendar, file), (std::vector<Found>{{"Anna, the first", On(1980, 2, 14)},
                                                                         {"Leap", On(0, 2, 29)},
                                                                         {"Timed", On(1975, 3, 11)},
                                                                         {"Meeting", std::nullopt}}));
}

TEST(Import, BadFilesAreRefusedWithAReason) {
    EXPECT_EQ(CheckImportBytes(""), "THE FILE IS EMPTY.");
    EXPECT_EQ(CheckImportBytes(std::string(MaxImportBytes + 1, 'a')),
              "THE FILE IS TOO LARGE TO IMPORT (MORE THAN 16 MB).");
    EXPECT_EQ(CheckImportBytes(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)),
              "THE FILE IS NOT A TEXT FILE.");
    EXPECT_EQ(ParseImport(ExchangeFormat::VCard, "hello\r\n", {}).error,
              "THE FILE IS NO VCARD FILE (NO BEGIN:VCARD).");
    EXPECT_EQ(ParseImport(ExchangeFormat::ICalendar, "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", {}).error,
              "THE FILE HOLDS NO CALENDAR EVENT.");
    EXPECT_EQ(ParseImport(ExchangeFormat::Csv, "Name,Birthday\r\n", {}).error, "THE FILE HOLDS NO CONTACT.");
    // A line of 1 MiB is read like any other.
    const std::string longName(1 << 20, 'x');
    const ParsedFile parsed = ParseImport(
        ExchangeFormat::VCard, "BEGIN:VCARD\r\nFN:" + longName + "\r\nBDAY:--01-02\r\nEND:VCARD\r\n", {});
    ASSERT_EQ(parsed.birthdays.size(), 1u);
    EXPECT_EQ(parsed.birthdays[0].name, longName);
}

TEST(Import, Utf16FilesAreDecoded) {
    const std::string text = "Name,Birthday\r\nZo\xC3\xAB,2000-01-02\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("Name,Birthday\r\nZo\xEB,2000-01-02\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    EXPECT_EQ(Read(ExchangeFormat::Csv, utf16), (std::vector<Found>{{"Zo\xC3\xAB", On(2000, 1, 2)}}));
}

TEST(ImportAsTicked, AddsWithRemindAndMarkSkipsDuplicatesAndStopsWhenFull) {
    BirthdayTable table;
    (void)table.Append({"Anna", "14", "2", "1980", "0", "1"});
    std::vector<ImportedBirthday> birthdays = {
        {"Anna", false, On(1980, 2, 14), false},       // already in the list
        {"Anna", false, On(1990, 1, 1), false},        // another Anna, born another day
        {"\xC5\x81ukasz", false, On(0, 3, 4), false},  // no place in the code page
        {"Nobody", false, std::nullopt, false},        // no birthday
        {"Invalid", false, std::nullopt, true},        // no date
        {"anna", false, On(1990, 1, 1), false},        // a repeat within the file
        {"  ", false, On(1990, 1, 1), false},          // no name
    };
    ImportSummary summary = ImportAsTicked(table, birthdays, Ansi);
    EXPECT_EQ(summary.added, 2);
    EXPECT_EQ(summary.alreadyPresent, 2);
    EXPECT_EQ(summary.withoutBirthday, 1);
    EXPECT_EQ(summary.invalidDate, 1);
    EXPECT_EQ(summary.withoutName, 1);
    EXPECT_EQ(summary.approximatedNames, std::vector<std::string>{"Lukasz"});
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Row(1), (BirthdayEntry{"Anna", "1", "1", "1990", "1", "1"}));
    EXPECT_EQ(table.Row(2), (BirthdayEntry{"Lukasz", "4", "3", "", "1", "1"}));

    std::vector<ImportedBirthday> many;
    many.reserve(150);
    for (int i = 0; i < 150; ++i)
        many.push_back({"P" + std::to_string(i), false, On(1990, 1, 1), false});
    summary = ImportAsTicked(table, many, Ansi);
    EXPECT_EQ(table.Count(), TableCapacity);
    EXPECT_EQ(summary.added, TableCapacity - 3);
    EXPECT_EQ(summary.leftOut, 150 - (TableCapacity - 3));
}

TEST(Import, AHundredThousandCardsReadInLinearTimeAndFillTheList) {
    std::string file;
    for (int i = 0; i < 100'000; ++i)
        file += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Person " + std::to_string(i) +
                "\r\nBDAY:1990-01-02\r\nEND:VCARD\r\n";
    // The processor time of the work (std::clock, where the C library has
    // it; under Windows the time since the start): the native tests run at
    // the lowest priority beside the Windows side and other builds, and the
    // wall clock once counted 272 s of waiting for a processor.
    const std::clock_t started = std::clock();
    const ParsedFile parsed = ParseImport(ExchangeFormat::VCard, file, {});
    BirthdayTable table;
    const ImportSummary summary = ImportAsTicked(table, parsed.birthdays, Ansi);
    const double seconds = static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC;
    EXPECT_EQ(summary.added, TableCapacity);
    EXPECT_EQ(summary.leftOut, 100'000 - TableCapacity);
    // Linear reading takes under a second optimised and some seconds with
    // sanitizers; a quadratic one would take hours.
    EXPECT_LT(seconds, 120.0);
}

TEST(Exchange, A102EntryTableSurvivesExportAndImportInEveryFormat) {
    BirthdayTable table;
    for (int i = 0; i < TableCapacity; ++i) {
        const int month = 1 + i % 12;
        const int day = 1 + (i * 7) % DaysInMonth(2001, month);
        std::string name = "Person " + std::to_string(i);
        if (i % 5 == 0) name += " M\xFCller; \"Jr.\", \\" + std::string(60, '\xE9');
        const std::string year = i % 4 == 0 ? "" : std::to_string(1900 + i);
        (void)table.Append({name, std::to_string(day), std::to_string(month), year, "1", "1"});
    }
    (void)table.Replace(7, {"Leap", "29", "2", "1992", "1", "1"});
    (void)table.Replace(8, {"Leap, no year", "29", "2", "", "1", "1"});
    for (const ExchangeFormat format :
         {ExchangeFormat::ICalendar, ExchangeFormat::VCard, ExchangeFormat::Csv}) {
        const ExportResult exported = ExportTable(format, table, {{2026, 12, 7}, 3, &Ansi});
        const ParsedFile parsed = ParseImport(format, exported.bytes, {});
        ASSERT_EQ(parsed.error, "");
        BirthdayTable imported;
        const ImportSummary summary = ImportAsTicked(imported, parsed.birthdays, Ansi);
        EXPECT_EQ(summary.added, TableCapacity);
        ASSERT_EQ(imported.Count(), table.Count()) << ExtensionOf(format);
        for (int row = 0; row < table.Count(); ++row)
            EXPECT_EQ(imported.Row(row), table.Row(row))
                << ExtensionOf(format) << " row " << row << ": " << table.Row(row).Name;
    }
}

// A spreadsheet shows these names as text, and Quillora reads them back as
// they were, with their Remind.
TEST(Exchange, QuillorasOwnCsvKeepsFormulaLikeNamesAndRemind) {
    const struct {
        const char* name;
        const char* cell;
    } cases[] = {{"=SUM(A1:A9)", "'=SUM(A1:A9)"},
                 {"+49 Anna", "'+49 Anna"},
                 {"-Ben-", "'-Ben-"},
                 {"@Cleo", "'@Cleo"},
                 {"'Tis Dora", "''Tis Dora"},
                 {"''", "'''"},
                 {"Eve = Eva", "Eve = Eva"},
                 {"\tTab", "'\tTab"}};
    BirthdayTable table;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        (void)table.Append({cases[i].name, "3", "4", "", i % 2 == 0 ? "0" : "1", "1"});
    const std::string bytes = ExportTable(ExchangeFormat::Csv, table, {{2026, 12, 7}, 3, &Ansi}).bytes;
    for (const auto& c : cases)
        EXPECT_NE(bytes.find("\n" + std::string(c.cell) + ",3,4,,"), std::string::npos) << c.name;

    BirthdayTable imported;
    (void)ImportAsTicked(imported, ParseImport(ExchangeFormat::Csv, bytes, {}).birthdays, Ansi);
    ASSERT_EQ(imported.Count(), table.Count());
    for (int row = 0; row + 1 < table.Count(); ++row)  // a tab becomes a blank in every import
        EXPECT_EQ(imported.Row(row), table.Row(row)) << table.Row(row).Name;

    // Files of other programs: no Remind column reminds; a quote before a
    // letter is the name's own.
    const auto google = ParseImport(ExchangeFormat::Csv, "Name,Birthday\r\n'Tis,1980-02-14\r\n", {});
    ASSERT_EQ(google.birthdays.size(), 1u);
    EXPECT_EQ(google.birthdays[0].name, "'Tis");
    EXPECT_TRUE(google.birthdays[0].remind);
}

TEST(Exchange, FileTypesByExtensionOrContent) {
    EXPECT_EQ(FormatOfExtension("C:\\a\\b.ICS"), ExchangeFormat::ICalendar);
    EXPECT_EQ(FormatOfExtension("b.vcard"), ExchangeFormat::VCard);
    EXPECT_EQ(FormatOfExtension("b.Csv"), ExchangeFormat::Csv);
    EXPECT_EQ(FormatOfExtension("b.txt"), std::nullopt);
    EXPECT_EQ(FormatOfContent("\xEF\xBB\xBF"
                              "begin:vcard\r\n"),
              ExchangeFormat::VCard);
    EXPECT_EQ(FormatOfContent("BEGIN:VCALENDAR\r\n"), ExchangeFormat::ICalendar);
    EXPECT_EQ(FormatOfContent("Name,Birthday\r\n"), ExchangeFormat::Csv);

    // Export: the typed extension wins over the filter; without one the
    // filter's is added.
    const ExportTarget typed = ExportTargetOf("C:\\x\\b.vcf", ExchangeFormat::Csv);
    EXPECT_EQ(typed.path, "C:\\x\\b.vcf");
    EXPECT_EQ(typed.format, ExchangeFormat::VCard);
    const ExportTarget filtered = ExportTargetOf("C:\\x\\birthdays", ExchangeFormat::Csv);
    EXPECT_EQ(filtered.path, "C:\\x\\birthdays.csv");
    EXPECT_EQ(filtered.format, ExchangeFormat::Csv);
    EXPECT_EQ(ExportTargetOf("b.txt", std::nullopt).path, "b.txt.ics");
    // Import: extension, then filter, then content.
    EXPECT_EQ(ImportFormatOf("a.csv", ExchangeFormat::VCard, "BEGIN:VCARD"), ExchangeFormat::Csv);
    EXPECT_EQ(ImportFormatOf("a.txt", ExchangeFormat::VCard, "Name,Birthday"), ExchangeFormat::VCard);
    EXPECT_EQ(ImportFormatOf("a.txt", std::nullopt, "BEGIN:VCARD"), ExchangeFormat::VCard);
    // The program's own lists: a kept ".bak", or a count with lines to match.
    EXPECT_EQ(ImportFormatOf("list.txt.bak", std::nullopt, ""), ExchangeFormat::BirthdayList);
    EXPECT_EQ(ImportFormatOf("x.txt", std::nullopt, "1\r\nAnna\r\n1\r\n2\r\n\r\n1\r\n1"),
              ExchangeFormat::BirthdayList);
    EXPECT_EQ(ImportFormatOf("x.txt", std::nullopt, "1\r\nAnna\r\n1"), ExchangeFormat::Csv);
    EXPECT_EQ(ExportTargetOf("b.bak", std::nullopt).path, "b.bak.ics");
}

// A list from another computer or a backup: every person with the date the
// entry names and its Remind; entries without a real date come as such.
TEST(ListImport, ReadsTheProgramsOwnListFile) {
    BirthdayTable list;
    list.AppendLoaded({"Anna", "14", "02", "1980", "1", "1"});
    list.AppendLoaded(
        {"B\xE9"
         "a",
         "29", "2", "", "0", "1"});
    list.AppendLoaded({"Cleo", "31", "4", "1990", "1", "1"});
    list.AppendLoaded({"Dan", "", "", "", "1", "1"});
    const ParsedFile parsed = ParseImport(ExchangeFormat::BirthdayList, ListToBytes(list), {});
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.birthdays.size(), 4u);
    EXPECT_EQ(parsed.birthdays[0].date, On(1980, 2, 14));
    EXPECT_TRUE(parsed.birthdays[1].ansi);
    EXPECT_EQ(parsed.birthdays[1].name,
              "B\xE9"
              "a");
    EXPECT_FALSE(parsed.birthdays[1].remind);
    EXPECT_TRUE(parsed.birthdays[2].invalidDate);
    EXPECT_FALSE(parsed.birthdays[3].date || parsed.birthdays[3].invalidDate);
    // Only people the list lacks are offered.
    BirthdayTable mine;
    mine.AppendLoaded({"anna", "14", "2", "1980", "1", "1"});
    const ImportPlan plan = PlanImport(mine, parsed.birthdays, Ansi);
    EXPECT_EQ(plan.InitialTicks(), (std::vector<bool>{false, true, false, false}));
    EXPECT_NE(ParseImport(ExchangeFormat::BirthdayList, "<html>\r\n<body>", {}).error, "");
}

}  // namespace
}  // namespace quillora
