#include "charts/chartseries.h"

#include "charts/chartviews.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace spritlog {

namespace {

// The most points a chart can address with its 16-bit point indices.
constexpr int32_t kAddressablePoints = INT16_MAX + 1;

const ChartView& ViewInfo(int view) {
    if (view < 1 || view > kChartViewCount)
        throw std::invalid_argument("chart view outside 1..7");
    return kChartViews[view - 1];
}

// The values of `view` of `energy`, with the date under each point shown or, for a line of
// several, its source row.
ChartSeries Collect(const ChartSource& source, int view, int zoomIndex, Energy energy,
                    std::vector<int>* rows) {
    const ChartView& info = ViewInfo(view);
    ChartSeries series;
    series.name = ChartViewName(view, energy);
    series.wholeNumbers = info.kilometres;

    // A row whose cell is empty has no point: it is neither drawn nor counted.
    double sum = 0;
    double maximum = 0;
    double minimum = 2147483647.0;
    for (int row = info.firstRow; row < source.rowCount(); ++row) {
        const std::string_view text = source.cell(info.column, row, energy);
        if (text.empty())
            continue;
        const double value = TextToNumber(text);
        sum += value;
        if (!std::isfinite(sum))
            throw Error(series.name + ": Summe zu gro\xDF.");
        maximum = MaxValue(maximum, value);
        minimum = zoomIndex == 0 ? 0.0 : MinValue(minimum, value);
        if (series.pointCount < kAddressablePoints) {
            series.points.push_back(value);
            if (rows)
                rows->push_back(row);
            else
                series.labels.emplace_back(source.cell(ColDatum, row));
        }
        ++series.pointCount;
    }
    if (series.pointCount > 0)
        series.average = sum / series.pointCount;
    series.axisMinimum = minimum;
    series.axisMaximum = maximum;
    return series;
}

// The unit after a value of `view` in the words of `energy`: the value axis's title.
const char* UnitOf(int view, Energy energy) {
    const EnergyWords& words = WordsOf(energy);
    return view == 2 ? words.quantity : view == 3 ? words.consumption : words.price;
}

// One line per energy present, over the rows where any of them has a point.
ChartSeries EnergyLines(const ChartSource& source, int view, int zoomIndex) {
    ChartSeries series;
    series.name = ChartTabCaption(view - 1, source);
    std::vector<std::vector<int>> lineRows;
    std::vector<int> axisRows;
    for (int e = 0; e < kEnergies; ++e) {
        if (source.mix().records[e] == 0)
            continue;
        const auto energy = static_cast<Energy>(e);
        std::vector<int> rows;
        const ChartSeries one = Collect(source, view, zoomIndex, energy, &rows);
        ChartLine line;
        line.energy = energy;
        line.name = WordsOf(energy).legend;
        line.averageName = std::string(kAverageSeriesName) + " " + WordsOf(energy).quantity;
        line.pointCount = one.pointCount;
        line.points = one.points;
        line.average = one.average;
        line.axisMinimum = one.axisMinimum;
        line.axisMaximum = one.axisMaximum;
        // The first energy on the left axis, the others on the right one.
        line.valueAxis = series.lines.empty() ? 0 : 1;
        std::string& title = series.axisTitles[line.valueAxis];
        title += (title.empty() ? "" : ", ") + std::string(UnitOf(view, energy));
        series.lines.push_back(std::move(line));
        axisRows.insert(axisRows.end(), rows.begin(), rows.end());
        lineRows.push_back(std::move(rows));
    }
    std::sort(axisRows.begin(), axisRows.end());
    axisRows.erase(std::unique(axisRows.begin(), axisRows.end()), axisRows.end());
    if (axisRows.size() > static_cast<std::size_t>(kAddressablePoints))
        axisRows.resize(kAddressablePoints);
    for (int row : axisRows)
        series.labels.emplace_back(source.cell(ColDatum, row));

    // Each point at the position of its row; points beyond the last position stay out.
    for (std::size_t l = 0; l < series.lines.size(); ++l) {
        ChartLine& line = series.lines[l];
        std::size_t kept = 0;
        for (std::size_t i = 0; i < lineRows[l].size(); ++i) {
            const auto at = std::lower_bound(axisRows.begin(), axisRows.end(), lineRows[l][i]);
            if (at == axisRows.end() || *at != lineRows[l][i])
                break;
            line.positions.push_back(static_cast<int32_t>(at - axisRows.begin()));
            line.points[kept++] = line.points[i];
        }
        line.points.resize(kept);
    }
    return series;
}

} // namespace

ChartSeries ChartSeriesOf(const ChartSource& prepareGrid, int view, int zoomIndex) {
    return ChartSeriesOf(prepareGrid, view, zoomIndex, prepareGrid.energy());
}

ChartSeries ChartSeriesOf(const ChartSource& prepareGrid, int view, int zoomIndex, Energy energy) {
    return Collect(prepareGrid, view, zoomIndex, energy, nullptr);
}

ChartSeries ChartViewOf(const ChartSource& prepareGrid, int view, int zoomIndex) {
    if (IsEnergyView(view) && prepareGrid.mix().count() > 1)
        return EnergyLines(prepareGrid, view, zoomIndex);
    return ChartSeriesOf(prepareGrid, view, zoomIndex);
}

} // namespace spritlog
