#include "analysis/chartsource.h"

#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

// Columns 1 to 8 of a record, as the derived-values pass leaves them.
using test::Record;
const test::Columns kFigureColumns = {ColDatum, ColKmStand,   ColLiter,    ColLiterpreis,
                                      ColKm,    ColVerbrauch, ColKostenKm, ColTankkosten};

// The records with the usual headers, note headers of their own and the free-text cells filled.
TextTable MakeGrid(const std::vector<Record>& records) {
    TextTable grid = test::EverydayLogbookOf(kFigureColumns, records);
    grid.setCell(ColNote1, 0, "Notiz A");
    grid.setCell(ColNote2, 0, "Notiz B");
    grid.setCell(ColNote3, 0, "Notiz C");
    return grid;
}

// A chart source left from an earlier rebuild, larger than any result below.
TextTable StaleChartSource() {
    TextTable prepareGrid(kLogbookColumns, 12);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < kLogbookColumns; ++c)
            prepareGrid.setCell(c, r, "stale");
    return prepareGrid;
}

using Rows = std::vector<std::vector<std::string>>;

// Compares every cell; rows given shorter than 15 cells are empty in the rest.
void ExpectRows(const TextTable& actual, const Rows& expected) {
    ASSERT_EQ(actual.columnCount(), kLogbookColumns);
    ASSERT_EQ(actual.rowCount(), static_cast<int>(expected.size()));
    for (int r = 0; r < actual.rowCount(); ++r)
        for (int c = 0; c < kLogbookColumns; ++c) {
            const std::string want = c < static_cast<int>(expected[r].size()) ? expected[r][c] : "";
            EXPECT_EQ(actual.cell(c, r), want) << "column " << c << ", row " << r;
        }
}

std::vector<std::string> HeaderRow() {
    return {"",           "Datum",     "KM-Stand",  "Liter",      "Literpreis",
            "KM",         "Verbrauch", "Kosten/Km", "Tankkosten", "Benzin",
            "Tankstelle", "Ort",       "Notiz A",   "Notiz B",    "Notiz C"};
}

std::vector<std::string> GridRow(const TextTable& grid, int row) {
    std::vector<std::string> cells;
    for (int c = 0; c < kLogbookColumns; ++c)
        cells.emplace_back(grid.cell(c, row));
    return cells;
}

