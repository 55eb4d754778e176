#include "logbook/derivedvalues.h"

#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

using test::Record;

struct Cell {
    int column;
    int row;
    const char* text;
};

// A logbook with the given records (odometer, litres, price); the other input cells are
// filled so that the test sees whether the pass leaves them alone.
TextTable MakeGrid(const std::vector<Record>& records, const std::vector<Cell>& presets = {}) {
    TextTable grid = test::EverydayLogbookOf({ColKmStand, ColLiter, ColLiterpreis}, records);
    for (const Cell& cell : presets)
        grid.setCell(cell.column, cell.row, cell.text);
    return grid;
}

TextTable WithCells(TextTable grid, const std::vector<Cell>& cells) {
    for (const Cell& cell : cells)
        grid.setCell(cell.column, cell.row, cell.text);
    return grid;
}

void ExpectSameCells(const TextTable& actual, const TextTable& expected) {
    ASSERT_EQ(actual.columnCount(), expected.columnCount());
    ASSERT_EQ(actual.rowCount(), expected.rowCount());
    for (int r = 0; r < expected.rowCount(); ++r)
        for (int c = 0; c < expected.columnCount(); ++c)
            EXPECT_EQ(actual.cell(c, r), expected.cell(c, r)) << "column " << c << ", row " << r;
}

