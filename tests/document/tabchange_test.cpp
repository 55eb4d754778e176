// The view selector's change on the chart page, the document's part: it calculates, then
// gives a chart view's series or builds the station table.
#include "document/logbookdocument.h"

#include "charts/chartviews.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

// Four records: KM-Stand 10000, 10500, 11000, 11500; Liter 40, 35, 30, 25; Literpreis 1.50,
// 1.40, 1.60, 1.55; dated in January, January, February, March.
LogbookDocument FourRecords() {
    LogbookDocument book;
    TextTable grid = book.table();
    grid.setRowCount(5);
    const char* dates[] = {"05.01.2026", "20.01.2026", "03.02.2026", "10.03.2026"};
    const char* km[] = {"10000", "10500", "11000", "11500"};
    const char* liter[] = {"40", "35", "30", "25"};
    const char* price[] = {"1.50", "1.40", "1.60", "1.55"};
    for (int r = 1; r <= 4; ++r) {
        grid.setCell(ColDatum, r, dates[r - 1]);
        grid.setCell(ColKmStand, r, km[r - 1]);
        grid.setCell(ColLiter, r, liter[r - 1]);
        grid.setCell(ColLiterpreis, r, price[r - 1]);
        grid.setCell(ColTankstelle, r, "Nord");
        grid.setCell(ColBenzin, r, "Super");
    }
    book.setTable(std::move(grid));
    return book;
}

TEST(DocumentTabChange, StationsThenChart) {
    LogbookDocument book = FourRecords();
    const TextTable& grid = book.table();

    book.calculateForChartPage();
    EXPECT_EQ(grid.cell(ColKm, 2), "500"); // derived values were recomputed
    const TextTable& info = book.rateStations();
    EXPECT_EQ(&info, &book.stationTable());
    ASSERT_EQ(info.rowCount(), 4);
    EXPECT_EQ(info.cell(1, 1), "Nord (Super)");
    EXPECT_EQ(info.cell(2, 1), "4");

    const ChartSeries series = book.chartSeries(1, 1);
    EXPECT_EQ(series.name, "KM-Stand");
    EXPECT_EQ(series.points, (std::vector<double>{10000, 10500, 11000, 11500}));
    EXPECT_EQ(series.labels,
              (std::vector<std::string>{"05.01.2026", "20.01.2026", "03.02.2026", "10.03.2026"}));
}

TEST(DocumentTabChange, SeriesFromTheChosenSource) {
    struct Case {
        const char* name;
        int tab;
        int chartBasis;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"per record, litres", 1, 0, {40, 35, 30, 25}},
        {"per month, litres", 1, 1, {75, 30, 25}},
        // 35, 30 and 25 l over 500 km each; the first record has no consumption.
        {"per record, consumption", 2, 0, {7, 6, 5}},
        {"per month, costs", 6, 1, {60 + 49, 48, 25 * 1.55}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogbookDocument book = FourRecords();
        book.setChartBasis(static_cast<ChartBasis>(c.chartBasis));
        book.calculateForChartPage();
        const ChartSeries series = book.chartSeries(c.tab + 1, 1);
        EXPECT_EQ(series.name, kChartViews[c.tab].name);
        EXPECT_EQ(series.points, c.values);
        EXPECT_EQ(book.stationTable().rowCount(), 1); // the station table is not built
    }
}

TEST(DocumentTabChange, CalculatingAloneLeavesTheStationTable) {
    LogbookDocument book = FourRecords();
    book.calculateForChartPage();
    EXPECT_EQ(book.table().cell(ColKm, 4), "500");
    EXPECT_EQ(book.chartSource().rowCount(), 5);
    EXPECT_EQ(book.stationTable().rowCount(), 1);
    EXPECT_FALSE(book.canUndo()); // no step of the history
}

TEST(DocumentTabChange, StopsWhenTheValuesFail) {
    LogbookDocument book = FourRecords();
    book.editCell({ColLiter, 3}, "1e308"); // too many litres for a consumption
    EXPECT_EQ(book.calculationError(), "Datensatz 3, Verbrauch: Wert zu gro\xDF.");
    try {
        book.calculateForChartPage();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Datensatz 3, Verbrauch: Wert zu gro\xDF.");
    }
    EXPECT_EQ(book.stationTable().rowCount(), 1); // the station table stays as it was
}

TEST(DocumentTabChange, ToStationsWithOneRecord) {
    LogbookDocument book = FourRecords();
    book.deleteRecord({ColDatum, 4});
    book.deleteRecord({ColDatum, 3});
    book.deleteRecord({ColDatum, 2});
    book.calculateForChartPage();
    const TextTable& info = book.rateStations();
    // The one record: no consumption of its own, 40 l at 1.50 EUR.
    EXPECT_EQ(info.cell(1, 1), "Nord (Super)");
    EXPECT_EQ(info.cell(1, 2), "Durchschnitt");
    EXPECT_EQ(info.cell(2, 2), "1");
    EXPECT_EQ(info.cell(3, 2), "");
    EXPECT_EQ(info.cell(4, 2), " 1.50");
    EXPECT_EQ(info.cell(5, 2), "60.00");
}

} // namespace
} // namespace spritlog
