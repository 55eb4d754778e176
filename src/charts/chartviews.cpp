#include "charts/chartviews.h"

#include "logbook/conventions.h"
#include "logbook/floatops.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace spritlog {

namespace {

const ChartView& ViewInfo(int view) {
    if (view < 1 || view > kChartViewCount)
        throw std::invalid_argument("chart view outside 1..7");
    return kChartViews[view - 1];
}

// The highest point index the control can address.
constexpr int32_t kLastAddressablePoint = INT16_MAX;

} // namespace

const char* ChartTabCaption(int tab) {
    if (tab == kStationTab)
        return "Tankstellen";
    return ViewInfo(tab + 1).name;
}

int ChartPointCount(int view, int prepareRows) {
    return prepareRows - ViewInfo(view).firstRow;
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

void ShowChart(ChartControl& chart, const TextTable& prepareGrid, int view, int zoomIndex,
               ChartPage* page) {
    const ChartView& info = ViewInfo(view);
    const int32_t n = ChartPointCount(view, prepareGrid.rowCount());
    // Points past the last index cannot be addressed; send the ones that can.
    const int32_t sent = std::min(n, kLastAddressablePoint + 1);

    chart.openData(1, 2, sent);
    chart.setHText(info.name);
    chart.setTitleText(2, chart.hText());
    chart.setSeriesLegend(0, chart.hText());
    chart.setSeriesText(0, chart.hText());
    chart.setThisSerie(0);

    double sum = 0;
    double maximum = 0;
    double minimum = 2147483647.0;
    for (int32_t i = 0; i < n; ++i) {
        const double value = TextToNumber(prepareGrid.cell(info.column, i + info.firstRow));
        sum = Add(sum, value);
        maximum = MaxValue(maximum, value);
        minimum = zoomIndex == 0 ? 0.0 : MinValue(minimum, value);
        if (i < sent)
            chart.setPointValue(static_cast<int16_t>(i), value);
    }

    // With no point this is 0 / 0 and fails; the transfer then stays open.
    const double average = Divide(sum, n);
    for (int32_t i = 0; i < sent; ++i) {
        chart.setThisSerie(1);
        chart.setSeriesLegend(1, kAverageSeriesName);
        chart.setSeriesText(1, kAverageSeriesName);
        chart.setPointValue(static_cast<int16_t>(i), average);
    }
    chart.setAxisValue(0, minimum);
    chart.setAxisValue(1, maximum);
    chart.closeData(1);
    if (page)
        page->setChartVisible(true);
    chart.refresh();
}

} // namespace spritlog