std::string ErrorOf(TextTable& grid) {
    try {
        ComputeDerivedValues(grid);
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

// Presets that make `row` an empty record: the free-text cells the logbook fills are emptied.
std::vector<Cell> Emptied(int row, std::vector<Cell> more = {}) {
    for (int column : {ColDatum, ColBenzin, ColTankstelle, ColOrt, ColNote1, ColNote2, ColNote3})
        more.push_back({column, row, ""});
    return more;
}

std::vector<Cell> Joined(std::vector<Cell> a, const std::vector<Cell>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Worked by hand: 35 l over 500 km is 7.00 l/100 km, times 1.40 EUR 9.80; the newest record
// 30 l over 500 km 6.00, times 1.60 EUR 9.60, 48.00 EUR for the fill.
const std::vector<Record> kWorkedExample = {
    {"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}};

struct PassCase {
    const char* name;
    std::vector<Record> records;
    std::vector<Cell> presets;
    std::vector<Cell> written; // every cell the pass changes, nothing else may change
};

TEST(ComputeDerivedValues, WritesExactlyTheDerivedCells) {
    const std::vector<PassCase> cases = {
        {"worked example",
         kWorkedExample,
         {},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 6.00"},
          {ColKostenKm, 3, " 9.60"},
          {ColTankkosten, 3, "48.00"}}},
        {"no records", {}, {}, {}},
        // The odometer is not read with a single record.
        {"one record", {{"abc", "40", "1.50"}}, {}, {{ColTankkosten, 1, "60.00"}}},
        // A missing price leaves the cost empty, not 0.
        {"one record without price", {{"100", "40", ""}}, {}, {}},
        // "5,5" is no number: its record has no figures, the next one has all of them.
        {"comma litres spoil only their record",
         {{"10000", "40", "1.50"}, {"10500", "5,5", "1.40"}, {"11000", "30", "1.60"}},
         {{ColVerbrauch, 2, "old"}},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, ""},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 6.00"},
          {ColKostenKm, 3, " 9.60"},
          {ColTankkosten, 3, "48.00"}}},
        // 99 l over 500 km: 19.80 l/100 km, times 1.60 EUR 31.68; 99 x 1.60 = 158.40.
        {"last record gets consumption and costs",
         {{"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000", "99", "1.60"}},
         {{ColVerbrauch, 3, "old6"}, {ColKostenKm, 3, "old7"}, {ColTankkosten, 3, "old8"}},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, "19.80"},
          {ColKostenKm, 3, "31.68"},
          {ColTankkosten, 3, "158.40"}}},
        {"first record keeps the distance of a deleted predecessor",
         kWorkedExample,
         {{ColKm, 1, "500"}},
         {{ColVerbrauch, 1, " 8.00"},
          {ColKostenKm, 1, "12.00"},
          {ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 6.00"},
          {ColKostenKm, 3, " 9.60"},
          {ColTankkosten, 3, "48.00"}}},
        {"stale derived cells are overwritten",
         kWorkedExample,
         {{ColKm, 2, "7"}, {ColVerbrauch, 2, "x"}, {ColKm, 3, ""}, {ColTankkosten, 1, "1"}},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 6.00"},
          {ColKostenKm, 3, " 9.60"},
          {ColTankkosten, 3, "48.00"}}},
        {"leading blanks and hex readings are integers",
         {{" 100", "40", "1.50"}, {"$1F4", "35", "1.40"}, {"0X3E8", "30", "1.60"}},
         {},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "400"},
          {ColVerbrauch, 2, " 8.75"},
          {ColKostenKm, 2, "12.25"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 6.00"},
          {ColKostenKm, 3, " 9.60"},
          {ColTankkosten, 3, "48.00"}}},
        {"decreasing odometer gives negative values",
         {{"10000", "40", "1.50"}, {"9900", "35", "1.40"}, {"10100", "30", "1.60"}},
         {},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "-100"},
          {ColVerbrauch, 2, "-35.00"},
          {ColKostenKm, 2, "-49.00"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "200"},
          {ColVerbrauch, 3, "15.00"},
          {ColKostenKm, 3, "24.00"},
          {ColTankkosten, 3, "48.00"}}},
        // Litres times 100, then divided: 0.09 / 40 * 100 would give 0.22, and 0.23 * (100 / 40)
        // 0.58.
        {"litres times 100 before the division",
         {{"1000", "1", "1"}, {"1040", "0.09", "1.5"}, {"1080", "0.23", "2"}, {"1100", "", ""}},
         {},
         {{ColTankkosten, 1, " 1.00"},
          {ColKm, 2, "40"},
          {ColVerbrauch, 2, " 0.23"},
          {ColKostenKm, 2, " 0.35"},
          {ColTankkosten, 2, " 0.14"},
          {ColKm, 3, "40"},
          {ColVerbrauch, 3, " 0.57"},
          {ColKostenKm, 3, " 1.14"},
          {ColTankkosten, 3, " 0.46"},
          {ColKm, 4, "20"}}},
        // 35 l over 600 km is 5.8333..; the cost uses 5.83 * 1.45 = 8.4535 -> 8.45, not 8.46.
        {"cost per distance uses the written consumption",
         {{"1000", "1", "1"}, {"1600", "35", "1.45"}, {"2000", "1", "1"}},
         {},
         {{ColTankkosten, 1, " 1.00"},
          {ColKm, 2, "600"},
          {ColVerbrauch, 2, " 5.83"},
          {ColKostenKm, 2, " 8.45"},
          {ColTankkosten, 2, "50.75"},
          {ColKm, 3, "400"},
          {ColVerbrauch, 3, " 0.25"},
          {ColKostenKm, 3, " 0.25"},
          {ColTankkosten, 3, " 1.00"}}},
        // Enter in "Ort" of the last record appends an empty one; it takes no part.
        {"empty record appended at the end",
         {{"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}, {"", "", ""}},
         Emptied(4),
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 6.00"},
          {ColKostenKm, 3, " 9.60"},
          {ColTankkosten, 3, "48.00"}}},
        // The distance bridges the empty record; its stale figures go, blanks count as empty.
        {"empty records between and after",
         {{"10000", "40", "1.50"}, {"", "", ""}, {"10500", "35", "1.40"}, {" ", "  ", ""}},
         Joined(Emptied(2, {{ColKm, 2, "9"}, {ColVerbrauch, 2, "x"}}), Emptied(4)),
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, ""},
          {ColVerbrauch, 2, ""},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 7.00"},
          {ColKostenKm, 3, " 9.80"},
          {ColTankkosten, 3, "49.00"}}},
        {"first record empty: the next one has no distance",
         {{"", "", ""}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}},
         Emptied(1),
         {{ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"},
          {ColVerbrauch, 3, " 6.00"},
          {ColKostenKm, 3, " 9.60"},
          {ColTankkosten, 3, "48.00"}}},
        {"only empty records", {{"", "", ""}, {" ", "", ""}}, Joined(Emptied(1), Emptied(2)), {}},
    };
    for (const PassCase& test : cases) {
        SCOPED_TRACE(test.name);
        TextTable grid = MakeGrid(test.records, test.presets);
        const TextTable expected = WithCells(grid, test.written);
        ComputeDerivedValues(grid);
        ExpectSameCells(grid, expected);
        // The pass keeps no state: a second run changes nothing.
        ComputeDerivedValues(grid);
        ExpectSameCells(grid, expected);
    }
}

