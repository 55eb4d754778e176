#pragma once

#include "logbook/texttable.h"

#include <array>
#include <string>

namespace spritlog {

// The two places that show the statistics. They differ only in the divisor of the average
// consumption (and so of the cost per km): the page divides by n - 2, the window by n - 1.
enum class StatisticsTarget { Page, Window };

// The texts of the value labels L1..L12: number text followed by its unit, " 7.00 L/100KM".
struct StatisticsLabels {
    std::array<std::string, 12> texts; // texts[k - 1] belongs to label Lk

    const std::string& label(int number) const { return texts.at(number - 1); }
};

// Sums, minima and maxima of records 1..lastRecord: what the statistics page, the statistics
// window and the HTML report build their figures from. Empty or unreadable cells add 0; a
// cell takes part in a minimum or maximum when it is not empty. Throws Error on an
// overflowing sum.
struct StatisticsSums {
    double liter = 0;
    double tankkosten = 0;
    double verbrauch = 0;
    double km = 0;
    double literpreis = 0;
    double minVerbrauch = 2147483647.0;
    double maxVerbrauch = 0;
    double maxLiter = 0;
    double maxKm = 0;
};
StatisticsSums CollectStatistics(const TextTable& grid, int lastRecord);

// The twelve figures of the logbook `grid` (n = RecordCount >= 3; the callers show the
// too-few notice otherwise and std::invalid_argument guards the rest). Sums, minima and
// maxima cover records 1..n-1; L1 is the odometer of record n minus that of record 1.
// Throws Error for an odometer cell that is no integer text (record n is read first) and
// for an overflowing sum; no label text is produced then.
StatisticsLabels ComputeStatistics(const TextTable& grid, StatisticsTarget target);

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
