#pragma once

#include "charts/chartcontrol.h"
#include "logbook/texttable.h"

namespace spritlog {

// The view selector under the chart: tabs 0..6 are the chart views 1..7, each drawing one
// column of the chart source PrepareGrid; tab 7 shows the station table instead.
struct ChartView {
    const char* name; // tab caption, title and name of series 0 (ASCII)
    int column;       // PrepareGrid column drawn
    int firstRow;     // first PrepareGrid row drawn
};
inline constexpr int kChartViewCount = 7;
inline constexpr ChartView kChartViews[kChartViewCount] = {
    {"KM-Stand", 2, 1},  {"Getankte Liter", 3, 1}, {"Liter je 100 KM", 6, 2}, {"KM-Interval", 5, 2},
    {"Kosten/KM", 7, 2}, {"Literpreis", 4, 1},     {"Tankkosten", 8, 1},
};
inline constexpr int kStationTab = 7;
inline constexpr int kChartTabCount = 8;
inline constexpr const char* kAverageSeriesName = "Durchschnitt";

// Caption of tab 0..7.
const char* ChartTabCaption(int tab);

// The number of points of view 1..7 for a chart source of `prepareRows` rows; 0 or
// negative when the source has too few data rows.
int ChartPointCount(int view, int prepareRows);

// The start settings of the chart, once, before the window shows.
void SetUpChart(ChartControl& chart);

// What the chart views switch on the "Grafik" page.
class ChartPage {
public:
    virtual ~ChartPage() = default;
    virtual void setChartVisible(bool visible) = 0;       // p_chart
    virtual void setInfoVisible(bool visible) = 0;        // the station table p_Info
    virtual void setRadioGroupsEnabled(bool enabled) = 0; // "Grafik nach" and "Zoom"
};

// Draws view 1..7 from `prepareGrid`: series 0 the column's values, series 1 their average,
// the value axis from 0 ("100%", zoomIndex 0) or the smallest value (any other zoomIndex)
// up to the largest value, never below 0. `page`, when given, is told to show the chart
// before the final refresh.
// A view without points (N = 0) divides 0 by 0: Error "Invalid floating point operation"
// after the transfer was opened and series 0 written; the transfer stays open.
// Only points 0..32767 can be addressed: a longer series is sent as its first 32768
// points, while the average and the axis range still cover all of them.
void ShowChart(ChartControl& chart, const TextTable& prepareGrid, int view, int zoomIndex,
               ChartPage* page = nullptr);

} // namespace spritlog
