#pragma once

#include "logbook/texttable.h"

#include <string>
#include <string_view>

namespace spritlog {

// Characters 4 to 10 of a date text: "06.12.2026" -> "12.2026".
std::string MonthKey(std::string_view dateText);

// Writes month row `out` of `prepareGrid` from records `first`..`last` of `grid`.
void AggregateMonth(const TextTable& grid, TextTable& prepareGrid, int first, int last, int out);

// The shape of the chart source, the radio group "Grafik nach": one row per record or one
// per month. The values are the radio buttons' indices and the stored setting "Ansicht".
enum class ChartBasis { Eintrag = 0, Monat = 1 };

// The second half of CalculateValues: rebuilds the chart source in the shape `chartBasis`;
// any other value leaves it as rows of empty cells.
void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, ChartBasis chartBasis);

} // namespace spritlog