struct IssueCase {
    const char* name;
    std::vector<Record> records;
    std::vector<Cell> presets;
    std::vector<std::string> issues; // the messages, in order
    std::vector<Cell> written;       // every cell the pass changes
};

// Worked by hand: the records before and after the spoiled cell get every figure.
const std::vector<Cell> kFirstTwo = {{ColTankkosten, 1, "60.00"},
                                     {ColKm, 2, "500"},
                                     {ColVerbrauch, 2, " 7.00"},
                                     {ColKostenKm, 2, " 9.80"},
                                     {ColTankkosten, 2, "49.00"}};
const std::vector<Cell> kThird = {{ColKm, 3, "500"},
                                  {ColVerbrauch, 3, " 6.00"},
                                  {ColKostenKm, 3, " 9.60"},
                                  {ColTankkosten, 3, "48.00"}};
// Record 3 measured from record 1 over 1000 km: 30 l gives 3.00, times 1.60 EUR 4.80.
const std::vector<Cell> kThirdFromFirst = {{ColKm, 3, "1000"},
                                           {ColVerbrauch, 3, " 3.00"},
                                           {ColKostenKm, 3, " 4.80"},
                                           {ColTankkosten, 3, "48.00"}};

// Cells that are missing or no number, and a distance of 0.
std::vector<IssueCase> MissingAndInvalidCases() {
    return {
        {"reading left empty: missing, no issue",
         {{"10000", "40", "1.50"},
          {"10500", "35", "1.40"},
          {"11000", "30", "1.60"},
          {"", "25", ""}},
         {},
         {},
         Joined(kFirstTwo, kThird)},
        {"litres no number",
         {{"10000", "40", "1.50"}, {"10500", "4o", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {"Datensatz 2, Liter: '4o' ist keine Zahl."},
         Joined({{ColTankkosten, 1, "60.00"}, {ColKm, 2, "500"}}, kThird)},
        // 35 l over 500 km still gives 7.00; cost needs the price.
        {"price no number",
         {{"10000", "40", "1.50"}, {"10500", "35", "1,4"}, {"11000", "30", "1.60"}},
         {},
         {"Datensatz 2, Literpreis: '1,4' ist keine Zahl."},
         Joined({{ColTankkosten, 1, "60.00"}, {ColKm, 2, "500"}, {ColVerbrauch, 2, " 7.00"}},
                kThird)},
        {"litres of blanks: missing, no issue",
         {{"10000", "40", "1.50"}, {"10500", "  ", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {},
         Joined({{ColTankkosten, 1, "60.00"}, {ColKm, 2, "500"}}, kThird)},
        {"equal readings, litres filled",
         {{"10000", "40", "1.50"},
          {"10500", "35", "1.40"},
          {"10500", "35", "1.60"},
          {"11000", "30", "1.60"}},
         {},
         {"Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0."},
         Joined(kFirstTwo, {{ColKm, 3, "0"},
                            {ColTankkosten, 3, "56.00"},
                            {ColKm, 4, "500"},
                            {ColVerbrauch, 4, " 6.00"},
                            {ColKostenKm, 4, " 9.60"},
                            {ColTankkosten, 4, "48.00"}})},
        // 30 l over 1000 km: 3.00, times 1.60 EUR 4.80; 0 l at 1.40 EUR cost 0.00.
        {"equal readings, 0 litres",
         {{"10000", "40", "1.50"}, {"10000", "0", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {"Datensatz 2, Verbrauch: nicht berechenbar, KM ist 0."},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "0"},
          {ColTankkosten, 2, " 0.00"},
          {ColKm, 3, "1000"},
          {ColVerbrauch, 3, " 3.00"},
          {ColKostenKm, 3, " 4.80"},
          {ColTankkosten, 3, "48.00"}}},
        {"equal readings, empty litres: no consumption asked for",
         {{"10000", "40", "1.50"}, {"10000", "", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "0"},
          {ColKm, 3, "1000"},
          {ColVerbrauch, 3, " 3.00"},
          {ColKostenKm, 3, " 4.80"},
          {ColTankkosten, 3, "48.00"}}},
    };
}

// Readings that cannot be read, and distances no KM can hold.
std::vector<IssueCase> ReadingCases() {
    return {
        {"decimal point in a reading: the next measures from the one before",
         {{"10000", "40", "1.50"}, {"12.5", "35", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {"Datensatz 2, KM-Stand: '12.5' ist keine ganze Zahl."},
         Joined({{ColTankkosten, 1, "60.00"}, {ColTankkosten, 2, "49.00"}}, kThirdFromFirst)},
        {"trailing blank in a reading",
         {{"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000 ", "30", "1.60"}},
         {},
         {"Datensatz 3, KM-Stand: '11000 ' ist keine ganze Zahl."},
         Joined(kFirstTwo, {{ColTankkosten, 3, "48.00"}})},
        // A NUL or a control character is shown escaped, and the message goes on after it.
        {"NUL as a reading",
         {{"10000", "40", "1.50"}, {std::string("\0", 1), "35", "1.40"}},
         {},
         {"Datensatz 2, KM-Stand: '\\0' ist keine ganze Zahl."},
         {{ColTankkosten, 1, "60.00"}, {ColTankkosten, 2, "49.00"}}},
        {"control characters in a reading",
         {{"10000", "40", "1.50"},
          {std::string("1\x01"
                       "0\x7F\t",
                       5),
           "35", "1.40"}},
         {},
         {"Datensatz 2, KM-Stand: '1\\x010\\x7F\\t' ist keine ganze Zahl."},
         {{ColTankkosten, 1, "60.00"}, {ColTankkosten, 2, "49.00"}}},
        {"hex reading beyond 32 bits",
         {{"10000", "40", "1.50"}, {"$80000000", "35", "1.40"}},
         {},
         {"Datensatz 2, KM-Stand: '$80000000' ist keine ganze Zahl."},
         {{ColTankkosten, 1, "60.00"}, {ColTankkosten, 2, "49.00"}}},
        {"first and second reading bad: both named, the third has no distance",
         {{"abc", "40", "1.50"}, {"xyz", "35", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {"Datensatz 1, KM-Stand: 'abc' ist keine ganze Zahl.",
          "Datensatz 2, KM-Stand: 'xyz' ist keine ganze Zahl."},
         {{ColTankkosten, 1, "60.00"}, {ColTankkosten, 2, "49.00"}, {ColTankkosten, 3, "48.00"}}},
        {"only the first reading bad",
         {{"abc", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {"Datensatz 1, KM-Stand: 'abc' ist keine ganze Zahl."},
         Joined({{ColTankkosten, 1, "60.00"}, {ColTankkosten, 2, "49.00"}}, kThird)},
        {"two cells of one record in column order",
         {{"10000", "40", "1.50"}, {"1o500", "4o", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {"Datensatz 2, KM-Stand: '1o500' ist keine ganze Zahl.",
          "Datensatz 2, Liter: '4o' ist keine Zahl."},
         Joined({{ColTankkosten, 1, "60.00"}}, kThirdFromFirst)},
        // 30 l over 1 km: 3000.00, times 1 EUR; the distance of record 2 is no KM.
        {"distance beyond 32 bits",
         {{"-2000000000", "40", "1.50"}, {"2000000000", "35", "1.40"}, {"2000000001", "30", "1"}},
         {},
         {"Datensatz 2, KM: '4000000000' ist keine ganze Zahl."},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "4000000000"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "1"},
          {ColVerbrauch, 3, "3000.00"},
          {ColKostenKm, 3, "3000.00"},
          {ColTankkosten, 3, "30.00"}}},
        {"distance of the first record not an integer",
         kWorkedExample,
         {{ColKm, 1, "12.0"}},
         {"Datensatz 1, KM: '12.0' ist keine ganze Zahl."},
         Joined(kFirstTwo, kThird)},
        {"an empty record between two equal readings",
         {{"10000", "40", "1.50"}, {"", "", ""}, {"10000", "35", "1.40"}},
         Emptied(2),
         {"Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0."},
         {{ColTankkosten, 1, "60.00"}, {ColKm, 3, "0"}, {ColTankkosten, 3, "49.00"}}},
    };
}

TEST(ComputeDerivedValues, AnInvalidCellSpoilsOnlyItsOwnRecord) {
    std::vector<IssueCase> cases = MissingAndInvalidCases();
    const std::vector<IssueCase> more = ReadingCases();
    cases.insert(cases.end(), more.begin(), more.end());
    for (const IssueCase& test : cases) {
        SCOPED_TRACE(test.name);
        TextTable grid = MakeGrid(test.records, test.presets);
        const TextTable expected = WithCells(grid, test.written);
        std::vector<std::string> messages;
        for (const CellIssue& issue : ComputeDerivedValues(grid))
            messages.push_back(issue.message);
        EXPECT_EQ(messages, test.issues);
        ExpectSameCells(grid, expected);
    }
}

struct FailureCase {
    const char* name;
    std::vector<Record> records;
    const char* message;
    std::vector<Cell> written; // the cells written before the error
};

TEST(ComputeDerivedValues, AValueBeyondTheRangeOfNumbersStillEndsThePass) {
    const std::vector<FailureCase> cases = {
        {"litres too large for the consumption",
         {{"10000", "40", "1.50"}, {"10500", "1e308", "1.40"}, {"11000", "30", "1.60"}},
         "Datensatz 2, Verbrauch: Wert zu gro\xDF.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 2, "500"}}},
        {"first refuelling cost too large",
         {{"10000", "1e308", "10"}, {"10500", "35", "1.40"}},
         "Datensatz 1, Tankkosten: Wert zu gro\xDF.",
         {}},
    };
    for (const FailureCase& test : cases) {
        SCOPED_TRACE(test.name);
        TextTable grid = MakeGrid(test.records);
        const TextTable expected = WithCells(grid, test.written);
        EXPECT_EQ(ErrorOf(grid), test.message);
        ExpectSameCells(grid, expected);
    }
}

// The box at F5 and at load names ten cells, then how many more; the status bar the count
// and the first.
TEST(CellIssues, MessagesForTheBoxAndTheStatusBar) {
    std::vector<CellIssue> issues;
    for (int record = 1; record <= 12; ++record)
        issues.push_back(ZeroDistanceIssue(record));
    std::string expected;
    for (int record = 1; record <= 10; ++record)
        expected += "Datensatz " + std::to_string(record) +
                    ", Verbrauch: nicht berechenbar, KM ist 0." + (record < 10 ? "\n" : "");
    EXPECT_EQ(CellIssuesBoxText(issues), expected + "\nund 2 weitere");
    EXPECT_EQ(CellIssuesStatusText(issues),
              "12 ung\xFCltige Zellen: Datensatz 1, Verbrauch: nicht berechenbar, KM ist 0.");
    issues.resize(1);
    EXPECT_EQ(CellIssuesStatusText(issues),
              "1 ung\xFCltige Zelle: Datensatz 1, Verbrauch: nicht berechenbar, KM ist 0.");
    EXPECT_EQ(CellIssuesBoxText({}), "");
    EXPECT_EQ(CellIssuesStatusText({}), "");
}

} // namespace
} // namespace spritlog
