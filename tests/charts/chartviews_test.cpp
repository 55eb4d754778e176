#include "charts/chartviews.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace spritlog {
namespace {

// A chart source with the given data rows; each row gives columns 2..8.
TextTable ChartSource(const std::vector<std::vector<std::string>>& rows) {
    TextTable source(kLogbookColumns, static_cast<int>(rows.size()) + 1);
    for (int r = 1; r <= static_cast<int>(rows.size()); ++r)
        for (int i = 0; i < static_cast<int>(rows[r - 1].size()); ++i)
            source.setCell(2 + i, r, rows[r - 1][i]);
    return source;
}

// One column of values in the column of `view`, one data row each.
TextTable ColumnSource(int view, const std::vector<std::string>& values) {
    TextTable source(kLogbookColumns, static_cast<int>(values.size()) + 1);
    for (int r = 1; r <= static_cast<int>(values.size()); ++r)
        source.setCell(kChartViews[view - 1].column, r, values[r - 1]);
    return source;
}

TEST(ChartSeries, WhatTheChartIsGiven) {
    const TextTable source = ChartSource({{"10000"}, {"10500"}, {"11000"}});
    const ChartSeries series = ChartSeriesOf(source, 1, 1);
    EXPECT_EQ(series.name, "KM-Stand");
    EXPECT_EQ(series.pointCount, 3);
    EXPECT_EQ(series.shownCount(), 3);
    EXPECT_EQ(series.points, (std::vector<double>{10000, 10500, 11000}));
    EXPECT_EQ(series.average, 10500);
    EXPECT_EQ(series.axisMinimum, 10000);
    EXPECT_EQ(series.axisMaximum, 11000);
    EXPECT_TRUE(series.wholeNumbers);
    // No dates in this source: one empty label a point.
    EXPECT_EQ(series.labels, (std::vector<std::string>(3)));
}

TEST(ChartViews, ViewsReadTheirColumnAndRows) {
    // Data rows 1..3; column c of row r holds c * 100 + r.
    std::vector<std::vector<std::string>> rows;
    for (int r = 1; r <= 3; ++r) {
        std::vector<std::string> row;
        for (int c = 2; c <= 8; ++c)
            row.push_back(std::to_string(c * 100 + r));
        rows.push_back(row);
    }
    const TextTable source = ChartSource(rows);

    struct Case {
        int view;
        const char* name;
        std::vector<double> values;
    };
    const Case cases[] = {
        {1, "KM-Stand", {201, 202, 203}},   {2, "Getankte Liter", {301, 302, 303}},
        {3, "Liter je 100 KM", {602, 603}}, {4, "KM-Interval", {502, 503}},
        {5, "Kosten/KM", {702, 703}},       {6, "Literpreis", {401, 402, 403}},
        {7, "Tankkosten", {801, 802, 803}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChartSeries series = ChartSeriesOf(source, c.view, 1);
        const int n = static_cast<int>(c.values.size());
        EXPECT_EQ(series.pointCount, n);
        EXPECT_EQ(series.points, c.values);
        double sum = 0;
        for (double v : c.values)
            sum += v;
        EXPECT_EQ(series.average, sum / n);
        EXPECT_EQ(series.name, c.name);
        EXPECT_EQ(series.wholeNumbers, c.view == 1 || c.view == 4);
        EXPECT_EQ(series.axisMinimum, c.values.front());
        EXPECT_EQ(series.axisMaximum, c.values.back());
        EXPECT_EQ(ChartTabCaption(c.view - 1), std::string(c.name));
    }
    EXPECT_STREQ(ChartTabCaption(kStationTab), "Tankstellen");
}

TEST(ChartSeries, AxisRange) {
    struct Case {
        const char* name;
        int view;
        int zoom;
        std::vector<std::string> cells;
        double minimum, maximum, average;
    };
    const Case cases[] = {
        {"100%: from 0", 2, 0, {"5", "3", "8"}, 0, 8, 16.0 / 3},
        {"Bereich: from the smallest value", 2, 1, {"5", "3", "8"}, 3, 8, 16.0 / 3},
        {"no selection counts as Bereich", 2, -1, {"5", "3", "8"}, 3, 8, 16.0 / 3},
        {"all negative: maximum stays 0", 6, 1, {"-5", "-3.5"}, -5, 0, -4.25},
        {"all negative, 100%", 6, 0, {"-5", "-3.5"}, 0, 0, -4.25},
        {"empty cell is no point", 7, 1, {"5", "", "8"}, 5, 8, 6.5},
        {"views 3 to 5 skip the first row, then empty cells", 3, 1, {"9", "7", "", "6"}, 6, 7, 6.5},
        {"unparsable cell is 0", 7, 1, {"5", "5,5", "8"}, 0, 8, 13.0 / 3},
        {"month source texts",
         1,
         1,
         {"12345.0000", "13000.5000"},
         12345,
         13000.5,
         (12345 + 13000.5) / 2},
        {"first data row left out", 4, 1, {"1", "400", "600"}, 400, 600, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChartSeries series = ChartSeriesOf(ColumnSource(c.view, c.cells), c.view, c.zoom);
        EXPECT_EQ(series.axisMinimum, c.minimum);
        EXPECT_EQ(series.axisMaximum, c.maximum);
        EXPECT_DOUBLE_EQ(series.average, c.average);
    }
}

TEST(ChartSeries, WorkedByHand) {
    // Three months: Datum, KM-Stand, Liter, Literpreis, KM, Liter je 100 KM, Kosten/KM,
    // Tankkosten.
    const std::vector<std::vector<std::string>> rows = {
        {"01.2026", "10000", "40", "1.50", "", "", "", "60"},
        {"02.2026", "10500", "35", "1.40", "500", "7", "0.098", "49"},
        {"03.2026", "11000", "30", "1.60", "500", "6", "0.096", "48"},
    };
    TextTable source(kLogbookColumns, 4);
    for (int r = 1; r <= 3; ++r)
        for (int i = 0; i < 8; ++i)
            source.setCell(ColDatum + i, r, rows[r - 1][i]);

    using Labels = std::vector<std::string>;
    struct Case {
        int view;
        int zoom;
        std::vector<double> points;
        double average, minimum, maximum;
        Labels labels;
    };
    const Labels all = {"01.2026", "02.2026", "03.2026"};
    const Labels fromFebruary = {"02.2026", "03.2026"};
    const Case cases[] = {
        {1, 1, {10000, 10500, 11000}, 10500, 10000, 11000, all},
        {2, 0, {40, 35, 30}, 35, 0, 40, all},
        {3, 1, {7, 6}, 6.5, 6, 7, fromFebruary},
        {4, 0, {500, 500}, 500, 0, 500, fromFebruary},
        {6, 1, {1.5, 1.4, 1.6}, 1.5, 1.4, 1.6, all},
        {7, 1, {60, 49, 48}, 157.0 / 3, 48, 60, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view);
        const ChartSeries series = ChartSeriesOf(source, c.view, c.zoom);
        EXPECT_EQ(series.name, kChartViews[c.view - 1].name);
        EXPECT_EQ(series.pointCount, static_cast<int32_t>(c.points.size()));
        EXPECT_EQ(series.shownCount(), series.pointCount);
        EXPECT_EQ(series.points, c.points);
        EXPECT_DOUBLE_EQ(series.average, c.average);
        EXPECT_EQ(series.axisMinimum, c.minimum);
        EXPECT_EQ(series.axisMaximum, c.maximum);
        EXPECT_EQ(series.labels, c.labels);
    }
}

TEST(ChartSeries, NoPointIsNoError) {
    struct Case {
        int view;
        std::vector<std::string> cells;
    };
    const Case cases[] = {{1, {}}, {7, {}}, {3, {"7"}}, {5, {"7"}}, {4, {}}, {2, {"", ""}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view);
        const TextTable source = ColumnSource(c.view, c.cells);
        for (int zoom : {0, 1}) {
            const ChartSeries series = ChartSeriesOf(source, c.view, zoom);
            EXPECT_EQ(series.name, kChartViews[c.view - 1].name);
            EXPECT_EQ(series.pointCount, 0);
            EXPECT_TRUE(series.points.empty());
            EXPECT_TRUE(series.labels.empty());
            EXPECT_EQ(series.average, 0);
            EXPECT_EQ(series.axisMinimum, 2147483647.0);
            EXPECT_EQ(series.axisMaximum, 0);
        }
    }
}

TEST(ChartSeries, OnlyAddressablePointsAreShown) {
    // 32770 points: the last two cannot be addressed with a 16-bit index.
    std::vector<std::string> cells(32770, "1");
    cells.back() = "32771";
    const ChartSeries series = ChartSeriesOf(ColumnSource(1, cells), 1, 1);

    EXPECT_EQ(series.pointCount, 32770);
    EXPECT_EQ(series.shownCount(), 32768);
    EXPECT_EQ(series.points.size(), 32768u);
    EXPECT_EQ(series.labels.size(), 32768u);
    // Average and range still cover every point.
    EXPECT_EQ(series.average, (32769.0 + 32771.0) / 32770.0);
    EXPECT_EQ(series.axisMaximum, 32771);
    EXPECT_EQ(series.axisMinimum, 1);
}

// The chart source class (the helper ChartSource above makes a table by hand).
using Source = ::spritlog::ChartSource;

// A logbook with its derived cells given: Datum, KM-Stand, quantity, price, KM, consumption,
// cost per km, cost and grade.
TextTable Logbook(const std::vector<test::Record>& records) {
    return test::LogbookOf({ColDatum, ColKmStand, ColLiter, ColLiterpreis, ColKm, ColVerbrauch,
                            ColKostenKm, ColTankkosten, ColBenzin},
                           records);
}

// A plug-in hybrid: two fills of petrol, three charges, one AdBlue record.
const std::vector<test::Record> kPlugInHybrid = {
    {"05.01.2026", "10000", "40", "1.80", "", "", "", "72.00", "Super"},
    {"10.01.2026", "10100", "10", "0.30", "100", "", "", "3.00", "Strom"},
    {"20.01.2026", "10500", "12", "0.30", "400", " 3.00", " 0.90", "3.60", "Strom"},
    {"03.02.2026", "11000", "30", "1.70", "500", " 3.00", " 5.10", "51.00", "Super"},
    {"15.02.2026", "11200", "8", "0.40", "200", " 2.00", " 0.80", "3.20", "Strom"},
    {"20.02.2026", "11300", "5", "0.90", "100", "", "", "4.50", "AdBlue"},
};

// Views 2, 3 and 6 draw one line per energy, each at the positions of its own records on a
// point axis of the rows where any energy has a point; AdBlue is in no line.
TEST(ChartViews, OneLinePerEnergy) {
    using Labels = std::vector<std::string>;
    struct Line {
        std::vector<double> points;
        std::vector<int32_t> positions;
        double average, minimum, maximum;
    };
    struct Case {
        int view;
        ChartBasis basis;
        const char* name;
        Labels labels;
        std::array<std::string, 2> titles;
        Line litres, kwh;
    };
    // Worked by hand from the records above; per month January has 10 + 12 kWh at 0.30 and
    // 40 litres at 1.80, February 8 kWh at 0.40 and 30 litres at 1.70.
    const Case cases[] = {
        {2,
         ChartBasis::Eintrag,
         "Getankte Menge",
         {"05.01.2026", "10.01.2026", "20.01.2026", "03.02.2026", "15.02.2026"},
         {"Liter", "kWh"},
         {{40, 30}, {0, 3}, 35, 30, 40},
         {{10, 12, 8}, {1, 2, 4}, 10, 8, 12}},
        // The first data row is left out; the first charge has no consumption.
        {3,
         ChartBasis::Eintrag,
         "Verbrauch je 100 KM",
         {"20.01.2026", "03.02.2026", "15.02.2026"},
         {"L/100KM", "kWh/100KM"},
         {{3}, {1}, 3, 3, 3},
         {{3, 2}, {0, 2}, 2.5, 2, 3}},
        {6,
         ChartBasis::Monat,
         "Preis je Einheit",
         {"01.2026", "02.2026"},
         {"EUR/L", "EUR/kWh"},
         {{1.8, 1.7}, {0, 1}, 1.75, 1.7, 1.8},
         {{0.3, 0.4}, {0, 1}, 0.35, 0.3, 0.4}},
        {2,
         ChartBasis::Monat,
         "Getankte Menge",
         {"01.2026", "02.2026"},
         {"Liter", "kWh"},
         {{40, 30}, {0, 1}, 35, 30, 40},
         {{22, 8}, {0, 1}, 15, 8, 22}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Source source = Source::Of(Logbook(kPlugInHybrid), c.basis);
        EXPECT_STREQ(ChartTabCaption(c.view - 1, source), c.name);
        const ChartSeries series = ChartViewOf(source, c.view, 1);
        EXPECT_EQ(series.name, c.name);
        EXPECT_EQ(series.labels, c.labels);
        EXPECT_EQ(series.axisTitles, c.titles);
        EXPECT_TRUE(series.points.empty());
        ASSERT_EQ(series.lines.size(), 2u);
        const Line* want[] = {&c.litres, &c.kwh};
        const char* names[] = {"Kraftstoff (Liter)", "Strom (kWh)"};
        const char* averages[] = {"Durchschnitt Liter", "Durchschnitt kWh"};
        for (int l = 0; l < 2; ++l) {
            const ChartLine& line = series.lines[l];
            EXPECT_EQ(line.name, names[l]);
            EXPECT_EQ(line.averageName, averages[l]);
            EXPECT_EQ(line.valueAxis, l);
            EXPECT_EQ(line.pointCount, static_cast<int32_t>(want[l]->points.size()));
            ASSERT_EQ(line.points.size(), want[l]->points.size());
            for (std::size_t i = 0; i < line.points.size(); ++i)
                EXPECT_DOUBLE_EQ(line.points[i], want[l]->points[i]) << l << " " << i;
            EXPECT_EQ(line.positions, want[l]->positions);
            EXPECT_DOUBLE_EQ(line.average, want[l]->average);
            EXPECT_DOUBLE_EQ(line.axisMinimum, want[l]->minimum);
            EXPECT_DOUBLE_EQ(line.axisMaximum, want[l]->maximum);
        }
    }
}

// One energy's series, in its words; the views of all records are the same for every energy.
TEST(ChartViews, OneEnergysSeries) {
    const std::vector<test::Record> electric = {
        {"01.03.2026", "20000", "30", "0.30", "", "", "", "9.00", "Strom"},
        {"15.03.2026", "20200", "36", "0.35", "200", "18.00", " 6.30", "12.60", "Strom"},
        {"30.03.2026", "20500", "45", "0.40", "300", "15.00", " 6.00", "18.00", "Strom"},
    };
    struct Case {
        const char* name;
        const std::vector<test::Record>& records;
        int view;
        std::optional<Energy> energy; // none: ChartViewOf
        std::vector<double> points;
        double average;
    };
    const Case cases[] = {
        {"Geladene kWh", electric, 2, std::nullopt, {30, 36, 45}, 37},
        {"kWh je 100 KM", electric, 3, std::nullopt, {18, 15}, 16.5},
        {"Preis je kWh", electric, 6, std::nullopt, {0.30, 0.35, 0.40}, 0.35},
        {"Tankkosten", electric, 7, std::nullopt, {9, 12.6, 18}, 13.2},
        // The hybrid's main energy is kWh (three charges, two fills).
        {"Geladene kWh", kPlugInHybrid, 2, Energy::KilowattHour, {10, 12, 8}, 10},
        {"Getankte Liter", kPlugInHybrid, 2, Energy::Litre, {40, 30}, 35},
        {"Liter je 100 KM", kPlugInHybrid, 3, Energy::Litre, {3}, 3},
        {"Getankte kg", kPlugInHybrid, 2, Energy::Kilogram, {}, 0},
        {"Tankkosten", kPlugInHybrid, 7, Energy::Litre, {72, 3, 3.6, 51, 3.2, 4.5}, 137.3 / 6},
        {"Tankkosten", kPlugInHybrid, 7, std::nullopt, {72, 3, 3.6, 51, 3.2, 4.5}, 137.3 / 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.view));
        const Source source = Source::Of(Logbook(c.records), ChartBasis::Eintrag);
        const ChartSeries series =
            c.energy ? ChartSeriesOf(source, c.view, 1, *c.energy) : ChartViewOf(source, c.view, 1);
        EXPECT_EQ(series.name, c.name);
        EXPECT_TRUE(series.lines.empty());
        ASSERT_EQ(series.points.size(), c.points.size());
        for (std::size_t i = 0; i < c.points.size(); ++i)
            EXPECT_DOUBLE_EQ(series.points[i], c.points[i]) << i;
        EXPECT_NEAR(series.average, c.average, 1e-12);
        if (!c.energy) {
            EXPECT_STREQ(ChartTabCaption(c.view - 1, source), c.name);
        }
    }
    // Without an energy named, the main one's.
    const Source hybrid = Source::Of(Logbook(kPlugInHybrid), ChartBasis::Eintrag);
    EXPECT_EQ(ChartSeriesOf(hybrid, 2, 1).name, "Geladene kWh");
    // A logbook of litres keeps the captions it always had.
    const Source petrol = Source::Of(Logbook({kPlugInHybrid[0]}), ChartBasis::Eintrag);
    for (int tab = 0; tab < kChartTabCount; ++tab)
        EXPECT_STREQ(ChartTabCaption(tab, petrol), ChartTabCaption(tab));
}

TEST(ChartViews, TabCaptions) {
    EXPECT_STREQ(ChartTabCaption(0), "KM-Stand");
    EXPECT_STREQ(ChartTabCaption(6), "Tankkosten");
    EXPECT_STREQ(ChartTabCaption(kStationTab), "Tankstellen");
    EXPECT_THROW(ChartTabCaption(8), std::invalid_argument);
    EXPECT_THROW(ChartSeriesOf(ColumnSource(1, {"1"}), 8, 1), std::invalid_argument);
}

} // namespace
} // namespace spritlog
