#pragma once

#include "analysis/chartsource.h"

#include "logbook/energies.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace spritlog {

// One energy's line in a view of several (the quantities, consumption and prices of a
// logbook with several energies): its values where its records have one, and their average.
struct ChartLine {
    Energy energy = Energy::Litre;
    std::string name;        // legend of the values, energy and unit: "Strom (kWh)"
    std::string averageName; // legend of the average: "Durchschnitt kWh"
    int32_t pointCount = 0;  // all its points, as ChartSeries::pointCount
    std::vector<double> points;
    // Where each of `points` stands on the point axis: an index into ChartSeries::labels.
    std::vector<int32_t> positions;
    double average = 0;
    // This line's value range, by the rules of ChartSeries.
    double axisMinimum = 0;
    double axisMaximum = 0;
    int valueAxis = 0; // 0 the left value axis, 1 the right one
};

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
    // A view of several energies: one line per energy (in the order litres, kg, kWh), each
    // with its own average, over the point axis `labels` (one label a position), in place
    // of `points` and `average`, which stay empty. The value axes' titles name the units of
    // their lines; the right one is empty when no line uses it.
    std::vector<ChartLine> lines;
    std::array<std::string, 2> axisTitles;

    // How many points the chart shows.
    int32_t shownCount() const { return static_cast<int32_t>(points.size()); }
};

// The series of view 1..7 (std::invalid_argument otherwise) from `prepareGrid` with
// `zoomIndex` (0 "100%", anything else "Bereich"), of the source's main energy. A view
// without points is no error. Throws Error when the sum of the values leaves the double
// range.
ChartSeries ChartSeriesOf(const ChartSource& prepareGrid, int view, int zoomIndex);
// The same with the quantities, prices and consumption of `energy` alone, named in its
// words (views 2, 3 and 6; the other views are the same for every energy).
ChartSeries ChartSeriesOf(const ChartSource& prepareGrid, int view, int zoomIndex, Energy energy);
// What the page "Grafik" shows: in a logbook of several energies views 2, 3 and 6 draw one
// line per energy (ChartSeries::lines), every other view is ChartSeriesOf.
ChartSeries ChartViewOf(const ChartSource& prepareGrid, int view, int zoomIndex);

} // namespace spritlog
