// CalculateValues on the document: the derived values, then the chart source in the shape
// of the chart basis.
#include "document/logbookdocument.h"

#include "logbook/errors.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using test::Record;

// Records of odometer, litres and price, dated 02.03.2026, 03.03.2026, ..., in the
// document's table.
void SetRecords(LogbookDocument& book, const std::vector<Record>& records) {
    book.setTable(test::EverydayLogbookOf({ColKmStand, ColLiter, ColLiterpreis}, records));
}

// Every cell of the logbook or of the chart source, row after row.
template <typename Table> std::vector<std::string> Cells(const Table& table) {
    std::vector<std::string> cells;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            cells.emplace_back(table.cell(c, r));
    return cells;
}

const std::vector<Record> kWorkedExample = {
    {"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}};

TEST(CalculateValues, FailedPassLeavesTheChartSource) {
    // Values beyond the range of numbers; an unreadable cell no longer ends the pass.
    const std::vector<std::vector<Record>> failing = {
        {{"10000", "40", "1.50"}, {"10500", "1e308", "1.40"}, {"11000", "30", "1.60"}},
        {{"10000", "1e308", "10"}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}},
    };
    for (ChartBasis basis : {ChartBasis::Eintrag, ChartBasis::Monat}) {
        for (const auto& records : failing) {
            SCOPED_TRACE(static_cast<int>(basis));
            LogbookDocument book;
            book.setChartBasis(basis);
            SetRecords(book, kWorkedExample);
            book.calculate();
            const std::vector<std::string> before = Cells(book.chartSource());
            SetRecords(book, records);
            EXPECT_THROW(book.calculate(), Error);
            EXPECT_EQ(Cells(book.chartSource()), before);
        }
    }
}

TEST(CalculateValues, RebuildsTheChartSourceFromTheNewValues) {
    LogbookDocument book;
    SetRecords(book, kWorkedExample);
    book.calculate();
    const TextTable& grid = book.table();
    const ChartSource& prepareGrid = book.chartSource();
    ASSERT_EQ(prepareGrid.columnCount(), kLogbookColumns);
    ASSERT_EQ(prepareGrid.rowCount(), 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < kLogbookColumns; ++c)
            EXPECT_EQ(prepareGrid.cell(c, r), grid.cell(c, r)) << c << "," << r;
    EXPECT_EQ(prepareGrid.cell(ColVerbrauch, 2), " 7.00");

    // Dates 02.03 .. 05.03 and 05.04: one month row, computed from the fresh cells.
    SetRecords(book, {{"1000", "40", "1.5"},
                      {"1500", "30", "1.5"},
                      {"2000", "20", "1.5"},
                      {"2500", "10", "1.5"},
                      {"3000", "10", "1.5"}});
    book.editCell({ColDatum, 5}, "05.04.2026");
    book.setChartBasis(ChartBasis::Monat);
    book.calculate();
    const ChartSource& months = book.chartSource();
    ASSERT_EQ(months.rowCount(), 3);
    EXPECT_EQ(months.cell(ColKm, 1), "1500.0000");
    // (6 + 4 + 2) / 3 litres per 100 km: the first record has no consumption.
    EXPECT_EQ(months.cell(ColVerbrauch, 1), "4.0000");
    EXPECT_EQ(months.cell(ColTankkosten, 1), "150.0000");
    // April, the current month: 10 l over 500 km.
    EXPECT_EQ(months.cell(ColVerbrauch, 2), "2.0000");
}

// The chart source is built only when asked for, and a table calculated before is not
// calculated again. Whatever changes the table in between, the chart source still shows the
// table as calculated, and the next calculation sees the change.
TEST(CalculateValues, ChangesAfterACalculationAreSeen) {
    struct Case {
        const char* name;
        std::function<void(LogbookDocument&)> change;
        bool recalculates; // a change of the records is calculated at once
    };
    const std::vector<Case> cases = {
        {"cell",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 3}, "11200");
         },
         true},
        {"undo", [](LogbookDocument& b) { b.undo(); }, true},
        {"numbers", [](LogbookDocument& b) { b.appendRecord(); }, true},
        {"heading", [](LogbookDocument& b) { b.setHeading(ColKm, "Strecke"); }, true},
        {"rule", [](LogbookDocument& b) { b.setFullTankIntervals(false); }, false},
        {"basis", [](LogbookDocument& b) { b.setChartBasis(ChartBasis::Monat); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogbookDocument book;
        SetRecords(book, kWorkedExample);
        book.editCell({ColNote1, 2}, std::string(kPartialWord));
        book.editCell({ColNumber, 1}, "7.");
        book.calculate();
        TextTable expected;
        RebuildChartSource(book.table(), expected, ChartBasis::Eintrag);
        c.change(book);
        if (c.recalculates)
            RebuildChartSource(book.table(), expected, ChartBasis::Eintrag);
        EXPECT_EQ(Cells(book.chartSource()), Cells(expected));

        book.calculate();
        LogbookDocument fresh;
        fresh.setFullTankIntervals(book.fullTankIntervals());
        fresh.setChartBasis(book.chartBasis());
        fresh.setTable(book.table());
        fresh.calculate();
        EXPECT_EQ(Cells(book.table()), Cells(fresh.table()));
        EXPECT_EQ(Cells(book.chartSource()), Cells(fresh.chartSource()));
    }
}

TEST(CalculateValues, ManyRecordsInLinearTime) {
    const int records = 300000;
    LogbookDocument book;
    TextTable grid = book.table();
    grid.setRowCount(records + 1);
    for (int r = 1; r <= records; ++r) {
        grid.setCell(ColDatum, r, r <= records / 2 ? "01.01.2026" : "01.02.2026");
        grid.setCell(ColKmStand, r, std::to_string(r * 100));
        grid.setCell(ColLiter, r, "5");
        grid.setCell(ColLiterpreis, r, "2");
    }
    book.setTable(std::move(grid));
    book.setChartBasis(ChartBasis::Monat);
    book.calculate();
    EXPECT_EQ(book.table().cell(ColVerbrauch, records - 1), " 5.00");
    EXPECT_EQ(book.table().cell(ColKm, records), "100");
    EXPECT_EQ(book.table().cell(ColVerbrauch, records), " 5.00");
    ASSERT_EQ(book.chartSource().rowCount(), 3);
    EXPECT_EQ(book.chartSource().cell(ColDatum, 1), "01.2026");
    EXPECT_EQ(book.chartSource().cell(ColLiter, 1), "750000.0000");
    book.setChartBasis(ChartBasis::Eintrag);
    book.calculate();
    EXPECT_EQ(book.chartSource().rowCount(), records + 1);
}

} // namespace
} // namespace spritlog
