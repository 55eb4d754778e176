#pragma once

#include "analysis/chartsource.h"

#include <cstdint>
#include <string>
#include <vector>

namespace spritlog {

// What chart view 1..7 shows of a chart source PrepareGrid: the values of one column, their
// average and the value axis range, with the dates (or months) under the points.
struct ChartSeries {
    // The view's name: the chart's title and the name of series 0 (ASCII).
    std::string name;
    // The view's points, all of them: the source's rows from the view's first one on whose
    // cell holds a value.
    int32_t pointCount = 0;
    // Series 0: the values of the points the chart shows (at most the first 32768, as many
    // as a 16-bit point index can address).
    std::vector<double> points;
    // Series 1: the average of all pointCount values, the same at every point (0 without).
    double average = 0;
    // The value axis: from 0 ("100%") or the smallest value up to the largest, never below
    // 0. With no point at all it runs from 2147483647 to 0.
    double axisMinimum = 0;
    double axisMaximum = 0;
    // The date column (Windows-1252) under each of `points`, label i for point i.
    std::vector<std::string> labels;
    // Kilometres: the value axis shows whole numbers; litres and money keep their decimals.
    bool wholeNumbers = false;

    // How many points the chart shows.
    int32_t shownCount() const { return static_cast<int32_t>(points.size()); }
};

// The series of view 1..7 (std::invalid_argument otherwise) from `prepareGrid` with
// `zoomIndex` (0 "100%", anything else "Bereich"). A view without points is no error. Throws
// Error when the sum of the values leaves the double range.
ChartSeries ChartSeriesOf(const ChartSource& prepareGrid, int view, int zoomIndex);

} // namespace spritlog
