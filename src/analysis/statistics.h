#pragma once

#include "logbook/fillups.h"
#include "logbook/texttable.h"

#include <array>
#include <string>

namespace spritlog {

// The texts of the value labels L1..L12: number text followed by its unit, " 7.00 L/100KM".
// A figure without values is the empty text: no number, no unit.
struct StatisticsLabels {
    std::array<std::string, 12> texts; // texts[k - 1] belongs to label Lk
    // The consumption figures the averages come from: complete intervals from full tank to
    // full tank, each once (every record with a consumption when counted per record).
    int intervals = 0;

    const std::string& label(int number) const { return texts.at(number - 1); }
};

// The sum of the non-empty cells of one column and how many there are.
struct ColumnTally {
    double sum = 0;
    int count = 0;
};

// Sums, counts, minima and maxima over the records that take part: what the statistics
// page, the statistics window and the reports build their figures from. Unreadable cells
// add 0; a cell takes part in an average, a minimum or a maximum when it is not empty.
// Records of grades in kg or kWh stay out of the litre figures (litres, consumption, price).
// From full tank to full tank, a partial fill-up's consumption is its interval's, counted
// once on the record that closes it. Throws Error naming the record where a sum overflows.
struct StatisticsSums {
    ColumnTally liter;
    ColumnTally tankkosten;
    ColumnTally verbrauch;
    ColumnTally km;
    ColumnTally literpreis;
    double minVerbrauch = 2147483647.0;
    double maxVerbrauch = 0;
    double maxLiter = 0;
    double maxKm = 0;
    int records = 0; // records taking part
    int first = 0;   // the first of them, 0 when none
    int last = 0;    // the last of them, 0 when none
};
// Whether the consumption cell of `record` enters the consumption figures under `rule`:
// from full tank to full tank a partial fill-up's interval is counted once, on the record
// that closes it, not on the partial fill-up.
bool ConsumptionCounts(const TextTable& grid, int record, ConsumptionRule rule);

StatisticsSums CollectStatistics(const TextTable& grid,
                                 ConsumptionRule rule = ConsumptionRule::FullTank);

// The twelve figures of the logbook `grid` (derived columns current), one set for every
// place that shows them. Sums and records cover the records taking part, the newest too;
// each average is taken over the cells that hold a value; L1 is the odometer of the last
// record taking part minus that of the first. Throws Error for an odometer cell that is no
// whole number (the last record is read first) and for an overflowing sum.
StatisticsLabels ComputeStatistics(const TextTable& grid,
                                   ConsumptionRule rule = ConsumptionRule::FullTank);

// The screen layout shared by the statistics page, the statistics window and the CLI:
// three groups, each a run of rows in screen order. Captions are Windows-1252.
struct StatisticsRow {
    int label;           // the label number k of Lk
    const char* caption; // the text left of the value
};
struct StatisticsGroup {
    const char* caption;
    int firstRow; // index into kStatisticsRows
    int rowCount;
};

inline constexpr StatisticsRow kStatisticsRows[12] = {
    {1, "Gefahrene KM:"},   {2, "Getankte Liter:"},      {3, "Tankkosten:"},
    {4, "Verbrauch:"},      {6, "Tankf\xFCllung:"},      {5, "Tankkosten:"},
    {7, "KM-Interval:"},    {8, "Kosten je Km:"},        {9, "Min Verbrauch:"},
    {10, "Max Verbrauch:"}, {11, "Max Tankf\xFCllung:"}, {12, "Max KM-Interval:"},
};

inline constexpr StatisticsGroup kStatisticsGroups[3] = {
    {"Aufrechnung", 0, 3},
    {"Durchschnitt", 3, 5},
    {"Rekorde", 8, 4},
};

} // namespace spritlog
