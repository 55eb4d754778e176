#include "charts/chartviews.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace spritlog {

namespace {

const ChartView& ViewInfo(int view) {
    if (view < 1 || view > kChartViewCount)
        throw std::invalid_argument("chart view outside 1..7");
    return kChartViews[view - 1];
}

} // namespace

const char* ChartTabCaption(int tab) {
    if (tab == kStationTab)
        return "Tankstellen";
    return ViewInfo(tab + 1).name;
}

void SetUpChart(ChartControl& chart) {
    chart.setShowStatus(true);
    chart.setChart3D(true);
    chart.setGrid(3);
    chart.setPointType(0);
    chart.setChartOption(2, 25);
    chart.setAxisValue(3, 1.0);
    chart.setLegendWidth(250);
    chart.setWallWidth(2);
    chart.setDecimals(2);
    chart.setToolBar(true);
    chart.refresh();
}

void DrawChartSeries(ChartControl& chart, const ChartSeries& series) {
    const int32_t sent = static_cast<int32_t>(series.points.size());
    chart.openData(1, 2, series.transferCount());
    chart.setHText(series.name);
    chart.setTitleText(2, chart.hText());
    chart.setSeriesLegend(0, chart.hText());
    chart.setSeriesText(0, chart.hText());
    chart.setThisSerie(0);
    for (int32_t i = 0; i < sent; ++i)
        chart.setPointValue(static_cast<int16_t>(i), series.points[i]);
    const std::string average = kAverageSeriesName; // one text for all points
    for (int32_t i = 0; i < sent; ++i) {
        chart.setThisSerie(1);
        chart.setSeriesLegend(1, average);
        chart.setSeriesText(1, average);
        chart.setPointValue(static_cast<int16_t>(i), series.average);
    }
    chart.setAxisValue(0, series.axisMinimum);
    chart.setAxisValue(1, series.axisMaximum);
    chart.closeData(1);
    chart.refresh();
}

void ShowChart(ChartControl& chart, const ChartSource& prepareGrid, int view, int zoomIndex) {
    DrawChartSeries(chart, ChartSeriesOf(prepareGrid, view, zoomIndex));
}

} // namespace spritlog
