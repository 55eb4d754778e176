#include "charts/chartseries.h"

#include "charts/chartviews.h"
#include "logbook/conventions.h"
#include "logbook/floatops.h"
#include "logbook/logbooktable.h"

#include <algorithm>

namespace spritlog {

namespace {

// The most points a chart can address with its 16-bit point indices.
constexpr int32_t kAddressablePoints = INT16_MAX + 1;

} // namespace

ChartSeries ChartSeriesOf(const TextTable& prepareGrid, int view, int zoomIndex) {
    ChartSeries series;
    series.pointCount = ChartPointCount(view, prepareGrid.rowCount());
    const ChartView& info = kChartViews[view - 1];
    series.name = info.name;
    series.wholeNumbers = info.kilometres;
    const int32_t n = series.pointCount;
    const int32_t addressable = std::clamp(n, 0, kAddressablePoints);
    series.points.reserve(addressable);
    series.labels.reserve(addressable);

    double sum = 0;
    double maximum = 0;
    double minimum = 2147483647.0;
    for (int32_t i = 0; i < n; ++i) {
        const double value = TextToNumber(prepareGrid.cell(info.column, i + info.firstRow));
        sum = Add(sum, value);
        maximum = MaxValue(maximum, value);
        minimum = zoomIndex == 0 ? 0.0 : MinValue(minimum, value);
        if (i < addressable) {
            series.points.push_back(value);
            series.labels.emplace_back(prepareGrid.cell(ColDatum, i + info.firstRow));
        }
    }
    // With no point this is 0 / 0 and fails.
    series.average = Divide(sum, n);
    series.axisMinimum = minimum;
    series.axisMaximum = maximum;
    return series;
}

} // namespace spritlog
