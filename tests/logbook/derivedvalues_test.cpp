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
        {"one record without price", {{"100", "40", ""}}, {}, {{ColTankkosten, 1, " 0.00"}}},
        {"comma litres count as 0",
         {{"10000", "40", "1.50"}, {"10500", "5,5", "1.40"}, {"11000", "30", "1.60"}},
         {},
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 0.00"},
          {ColKostenKm, 2, " 0.00"},
          {ColTankkosten, 2, " 0.00"},
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
          {ColKm, 4, "20"},
          {ColVerbrauch, 4, " 0.00"},
          {ColKostenKm, 4, " 0.00"},
          {ColTankkosten, 4, " 0.00"}}},
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

struct FailureCase {
    const char* name;
    std::vector<Record> records;
    std::vector<Cell> presets;
    const char* message;
    std::vector<Cell> written; // the cells written before the error
};

TEST(ComputeDerivedValues, StopsAtTheFirstErrorKeepingWhatWasWritten) {
    const std::vector<FailureCase> cases = {
        {"reading left empty in a record that takes part",
         {{"10000", "40", "1.50"},
          {"10500", "35", "1.40"},
          {"11000", "30", "1.60"},
          {"", "25", ""}},
         {},
         "Datensatz 4, KM-Stand: '' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "500"}}},
        {"equal readings, litres filled",
         {{"10000", "40", "1.50"},
          {"10500", "35", "1.40"},
          {"10500", "35", "1.60"},
          {"11000", "30", "1.60"}},
         {},
         "Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0.",
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "0"},
          {ColKm, 4, "500"}}},
        {"equal readings, 0 litres",
         {{"10000", "40", "1.50"}, {"10000", "0", "1.40"}, {"11000", "30", "1.60"}},
         {},
         "Datensatz 2, Verbrauch: nicht berechenbar, KM ist 0.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 2, "0"}, {ColKm, 3, "1000"}}},
        {"equal readings, empty litres",
         {{"10000", "40", "1.50"}, {"10000", "", "1.40"}, {"11000", "30", "1.60"}},
         {},
         "Datensatz 2, Verbrauch: nicht berechenbar, KM ist 0.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 2, "0"}, {ColKm, 3, "1000"}}},
        {"litres too large for the consumption",
         {{"10000", "40", "1.50"}, {"10500", "1e308", "1.40"}, {"11000", "30", "1.60"}},
         {},
         "Datensatz 2, Verbrauch: Wert zu gro\xDF.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 2, "500"}, {ColKm, 3, "500"}}},
        {"first refuelling cost too large",
         {{"10000", "1e308", "10"}, {"10500", "35", "1.40"}},
         {},
         "Datensatz 1, Tankkosten: Wert zu gro\xDF.",
         {}},
        {"decimal point in a reading",
         {{"10000", "40", "1.50"}, {"12.5", "35", "1.40"}, {"11000", "30", "1.60"}},
         {},
         "Datensatz 2, KM-Stand: '12.5' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}}},
        {"trailing blank in a reading",
         {{"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000 ", "30", "1.60"}},
         {},
         "Datensatz 3, KM-Stand: '11000 ' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, ""},
          {ColTankkosten, 2, ""}}},
        // A NUL or a control character is shown escaped, and the message goes on after it.
        {"NUL as a reading",
         {{"10000", "40", "1.50"}, {std::string("\0", 1), "35", "1.40"}},
         {},
         "Datensatz 2, KM-Stand: '\\0' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}}},
        {"control characters in a reading",
         {{"10000", "40", "1.50"},
          {std::string("1\x01"
                       "0\x7F\t",
                       5),
           "35", "1.40"}},
         {},
         "Datensatz 2, KM-Stand: '1\\x010\\x7F\\t' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}}},
        {"hex reading beyond 32 bits",
         {{"10000", "40", "1.50"}, {"$80000000", "35", "1.40"}},
         {},
         "Datensatz 2, KM-Stand: '$80000000' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}}},
        {"first and second reading bad: the second is reported",
         {{"abc", "40", "1.50"}, {"xyz", "35", "1.40"}, {"11000", "30", "1.60"}},
         {},
         "Datensatz 2, KM-Stand: 'xyz' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}}},
        {"only the first reading bad",
         {{"abc", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}},
         {},
         "Datensatz 1, KM-Stand: 'abc' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}}},
        {"second and third reading bad: the topmost is reported",
         {{"10000", "40", "1.50"}, {"b2", "35", "1.40"}, {"b3", "30", "1.60"}},
         {},
         "Datensatz 2, KM-Stand: 'b2' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}}},
        {"distance beyond 32 bits read back",
         {{"-2000000000", "40", "1.50"}, {"2000000000", "35", "1.40"}, {"2000000001", "30", "1"}},
         {},
         "Datensatz 2, KM: '4000000000' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 2, "4000000000"}, {ColKm, 3, "1"}}},
        {"distance of the first record not an integer",
         kWorkedExample,
         {{ColKm, 1, "12.0"}},
         "Datensatz 1, KM: '12.0' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 2, "500"}}},
        {"equal readings in the last record",
         {{"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"10500", "35", "1.60"}},
         {},
         "Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0.",
         {{ColTankkosten, 1, "60.00"},
          {ColKm, 2, "500"},
          {ColVerbrauch, 2, " 7.00"},
          {ColKostenKm, 2, " 9.80"},
          {ColTankkosten, 2, "49.00"},
          {ColKm, 3, "0"}}},
        {"distance beyond 32 bits in the last record",
         {{"-2000000000", "40", "1.50"}, {"2000000000", "35", "1.40"}},
         {},
         "Datensatz 2, KM: '4000000000' ist keine ganze Zahl.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 2, "4000000000"}}},
        {"an empty record between two equal readings",
         {{"10000", "40", "1.50"}, {"", "", ""}, {"10000", "35", "1.40"}},
         Emptied(2),
         "Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0.",
         {{ColTankkosten, 1, "60.00"}, {ColKm, 3, "0"}}},
    };
    for (const FailureCase& test : cases) {
        SCOPED_TRACE(test.name);
        TextTable grid = MakeGrid(test.records, test.presets);
        const TextTable expected = WithCells(grid, test.written);
        EXPECT_EQ(ErrorOf(grid), test.message);
        ExpectSameCells(grid, expected);
    }
}

} // namespace
} // namespace spritlog