TEST(MonthKey, TakesCharactersFourToTen) {
    const struct {
        const char* date;
        const char* key;
    } cases[] = {
        {"06.12.2026", "12.2026"},
        {"6.12.2026", "2.2026"},
        {"05.01.2026", "01.2026"},
        {"", ""},
        {"06.", ""},
        {"06.1", "1"},
        {"06.12.", "12."},
        {"06.12.2026 8:00", "12.2026"},
        {"31.12.99", "12.99"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(MonthKey(test.date), test.key) << "'" << test.date << "'";
}

const std::vector<Record> kFiveMonths = {
    {"05.01.2026", "10000", "40", "1.50", "", "", "", "60.00"},
    {"20.01.2026", "10500", "35", "1.40", "500", " 7.00", " 9.80", "49.00"},
    {"03.02.2026", "11000", "30", "1.60", "500", " 6.00", " 9.60", "48.00"},
    {"25.02.2026", "11400", "20", "1.55", "400", " 5.00", " 7.75", "31.00"},
    {"10.03.2026", "11900", "25", "1.50", "500", "", "", ""},
};

TEST(RebuildChartSource, PerRecordCopiesAllButTheLastRecord) {
    for (int records = 0; records <= 5; ++records) {
        SCOPED_TRACE(records);
        const TextTable grid =
            MakeGrid(std::vector<Record>(kFiveMonths.begin(), kFiveMonths.begin() + records));
        TextTable prepareGrid = StaleChartSource();
        RebuildChartSource(grid, prepareGrid, ChartBasis::Eintrag);
        Rows expected;
        for (int r = 0; r <= records - 1; ++r)
            expected.push_back(GridRow(grid, r));
        // An empty logbook leaves one row with every cell empty.
        if (records == 0)
            expected.push_back({});
        ExpectRows(prepareGrid, expected);
    }
}

TEST(RebuildChartSource, UnknownShapeLeavesEmptyRows) {
    for (int basis : {-1, 2, 7}) {
        for (int records : {0, 1, 5}) {
            SCOPED_TRACE(std::to_string(basis) + " " + std::to_string(records));
            const TextTable grid =
                MakeGrid(std::vector<Record>(kFiveMonths.begin(), kFiveMonths.begin() + records));
            TextTable prepareGrid = StaleChartSource();
            RebuildChartSource(grid, prepareGrid, static_cast<ChartBasis>(basis));
            ExpectRows(prepareGrid, Rows(records > 0 ? records : 1));
        }
    }
}

struct MonthCase {
    const char* name;
    std::vector<Record> records;
    Rows monthRows; // the rows after the header row
};

TEST(RebuildChartSource, PerMonthWritesEveryCompletedRun) {
    const std::vector<MonthCase> cases = {
        {"no records", {}, {}},
        {"one record", {kFiveMonths[0]}, {}},
        {"five dates over three months",
         kFiveMonths,
         {{"1", "01.2026", "10500.0000", "75.0000", "1.4500", "500.0000", "3.5000", "4.9000",
           "109.0000"},
          {"2", "02.2026", "11400.0000", "50.0000", "1.5750", "900.0000", "5.5000", "8.6750",
           "79.0000"}}},
        {"all in one month",
         {{"01.05.2026", "100", "10", "1", "", "", "", "10"},
          {"11.05.2026", "200", "10", "1", "100", "10", "10", "10"},
          {"31.05.2026", "300", "10", "1", "100", "", "", ""}},
         {}},
        {"a month that comes back is a new run",
         {{"01.01.2026", "100", "10", "1.2", "", "", "", ""},
          {"01.02.2026", "200", "20", "1.3", "100", "", "", ""},
          {"02.01.2026", "300", "30", "1.4", "100", "", "", ""},
          {"01.03.2026", "400", "40", "1.5", "100", "", "", ""}},
         {{"1", "01.2026", "100.0000", "10.0000", "1.2000", "0.0000", "0.0000", "0.0000", "0.0000"},
          {"2", "02.2026", "200.0000", "20.0000", "1.3000", "100.0000", "0.0000", "0.0000",
           "0.0000"},
          {"3", "01.2026", "300.0000", "30.0000", "1.4000", "100.0000", "0.0000", "0.0000",
           "0.0000"}}},
        {"a date without leading zero has its own key",
         {{"06.12.2026", "100", "1", "1", "", "", "", ""},
          {"6.12.2026", "200", "2", "1", "100", "", "", ""},
          {"08.12.2026", "300", "3", "1", "100", "", "", ""}},
         {{"1", "12.2026", "100.0000", "1.0000", "1.0000", "0.0000", "0.0000", "0.0000", "0.0000"},
          {"2", "2.2026", "200.0000", "2.0000", "1.0000", "100.0000", "0.0000", "0.0000",
           "0.0000"}}},
        // Empty and malformed cells count as 0 but still count as records; the reading is the
        // last record's, not a sum.
        {"means over every record of the run",
         {{"01.07.2026", "12000", "", "1.3", "", "", "", ""},
          {"15.07.2026", "12345", "20.5", "1.5", "345", "8,1", " 6.00", "abc"},
          {"20.07.2026", " 9", "5", "2", "", "", "", ""},
          {"01.08.2026", "12900", "1", "1", "555", "9", "9", "9"}},
         {{"1", "07.2026", "9.0000", "25.5000", "1.6000", "345.0000", "0.0000", "2.0000",
           "0.0000"}}},
        {"mean price 1.4 and a reading of 12345",
         {{"01.07.2026", "12000", "1", "1.3", "", "", "", ""},
          {"15.07.2026", "12345", "1", "1.5", "345", "", "", ""},
          {"01.08.2026", "12900", "1", "1", "555", "", "", ""}},
         {{"1", "07.2026", "12345.0000", "2.0000", "1.4000", "345.0000", "0.0000", "0.0000",
           "0.0000"}}},
        {"odd dates and empty dates",
         {{"", "1", "1", "1", "", "", "", ""},
          {"x", "2", "1", "1", "1", "", "", ""},
          {"1.1.2026", "3", "1", "1", "1", "", "", ""},
          {"2.1.2026", "4", "1", "1", "1", "", "", ""}},
         {{"1", "", "2.0000", "2.0000", "1.0000", "1.0000", "0.0000", "0.0000", "0.0000"}}},
    };
    for (const MonthCase& test : cases) {
        SCOPED_TRACE(test.name);
        const TextTable grid = MakeGrid(test.records);
        TextTable prepareGrid = StaleChartSource();
        RebuildChartSource(grid, prepareGrid, ChartBasis::Monat);
        Rows expected = {HeaderRow()};
        expected.insert(expected.end(), test.monthRows.begin(), test.monthRows.end());
        ExpectRows(prepareGrid, expected);
    }
}

TEST(RebuildChartSource, ReplacesTheDesignShape) {
    const TextTable grid = MakeGrid(kFiveMonths);
    TextTable prepareGrid(8, 2);
    prepareGrid.setCell(7, 1, "design");
    RebuildChartSource(grid, prepareGrid, ChartBasis::Monat);
    EXPECT_EQ(prepareGrid.columnCount(), kLogbookColumns);
    EXPECT_EQ(prepareGrid.rowCount(), 3);
    EXPECT_EQ(prepareGrid.cell(7, 1), "4.9000");
}

TEST(AggregateMonth, WritesOneRowFromARangeOfRecords) {
    const TextTable grid = MakeGrid(kFiveMonths);
    TextTable prepareGrid = StaleChartSource();
    AggregateMonth(grid, prepareGrid, 2, 4, 10);
    const std::vector<std::string> want = {"10",      "02.2026", "11400.0000",
                                           "85.0000", "1.5167",  "1400.0000",
                                           "6.0000",  "9.0500",  "128.0000"};
    for (int c = 0; c <= ColTankkosten; ++c)
        EXPECT_EQ(prepareGrid.cell(c, 10), want[c]) << "column " << c;
    // The row's other cells and the other rows are not touched.
    EXPECT_EQ(prepareGrid.cell(ColBenzin, 10), "stale");
    EXPECT_EQ(prepareGrid.cell(ColKm, 9), "stale");
}

TEST(AggregateMonth, SumTooLargeIsAnOverflow) {
    const TextTable grid = MakeGrid({{"01.01.2026", "1", "1e308", "1", "", "", "", ""},
                                     {"02.01.2026", "2", "1e308", "1", "1", "", "", ""}});
    TextTable prepareGrid = StaleChartSource();
    try {
        AggregateMonth(grid, prepareGrid, 1, 2, 1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
}

TEST(RebuildChartSource, FailedMonthLeavesARowPerRecord) {
    const TextTable grid = MakeGrid({{"01.01.2026", "1", "2", "1", "", "", "", ""},
                                     {"01.02.2026", "2", "1e308", "1", "1", "", "", ""},
                                     {"02.02.2026", "3", "1e308", "1", "1", "", "", ""},
                                     {"01.03.2026", "4", "1", "1", "1", "", "", ""}});
    TextTable prepareGrid = StaleChartSource();
    EXPECT_THROW(RebuildChartSource(grid, prepareGrid, ChartBasis::Monat), Error);
    ExpectRows(prepareGrid, {HeaderRow(),
                             {"1", "01.2026", "1.0000", "2.0000", "1.0000", "0.0000", "0.0000",
                              "0.0000", "0.0000"},
                             // Number and key are written before the sums fail.
                             {"2", "02.2026"},
                             {}});
}

} // namespace
} // namespace spritlog
