#include "charts/chartviews.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

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

TEST(ChartViews, TabCaptions) {
    EXPECT_STREQ(ChartTabCaption(0), "KM-Stand");
    EXPECT_STREQ(ChartTabCaption(6), "Tankkosten");
    EXPECT_STREQ(ChartTabCaption(kStationTab), "Tankstellen");
    EXPECT_THROW(ChartTabCaption(8), std::invalid_argument);
    EXPECT_THROW(ChartSeriesOf(ColumnSource(1, {"1"}), 8, 1), std::invalid_argument);
}

} // namespace
} // namespace spritlog
