#include "analysis/chartsource.h"

#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <algorithm>
#include <string>
#include <vector>

namespace spritlog {
namespace {

// Columns 1 to 8 of a record, as the derived-values pass leaves them.
using test::Record;
const test::Columns kFigureColumns = {ColDatum, ColKmStand,   ColLiter,    ColLiterpreis,
                                      ColKm,    ColVerbrauch, ColKostenKm, ColTankkosten};

// The records with the usual headers, note headers of their own and the free-text cells filled;
// a record of empty texts only stays empty.
TextTable MakeGrid(const std::vector<Record>& records) {
    TextTable grid = test::EverydayLogbookOf(kFigureColumns, records);
    for (std::size_t r = 0; r < records.size(); ++r)
        if (std::all_of(records[r].begin(), records[r].end(),
                        [](const std::string& text) { return text.empty(); }))
            ClearRecord(grid, static_cast<int>(r) + 1);
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

TEST(RebuildChartSource, PerRecordCopiesTheRecordsTakingPart) {
    for (int records = 0; records <= 5; ++records) {
        SCOPED_TRACE(records);
        const TextTable grid =
            MakeGrid(std::vector<Record>(kFiveMonths.begin(), kFiveMonths.begin() + records));
        TextTable prepareGrid = StaleChartSource();
        RebuildChartSource(grid, prepareGrid, ChartBasis::Eintrag);
        // The header and every record, the newest too; without records the header alone.
        Rows expected;
        for (int r = 0; r <= records; ++r)
            expected.push_back(GridRow(grid, r));
        ExpectRows(prepareGrid, expected);
    }
    // Empty records are left out; the others keep their own numbers.
    const TextTable grid = MakeGrid({{}, kFiveMonths[0], {}, kFiveMonths[1], {}});
    TextTable prepareGrid = StaleChartSource();
    RebuildChartSource(grid, prepareGrid, ChartBasis::Eintrag);
    ExpectRows(prepareGrid, {GridRow(grid, 0), GridRow(grid, 2), GridRow(grid, 4)});
    EXPECT_EQ(prepareGrid.cell(ColNumber, 2), "4.");
}

// A gas record keeps its reading, distance and costs in the charts, not its kilograms.
TEST(RebuildChartSource, KilogramsStayOutOfTheLitreFigures) {
    TextTable grid = MakeGrid({kFiveMonths[0], kFiveMonths[1]});
    grid.setCell(ColBenzin, 2, "Erdgas (kg)");
    TextTable prepareGrid = StaleChartSource();
    RebuildChartSource(grid, prepareGrid, ChartBasis::Eintrag);
    for (int c : {ColLiter, ColLiterpreis, ColVerbrauch})
        EXPECT_EQ(prepareGrid.cell(c, 2), "") << c;
    EXPECT_EQ(prepareGrid.cell(ColKm, 2), "500");
    RebuildChartSource(grid, prepareGrid, ChartBasis::Monat);
    // January: the litres and price of record 1 alone, both records' costs.
    ExpectRows(prepareGrid, {HeaderRow(),
                             {"1", "01.2026", "10500.0000", "40.0000", "1.5000", "500.0000", "",
                              "9.8000", "109.0000"}});
}

// A plug-in hybrid with AdBlue, its derived cells given: two fills of petrol, three charges
// and one AdBlue record over two months. Columns 1 to 8, then the grade.
TextTable PlugInHybrid() {
    const std::vector<Record> records = {
        {"05.01.2026", "10000", "40", "1.80", "", "", "", "72.00"},
        {"10.01.2026", "10100", "10", "0.30", "100", "", "", "3.00"},
        {"20.01.2026", "10500", "12", "0.30", "400", " 3.00", " 0.90", "3.60"},
        {"03.02.2026", "11000", "30", "1.70", "500", " 3.00", " 5.10", "51.00"},
        {"15.02.2026", "11200", "8", "0.40", "200", " 2.00", " 0.80", "3.20"},
        {"20.02.2026", "11300", "5", "0.90", "100", "", "", "4.50"},
    };
    TextTable grid = MakeGrid(records);
    const char* grades[] = {"Super", "Strom", "Strom (kWh)", "Super", "Ladestrom", "AdBlue"};
    for (int r = 1; r <= 6; ++r)
        grid.setCell(ColBenzin, r, grades[r - 1]);
    return grid;
}

// Each energy's quantity, price and consumption stand in the rows of its own records (per
// record) or are summed and averaged over its own records of the month; the other columns
// are the same for every energy. The table holds the main energy's: three charges against
// two fills make it kWh.
TEST(ChartSource, EveryEnergyHasItsOwnFigures) {
    const TextTable grid = PlugInHybrid();
    struct Case {
        ChartBasis basis;
        int column;
        Energy energy;
        std::vector<std::string> cells; // rows 1..
    };
    const Energy litres = Energy::Litre;
    const Energy kwh = Energy::KilowattHour;
    // Worked by hand. January: 10 + 12 kWh at (0.30 + 0.30) / 2, one consumption 3.00; 40
    // litres at 1.80. February: 8 kWh at 0.40, consumption 2.00; 30 litres at 1.70, 3.00.
    const Case cases[] = {
        {ChartBasis::Eintrag, ColLiter, litres, {"40", "", "", "30", "", ""}},
        {ChartBasis::Eintrag, ColLiter, kwh, {"", "10", "12", "", "8", ""}},
        {ChartBasis::Eintrag, ColLiter, Energy::Kilogram, {"", "", "", "", "", ""}},
        {ChartBasis::Eintrag, ColVerbrauch, litres, {"", "", "", " 3.00", "", ""}},
        {ChartBasis::Eintrag, ColVerbrauch, kwh, {"", "", " 3.00", "", " 2.00", ""}},
        {ChartBasis::Eintrag, ColLiterpreis, kwh, {"", "0.30", "0.30", "", "0.40", ""}},
        {ChartBasis::Eintrag,
         ColTankkosten,
         litres,
         {"72.00", "3.00", "3.60", "51.00", "3.20", "4.50"}},
        {ChartBasis::Monat, ColLiter, litres, {"40.0000", "30.0000"}},
        {ChartBasis::Monat, ColLiter, kwh, {"22.0000", "8.0000"}},
        {ChartBasis::Monat, ColLiterpreis, litres, {"1.8000", "1.7000"}},
        {ChartBasis::Monat, ColLiterpreis, kwh, {"0.3000", "0.4000"}},
        {ChartBasis::Monat, ColVerbrauch, litres, {"", "3.0000"}},
        {ChartBasis::Monat, ColVerbrauch, kwh, {"3.0000", "2.0000"}},
        {ChartBasis::Monat, ColLiter, Energy::Kilogram, {"", ""}},
        // Costs of every record, AdBlue's too: 72 + 3 + 3.60 and 51 + 3.20 + 4.50.
        {ChartBasis::Monat, ColTankkosten, litres, {"78.6000", "58.7000"}},
        {ChartBasis::Monat, ColKm, kwh, {"500.0000", "800.0000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.column) + " " + std::to_string(static_cast<int>(c.energy)) +
                     (c.basis == ChartBasis::Monat ? " Monat" : " Eintrag"));
        const ChartSource source = ChartSource::Of(grid, c.basis);
        EXPECT_EQ(source.energy(), kwh);
        EXPECT_EQ(source.mix().count(), 2);
        EXPECT_EQ(source.mix().adBlue, 1);
        ASSERT_EQ(source.rowCount(), static_cast<int>(c.cells.size()) + 1);
        for (int r = 1; r < source.rowCount(); ++r) {
            EXPECT_EQ(source.cell(c.column, r, c.energy), c.cells[r - 1]) << "row " << r;
            if (c.energy == kwh) {
                EXPECT_EQ(source.cell(c.column, r), c.cells[r - 1]) << "row " << r;
            }
        }
    }
    // Rebuilt for litres, the table is what it was before kWh came: the litre figures alone.
    TextTable months;
    RebuildChartSource(grid, months, ChartBasis::Monat);
    EXPECT_EQ(months.cell(ColLiter, 1), "40.0000");
    EXPECT_EQ(months.cell(ColVerbrauch, 1), "");
}

// The source per record reads the logbook's cells without copying them, yet shows the
// logbook as it stood when it was built.
TEST(ChartSource, PerRecordKeepsTheLogbookAsItWas) {
    TextTable grid = MakeGrid({kFiveMonths[0], {}, kFiveMonths[1]});
    grid.setCell(ColBenzin, 3, "Erdgas (kg)");
    const ChartSource source = ChartSource::Of(grid, ChartBasis::Eintrag);
    const TextTable before = source.toTable();
    grid.setCell(ColKm, 3, "999");
    grid.setCell(ColBenzin, 3, "Super");
    grid.setCell(ColTankstelle, 1, std::string(40, 'x'));
    grid.setRowCount(2);
    ASSERT_EQ(source.rowCount(), 3);
    EXPECT_EQ(source.cell(ColKm, 2), "500");
    EXPECT_EQ(source.cell(ColLiter, 2), "");
    ExpectRows(source.toTable(), {GridRow(before, 0), GridRow(before, 1), GridRow(before, 2)});
    EXPECT_THROW((void)source.cell(ColKm, 3), std::out_of_range);
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

TEST(RebuildChartSource, PerMonthWritesEveryRunTheCurrentOneToo) {
    const std::vector<MonthCase> cases = {
        {"no records", {}, {}},
        {"one record",
         {kFiveMonths[0]},
         {{"1", "01.2026", "10000.0000", "40.0000", "1.5000", "0.0000", "", "", "60.0000"}}},
        // Worked by hand: January's price (1.50 + 1.40) / 2; its one consumption 7.00. February
        // (6 + 5) / 2 and (9.60 + 7.75) / 2; March has no consumption, so those cells stay
        // empty.
        {"five dates over three months",
         kFiveMonths,
         {{"1", "01.2026", "10500.0000", "75.0000", "1.4500", "500.0000", "7.0000", "9.8000",
           "109.0000"},
          {"2", "02.2026", "11400.0000", "50.0000", "1.5750", "900.0000", "5.5000", "8.6750",
           "79.0000"},
          {"3", "03.2026", "11900.0000", "25.0000", "1.5000", "500.0000", "", "", "0.0000"}}},
        {"all in one month",
         {{"01.05.2026", "100", "10", "1", "", "", "", "10"},
          {"11.05.2026", "200", "10", "1", "100", "10", "10", "10"},
          {"31.05.2026", "300", "10", "1", "100", "", "", ""}},
         {{"1", "05.2026", "300.0000", "30.0000", "1.0000", "200.0000", "10.0000", "10.0000",
           "20.0000"}}},
        {"a month that comes back is a new run",
         {{"01.01.2026", "100", "10", "1.2", "", "", "", ""},
          {"01.02.2026", "200", "20", "1.3", "100", "", "", ""},
          {"02.01.2026", "300", "30", "1.4", "100", "", "", ""},
          {"01.03.2026", "400", "40", "1.5", "100", "", "", ""}},
         {{"1", "01.2026", "100.0000", "10.0000", "1.2000", "0.0000", "", "", "0.0000"},
          {"2", "02.2026", "200.0000", "20.0000", "1.3000", "100.0000", "", "", "0.0000"},
          {"3", "01.2026", "300.0000", "30.0000", "1.4000", "100.0000", "", "", "0.0000"},
          {"4", "03.2026", "400.0000", "40.0000", "1.5000", "100.0000", "", "", "0.0000"}}},
        {"a date without leading zero has its own key",
         {{"06.12.2026", "100", "1", "1", "", "", "", ""},
          {"6.12.2026", "200", "2", "1", "100", "", "", ""},
          {"08.12.2026", "300", "3", "1", "100", "", "", ""}},
         {{"1", "12.2026", "100.0000", "1.0000", "1.0000", "0.0000", "", "", "0.0000"},
          {"2", "2.2026", "200.0000", "2.0000", "1.0000", "100.0000", "", "", "0.0000"},
          {"3", "12.2026", "300.0000", "3.0000", "1.0000", "100.0000", "", "", "0.0000"}}},
        // A malformed cell counts as 0 and as a value; an empty one is no value. The reading
        // is the last record's, not a sum.
        {"means over the cells that hold a value",
         {{"01.07.2026", "12000", "", "1.3", "", "", "", ""},
          {"15.07.2026", "12345", "20.5", "1.5", "345", "8,1", " 6.00", "abc"},
          {"20.07.2026", " 9", "5", "2", "", "", "", ""},
          {"01.08.2026", "12900", "1", "1", "555", "9", "9", "9"}},
         {{"1", "07.2026", "9.0000", "25.5000", "1.6000", "345.0000", "0.0000", "6.0000", "0.0000"},
          {"2", "08.2026", "12900.0000", "1.0000", "1.0000", "555.0000", "9.0000", "9.0000",
           "9.0000"}}},
        {"an empty record does not split a month",
         {{"01.07.2026", "12000", "10", "1.2", "", "", "", ""},
          {},
          {"15.07.2026", "12345", "20", "1.4", "345", " 6.00", "", ""},
          {}},
         {{"1", "07.2026", "12345.0000", "30.0000", "1.3000", "345.0000", "6.0000", "", "0.0000"}}},
        {"odd dates and empty dates",
         {{"", "1", "1", "1", "", "", "", ""},
          {"x", "2", "1", "1", "1", "", "", ""},
          {"1.1.2026", "3", "1", "1", "1", "", "", ""},
          {"2.1.2026", "4", "1", "1", "1", "", "", ""}},
         {{"1", "", "2.0000", "2.0000", "1.0000", "1.0000", "", "", "0.0000"},
          {"2", ".2026", "4.0000", "2.0000", "1.0000", "2.0000", "", "", "0.0000"}}},
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
    EXPECT_EQ(prepareGrid.rowCount(), 4);
    EXPECT_EQ(prepareGrid.cell(7, 1), "9.8000");
}

TEST(AggregateMonth, WritesOneRowFromARangeOfRecords) {
    const TextTable grid = MakeGrid(kFiveMonths);
    TextTable prepareGrid = StaleChartSource();
    AggregateMonth(grid, prepareGrid, {2, 3, 4}, 10);
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
        AggregateMonth(grid, prepareGrid, {1, 2}, 1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Datensatz 2, Liter: Summe zu gro\xDF.");
    }
}

TEST(RebuildChartSource, FailedMonthKeepsTheMonthsBeforeIt) {
    const TextTable grid = MakeGrid({{"01.01.2026", "1", "2", "1", "", "", "", ""},
                                     {"01.02.2026", "2", "1e308", "1", "1", "", "", ""},
                                     {"02.02.2026", "3", "1e308", "1", "1", "", "", ""},
                                     {"01.03.2026", "4", "1", "1", "1", "", "", ""}});
    TextTable prepareGrid = StaleChartSource();
    EXPECT_THROW(RebuildChartSource(grid, prepareGrid, ChartBasis::Monat), Error);
    ExpectRows(prepareGrid,
               {HeaderRow(),
                {"1", "01.2026", "1.0000", "2.0000", "1.0000", "0.0000", "", "", "0.0000"},
                // Number and key are written before the sums fail.
                {"2", "02.2026"}});
}

} // namespace
} // namespace spritlog
