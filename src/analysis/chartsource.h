#pragma once

#include "logbook/logbooktable.h"
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

// What the charts draw from, as CalculateValues left it: per record the header and the
// records taking part, with the litre figures of other units left empty; per month one row
// a month. Per record it reads the logbook's cells through a copy of the table, which shares
// them until the logbook next changes, instead of copying every cell.
class ChartSource {
public:
    // A table taken as it stands (per month, or a source made by hand).
    ChartSource(TextTable table = TextTable(kLogbookColumns, 1)); // NOLINT: implicit on purpose
    // The chart source of `grid` in the shape `chartBasis`, as RebuildChartSource writes it.
    static ChartSource Of(const TextTable& grid, ChartBasis chartBasis);

    int columnCount() const { return table_.columnCount(); }
    int rowCount() const;
    std::string_view cell(int column, int row) const;
    // The same cells as a table of their own.
    TextTable toTable() const;

private:
    TextTable table_;
    // Per record: the row of table_ for each row of the source, and whether the row's litre
    // figures stay empty. Without rows the source is table_ as it stands.
    bool perRecord_ = false;
    std::vector<int> rows_;
    std::vector<bool> otherUnit_;
};

// The second half of CalculateValues: rebuilds the chart source in the shape `chartBasis`
// from the records taking part: per record the header and those records with their own
// numbers; per month one row per run of records in the same month, the current one too. Any
// other value leaves it as rows of empty cells.
void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, ChartBasis chartBasis);

} // namespace spritlog
