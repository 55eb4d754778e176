#pragma once

#include "logbook/texttable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace spritlog {

// What chart view 1..7 shows of a chart source PrepareGrid: the values of one column, their
// average and the value axis range, with the dates (or months) under the points.
struct ChartSeries {
    // The view's name: title, HText and the name of series 0 (ASCII).
    std::string name;
    // The view's points, all of them; 0 or negative when the source has too few data rows.
    int32_t pointCount = 0;
    // Series 0: the values of the points the chart can address (16-bit indices, so at most
    // the first 32768).
    std::vector<double> points;
    // Series 1: the average of all pointCount values, the same at every point.
    double average = 0;
    // The value axis: from 0 ("100%") or the smallest value up to the largest, never below
    // 0. With no point at all it runs from 2147483647 to 0.
    double axisMinimum = 0;
    double axisMaximum = 0;
    // The date column (Windows-1252) under each of `points`, label i for point i.
    std::vector<std::string> labels;
    // Kilometres: the value axis shows whole numbers; litres and money keep their decimals.
    bool wholeNumbers = false;

    // The point count the chart control is told when the view is drawn: the points sent, or
    // the negative count of a source with too few data rows.
    int32_t transferCount() const {
        return pointCount < 0 ? pointCount : static_cast<int32_t>(points.size());
    }
};

// The series of view 1..7 (std::invalid_argument otherwise) from `prepareGrid` with
// `zoomIndex` (0 "100%", anything else "Bereich"). A view without points (pointCount 0)
// divides 0 by 0 for its average: Error "Invalid floating point operation".
ChartSeries ChartSeriesOf(const TextTable& prepareGrid, int view, int zoomIndex);

} // namespace spritlog
