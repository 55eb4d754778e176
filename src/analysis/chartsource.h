#pragma once

#include "logbook/texttable.h"

#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// Characters 4 to 10 of a date text: "06.12.2026" -> "12.2026".
std::string MonthKey(std::string_view dateText);

// Writes month row `out` of `prepareGrid` from the records `run` of `grid` (one month, in
// order): KM-Stand at its end, sums of KM, Liter and Tankkosten, means of Literpreis,
// Verbrauch and Kosten/Km over the cells that hold a value (empty without any).
void AggregateMonth(const TextTable& grid, TextTable& prepareGrid, const std::vector<int>& run,
                    int out);

// The shape of the chart source, the radio group "Grafik nach": one row per record or one
// per month. The values are the radio buttons' indices and the stored setting "Ansicht".
enum class ChartBasis { Eintrag = 0, Monat = 1 };

// The second half of CalculateValues: rebuilds the chart source in the shape `chartBasis`
// from the records taking part: per record the header and those records with their own
// numbers; per month one row per run of records in the same month, the current one too. Any
// other value leaves it as rows of empty cells.
void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, ChartBasis chartBasis);

} // namespace spritlog
