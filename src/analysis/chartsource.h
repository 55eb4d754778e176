#pragma once

#include "../logbook/texttable.h"

#include <string>
#include <string_view>

namespace spritlog {

// Characters 4 to 10 of a date text: "06.12.2026" -> "12.2026".
std::string MonthKey(std::string_view dateText);

// Writes month row `out` of `prepareGrid` from records `first`..`last` of `grid`.
void AggregateMonth(const TextTable& grid, TextTable& prepareGrid, int first, int last, int out);

// The second half of CalculateValues: rebuilds the chart source per record
// (chartBasis 0) or per month (1).
void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, int chartBasis);

} // namespace spritlog
