#pragma once

#include "charts/chartseries.h"
#include "logbook/energies.h"

namespace spritlog {

// The view selector under the chart: tabs 0..6 are the chart views 1..7, each drawing one
// column of the chart source PrepareGrid; tab 7 shows the station table instead.
struct ChartView {
    const char* name; // tab caption, title and name of series 0 (ASCII)
    int column;       // PrepareGrid column drawn
    int firstRow;     // first PrepareGrid row drawn
    bool kilometres;  // whole numbers on the value axis
};
inline constexpr int kChartViewCount = 7;
// The litre views take their captions from the energy litres.
inline constexpr ChartView kChartViews[kChartViewCount] = {
    {"KM-Stand", 2, 1, true},
    {WordsOf(Energy::Litre).filledCaption, 3, 1, false},
    {WordsOf(Energy::Litre).consumptionCaption, 6, 2, false},
    {"KM-Interval", 5, 2, true},
    {"Kosten/KM", 7, 2, false},
    {WordsOf(Energy::Litre).priceCaption, 4, 1, false},
    {"Tankkosten", 8, 1, false},
};
inline constexpr int kStationTab = 7;
inline constexpr int kChartTabCount = 8;
inline constexpr const char* kAverageSeriesName = "Durchschnitt";

// Caption of tab 0..7.
const char* ChartTabCaption(int tab);

// Views 2, 3 and 6 show a figure of an energy: its quantities, consumption and prices.
bool IsEnergyView(int view);
// The name of view 1..7 in the words of `energy`.
const char* ChartViewName(int view, Energy energy);
// Views 2, 3 and 6 when they show several energies at once.
inline constexpr const char* kMixedViewNames[3] = {"Getankte Menge", "Verbrauch je 100 KM",
                                                   "Preis je Einheit"};
// Caption of tab 0..7 for a chart source: the words of its one energy, or the names of the
// views of several energies.
const char* ChartTabCaption(int tab, const ChartSource& source);

} // namespace spritlog
