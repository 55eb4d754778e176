#pragma once

#include "logbook/energies.h"
#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// Characters 4 to 10 of a date text: "06.12.2026" -> "12.2026".
std::string MonthKey(std::string_view dateText);

// Writes month row `out` of `prepareGrid` from the records `run` of `grid` (one month, in
// order): KM-Stand at its end, sums of KM, Liter and Tankkosten, means of Literpreis,
// Verbrauch and Kosten/Km over the cells that hold a value (empty without any). Liter,
// Literpreis and Verbrauch are those of the records of `energy` alone.
void AggregateMonth(const TextTable& grid, TextTable& prepareGrid, const std::vector<int>& run,
                    int out, Energy energy = Energy::Litre);

// The columns that hold a record's quantity, the price of one unit and its consumption: they
// are figures of the record's energy.
bool IsEnergyFigure(int column);

// The shape of the chart source, the radio group "Grafik nach": one row per record or one
// per month. The values are the radio buttons' indices and the stored setting "Ansicht".
enum class ChartBasis { Eintrag = 0, Monat = 1 };

// What the charts draw from, as CalculateValues left it: per record the header and the
// records taking part; per month one row a month. Quantity, price and consumption (columns
// Liter, Literpreis and Verbrauch) are those of the logbook's main energy; those of every
// other energy present are kept beside them, row for row. Per record it reads the logbook's
// cells through a copy of the table, which shares them until the logbook next changes,
// instead of copying every cell.
class ChartSource {
public:
    // A table taken as it stands (per month, or a source made by hand), of litres.
    ChartSource(TextTable table = TextTable(kLogbookColumns, 1)); // NOLINT: implicit on purpose
    // The chart source of `grid` in the shape `chartBasis`, with the figures of its main
    // energy in the table (as RebuildChartSource writes it for that energy).
    static ChartSource Of(const TextTable& grid, ChartBasis chartBasis);
    // The same with the figures of `energy` in the table.
    static ChartSource Of(const TextTable& grid, ChartBasis chartBasis, Energy energy);

    int columnCount() const { return table_.columnCount(); }
    int rowCount() const;
    std::string_view cell(int column, int row) const;
    // The cell as the records of `energy` give it: columns Liter, Literpreis and Verbrauch
    // hold only that energy's figures (empty where the row has none), the others as cell().
    std::string_view cell(int column, int row, Energy energy) const;
    // The same cells as a table of their own.
    TextTable toTable() const;

    // The energies of the records taking part, and the one the table's figures are of.
    const EnergyMix& mix() const { return mix_; }
    Energy energy() const { return energy_; }

private:
    static ChartSource Build(const TextTable& grid, ChartBasis chartBasis,
                             std::optional<Energy> energy);

    TextTable table_;
    EnergyMix mix_;
    Energy energy_ = Energy::Litre;
    // Per record: the row of table_ for each row of the source, and the energy of its record
    // (-1 for none). Without rows the source is table_ as it stands.
    bool perRecord_ = false;
    std::vector<int> rows_;
    std::vector<signed char> rowEnergy_;
    // Per month, in a logbook of several energies: the month rows of each energy.
    std::shared_ptr<const std::array<TextTable, kEnergies>> energyMonths_;
};

// The second half of CalculateValues: rebuilds the chart source in the shape `chartBasis`
// from the records taking part: per record the header and those records with their own
// numbers; per month one row per run of records in the same month, the current one too. Any
// other value leaves it as rows of empty cells. Quantity, price and consumption are those of
// `energy`: the cells of other records stay empty.
void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, ChartBasis chartBasis,
                        Energy energy = Energy::Litre);

} // namespace spritlog
