// The import preview's plan: who in a file is the same person as an entry of
// the list, which rows start ticked, and what adding the ticked ones does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/import_plan.h"
#include "windows1252_code_page.h"

namespace quillora {
namespace {

const test::Windows1252CodePage Ansi;

ImportedBirthday Born(std::string name, int day, int month, int year = 0) {
    return {std::move(name), false, BirthDate{day, month, year}, false};
}

TEST(ImportPlan, NamesMatchAcrossCaseBlanksAccentsAndNameOrder) {
    struct Case {
        const char* listed;  // in the code page, as the list keeps it
        const char* inFile;  // UTF-8, as a contact file gives it
        bool same;
    };
    const Case cases[] = {
        {"Anna Berg", "Anna Berg", true},
        {"Anna Berg", "anna berg", true},
        {"Anna Berg", "  ANNA   Berg ", true},
        {"Anna Berg", "Berg, Anna", true},
        {"Anna Berg", "Berg Anna", true},
        {"Anna Berg", "Berg,Anna", true},
        {"Anna Maria Berg", "Berg, Anna Maria", true},
        {"Anna Maria Berg", "Berg Anna Maria", true},
        {"Anna B\xE9rg", "Anna Berg", true},             // an accent of the code page
        {"Anna Berg", "\xC3\x81nna B\xC3\xA9rg", true},  // accents in the file
        {"Lukasz", "\xC5\x81ukasz", true},               // a letter the code page lacks
        {"M\xFCller", "Mueller", false},                 // best fit drops marks, it does not spell
        {"Stra\xDF"
         "e",
         "Strasse", true},
        {"Anna", "anna", true},  // a name of one word
        {"Anna", "Anna Berg", false},
        {"Anna Berg", "Anna Borg", false},
        {"Anna Berg", "Anna Bergen", false},
        {"Anna Berg", "Anna-Berg", false},
    };
    for (const Case& c : cases) {
        const std::string fileName = Ansi.FromUtf8(c.inFile).text;
        EXPECT_EQ(NameKey(c.listed, Ansi) == NameKey(fileName, Ansi), c.same)
            << "\"" << c.listed << "\" and \"" << c.inFile << "\": " << NameKey(c.listed, Ansi) << " / "
            << NameKey(fileName, Ansi);
    }
}

TEST(ImportPlan, TheSamePersonHasTheSameDayAndMonthAndYearWhenBothHaveOne) {
    struct Case {
        BirthDate listed, inFile;
        bool same;
    };
    const Case cases[] = {
        {{14, 2, 1980}, {14, 2, 1980}, true},  {{14, 2, 0}, {14, 2, 1980}, true},
        {{14, 2, 1980}, {14, 2, 0}, true},     {{14, 2, 1980}, {14, 2, 1981}, false},
        {{14, 2, 1980}, {15, 2, 1980}, false}, {{14, 2, 1980}, {14, 3, 1980}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SamePerson("anna berg", c.listed, "anna berg", c.inFile), c.same)
            << c.listed.day << "." << c.listed.month << "." << c.listed.year << " / " << c.inFile.day << "."
            << c.inFile.month << "." << c.inFile.year;
    }
    EXPECT_FALSE(SamePerson("anna berg", {14, 2, 1980}, "anna borg", {14, 2, 1980}));
}

TEST(ImportPlan, EveryRowGetsItsStateAndMatchingChangesNoEntry) {
    BirthdayTable table;
    (void)table.Append({"Anna Berg", "14", "2", "1980", "0", "1"});
    (void)table.Append({"Ben", "", "", "", "1", "1"});  // no date: nobody is the same as him
    const BirthdayTable before = table;
    std::vector<ImportedBirthday> file = {
        Born("Anna Berg", 14, 2, 1980),
        Born("anna berg", 14, 2, 1980),
        Born("Berg, Anna", 14, 2, 1980),
        Born("Berg Anna", 14, 2, 1980),
        Born("Anna Berg", 14, 2),
        Born("Anna Berg", 3, 5, 1990),
        Born("berg, anna", 3, 5, 1990),
        Born("Ben", 1, 1, 2000),
        Born("\xC5\x81ukasz", 4, 3),
        {"Nobody", false, std::nullopt, false},
        {"Invalid", false, std::nullopt, true},
        Born(" \t", 1, 1, 2000),
    };
    const ImportPlan plan = PlanImport(table, file, Ansi);
    EXPECT_EQ(table, before);
    using S = ImportRowState;
    std::vector<S> states;
    for (const ImportRow& row : plan.rows)
        states.push_back(row.state);
    EXPECT_EQ(states, (std::vector<S>{S::InList, S::InList, S::InList, S::InList, S::InList, S::New,
                                      S::AboveInFile, S::New, S::NameChanged, S::NoBirthday, S::NoBirthday}));
    EXPECT_EQ(plan.withoutName, 1);
    EXPECT_EQ(plan.freePlaces, TableCapacity - 2);
    EXPECT_EQ(RowTexts(plan.rows[5]), (std::vector<std::string>{"Anna Berg", "3", "5", "1990", "NEW"}));
    EXPECT_EQ(RowTexts(plan.rows[8]),
              (std::vector<std::string>{"Lukasz", "4", "3", "", "NEW, NAME CHANGED"}));
    EXPECT_EQ(RowTexts(plan.rows[9]), (std::vector<std::string>{"Nobody", "", "", "", "NO BIRTHDAY"}));
    EXPECT_EQ(plan.InitialTicks(),
              (std::vector<bool>{false, false, false, false, false, true, false, true, true, false, false}));

    // Unticking one of the new people adds the others, in file order.
    const ImportSummary summary = AddTickedRows(
        table, plan, {false, false, false, false, false, true, false, false, true, false, false});
    ASSERT_EQ(table.Count(), 4);
    EXPECT_EQ(table.Row(2), (BirthdayEntry{"Anna Berg", "3", "5", "1990", "1", "1"}));
    EXPECT_EQ(table.Row(3), (BirthdayEntry{"Lukasz", "4", "3", "", "1", "1"}));
    EXPECT_EQ(
        ImportSummaryText(summary),
        "Added: 2\r\nLeft out by choice: 1\r\nSkipped, already in the list: 6\r\n"
        "Skipped, without a birthday: 1\r\nSkipped, a birthday that is no date: 1\r\n"
        "Skipped, without a name: 1\r\nNames with characters replaced by the closest ones:\r\n    Lukasz");
}

// For lists of any fill and files of new people mixed with others: the
// first new people up to the free places start ticked, nothing else does,
// and adding what is ticked accounts for every row.
TEST(ImportPlan, InitialTicksFillTheFreePlacesInFileOrder) {
    for (const int listed : {0, 1, 50, TableCapacity - 1, TableCapacity, TableCapacity + 5}) {
        for (const int people : {0, 1, 7, 120}) {
            BirthdayTable table;
            for (int i = 0; i < listed; ++i)
                table.AppendLoaded({"Listed " + std::to_string(i), "1", "1", "1990", "1", "1"});
            std::vector<ImportedBirthday> file;
            for (int i = 0; i < people; ++i) {
                file.push_back(Born("Person " + std::to_string(i), 2, 2, 1990));
                if (listed > 0 && i % 3 == 0)
                    file.push_back(Born("LISTED " + std::to_string(i % listed), 1, 1));
                if (i % 4 == 0) file.push_back({"Undated", false, std::nullopt, false});
            }
            SCOPED_TRACE(std::to_string(listed) + " listed, " + std::to_string(people) + " new");
            const ImportPlan plan = PlanImport(table, file, Ansi);
            const int free = std::max(0, TableCapacity - listed);
            const std::vector<bool> ticks = plan.InitialTicks();
            int ticked = 0;
            int newBefore = 0;
            for (std::size_t row = 0; row < plan.rows.size(); ++row) {
                const bool canTick = CanTick(plan.rows[row].state);
                EXPECT_EQ(ticks[row], canTick && newBefore < free) << "row " << row;
                newBefore += canTick ? 1 : 0;
                ticked += ticks[row] ? 1 : 0;
            }
            EXPECT_EQ(newBefore, people);
            EXPECT_EQ(ticked, std::min(free, people));
            EXPECT_EQ(TooManyTickedText(plan.freePlaces, ticked), "");
            EXPECT_EQ(NothingToChooseText(plan).empty(), people > 0 && free > 0);

            const ImportSummary summary = AddTickedRows(table, plan, ticks);
            EXPECT_EQ(table.Count(), listed + ticked);
            EXPECT_EQ(summary.added, ticked);
            EXPECT_EQ(summary.added + summary.leftOut + summary.alreadyPresent + summary.withoutBirthday,
                      static_cast<int>(file.size()));
        }
    }
}

TEST(ImportPlan, TheCountLineTheRefusalAndTheMessageInsteadOfAPreview) {
    EXPECT_EQ(TickCountText(100, 98), "FREE PLACES IN THE LIST: 100      TICKED: 98");
    EXPECT_EQ(TooManyTickedText(2, 2), "");
    EXPECT_EQ(TooManyTickedText(2, 3),
              "YOU TICKED 3 PEOPLE, BUT THE LIST HAS ONLY 2 FREE PLACES.\r\nUNTICK 1 TO IMPORT.");
    EXPECT_EQ(TooManyTickedText(1, 4),
              "YOU TICKED 4 PEOPLE, BUT THE LIST HAS ONLY 1 FREE PLACE.\r\nUNTICK 3 TO IMPORT.");
    EXPECT_EQ(TooManyTickedText(0, 1),
              "YOU TICKED 1 PERSON, BUT THE LIST HAS ONLY 0 FREE PLACES.\r\nUNTICK 1 TO IMPORT.");

    BirthdayTable table;
    (void)table.Append({"Anna Berg", "14", "2", "1980", "0", "1"});
    const ImportPlan known =
        PlanImport(table, {Born("Berg, Anna", 14, 2, 1980), {"Nobody", false, std::nullopt, false}}, Ansi);
    EXPECT_EQ(NothingToChooseText(known),
              "THE FILE HOLDS NOBODY TO ADD.\r\nAdded: 0\r\nLeft out by choice: 0\r\n"
              "Skipped, already in the list: 1\r\nSkipped, without a birthday: 1");
    for (int i = 1; i < TableCapacity; ++i)
        (void)table.Append({"P" + std::to_string(i), "1", "1", "", "1", "1"});
    EXPECT_EQ(NothingToChooseText(PlanImport(table, {Born("Carla", 1, 2)}, Ansi)),
              "THE LIST IS FULL! NOBODY CAN BE ADDED.");
}

}  // namespace
}  // namespace quillora
