#include "charts/chartseries.h"

#include "charts/chartviews.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace spritlog {

namespace {

// The most points a chart can address with its 16-bit point indices.
constexpr int32_t kAddressablePoints = INT16_MAX + 1;

} // namespace

ChartSeries ChartSeriesOf(const ChartSource& prepareGrid, int view, int zoomIndex) {
    if (view < 1 || view > kChartViewCount)
        throw std::invalid_argument("chart view outside 1..7");
    ChartSeries series;
    const ChartView& info = kChartViews[view - 1];
    series.name = info.name;
    series.wholeNumbers = info.kilometres;

    // A row whose cell is empty has no point: it is neither drawn nor counted.
    double sum = 0;
    double maximum = 0;
    double minimum = 2147483647.0;
    for (int row = info.firstRow; row < prepareGrid.rowCount(); ++row) {
        const std::string_view text = prepareGrid.cell(info.column, row);
        if (text.empty())
            continue;
        const double value = TextToNumber(text);
        sum += value;
        if (!std::isfinite(sum))
            throw Error(std::string(info.name) + ": Summe zu gro\xDF.");
        maximum = MaxValue(maximum, value);
        minimum = zoomIndex == 0 ? 0.0 : MinValue(minimum, value);
        if (series.pointCount < kAddressablePoints) {
            series.points.push_back(value);
            series.labels.emplace_back(prepareGrid.cell(ColDatum, row));
        }
        ++series.pointCount;
    }
    if (series.pointCount > 0)
        series.average = sum / series.pointCount;
    series.axisMinimum = minimum;
    series.axisMaximum = maximum;
    return series;
}

} // namespace spritlog
