#include "analysis/chartsource.h"

#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace spritlog {

namespace {

// The month key as a view into the date text, so the month scan allocates nothing.
std::string_view MonthKeyView(std::string_view dateText) {
    constexpr std::size_t kFirst = 3;  // character 4
    constexpr std::size_t kLength = 7; // characters 4 to 10
    if (dateText.size() <= kFirst)
        return {};
    return dateText.substr(kFirst, kLength);
}

void CopyRow(const TextTable& from, TextTable& to, int row, int toRow) {
    for (int c = 0; c < kLogbookColumns; ++c)
        to.setCell(c, toRow, from.cell(c, row));
}

// `rows` rows of 15 empty cells, reusing the table's storage when it already has the shape.
void EmptyTable(TextTable& table, int rows) {
    if (table.columnCount() != kLogbookColumns) {
        table = TextTable(kLogbookColumns, rows);
        return;
    }
    table.setRowCount(rows);
    table.clearCells();
}

// The energy of a record as the source keeps it: its index, -1 for none (AdBlue).
signed char EnergyIndex(const TextTable& grid, int row) {
    const std::optional<Energy> energy = EnergyOfRecord(grid, row);
    return energy ? static_cast<signed char>(*energy) : -1;
}

} // namespace

bool IsEnergyFigure(int column) {
    return column == ColLiter || column == ColLiterpreis || column == ColVerbrauch;
}

std::string MonthKey(std::string_view dateText) {
    return std::string(MonthKeyView(dateText));
}

namespace {

// AggregateMonth, counting the energies of the run's records into `mix` where given.
void AggregateRun(const TextTable& grid, TextTable& prepareGrid, const std::vector<int>& run,
                  int out, Energy energy, EnergyMix* mix) {
    const int last = run.back();
    prepareGrid.setCell(ColNumber, out, IntegerToText(out));
    prepareGrid.setCell(ColDatum, out, MonthKeyView(grid.cell(ColDatum, last)));

    double values[ColTankkosten + 1] = {};
    int filled[ColTankkosten + 1] = {};
    for (int r : run) {
        const std::optional<Energy> recordEnergy = EnergyOfRecord(grid, r);
        if (mix) {
            if (recordEnergy)
                ++mix->records[static_cast<int>(*recordEnergy)];
            else
                ++mix->adBlue;
        }
        const bool ofEnergy = recordEnergy == energy;
        for (int c = ColKmStand; c <= ColTankkosten; ++c) {
            const std::string_view text = grid.cell(c, r);
            if (text.empty() || (!ofEnergy && IsEnergyFigure(c)))
                continue;
            values[c] = AddCellValue(values[c], TextToNumber(text), r, c);
            ++filled[c];
        }
    }

    // The month's odometer reading is the one at its end, not a sum.
    values[ColKmStand] = TextToNumber(grid.cell(ColKmStand, last));
    filled[ColKmStand] = 1;
    for (int c = ColKmStand; c <= ColTankkosten; ++c) {
        const bool mean = c == ColLiterpreis || c == ColVerbrauch || c == ColKostenKm;
        // A mean counts only the cells that hold a value; without any the cell stays empty.
        if (mean && filled[c] == 0)
            continue;
        const double value = mean ? values[c] / filled[c] : values[c];
        prepareGrid.setCell(c, out, NumberToText(value, 4));
    }
}

// The chart source per month of `energy`; the energies of the records into `mix` where given.
void BuildMonths(const TextTable& grid, TextTable& prepareGrid, Energy energy, EnergyMix* mix) {
    // The month rows are far fewer than the records: grow the table as they come
    // instead of first allocating a row per record.
    EmptyTable(prepareGrid, 1);
    if (grid.rowCount() > 0)
        CopyRow(grid, prepareGrid, 0, 0);
    std::vector<int> run;
    std::string_view key;
    const auto writeRun = [&] {
        const int out = prepareGrid.rowCount();
        prepareGrid.appendRow();
        AggregateRun(grid, prepareGrid, run, out, energy, mix);
    };
    // An empty record does not split a month; the last run is the current month.
    ForEachRecordTakingPart(grid, [&](int r) {
        const std::string_view current = MonthKeyView(grid.cell(ColDatum, r));
        if (!run.empty() && current != key) {
            writeRun();
            run.clear();
        }
        key = current;
        run.push_back(r);
    });
    if (!run.empty())
        writeRun();
}

} // namespace

void AggregateMonth(const TextTable& grid, TextTable& prepareGrid, const std::vector<int>& run,
                    int out, Energy energy) {
    AggregateRun(grid, prepareGrid, run, out, energy, nullptr);
}

void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, ChartBasis chartBasis,
                        Energy energy) {
    if (chartBasis == ChartBasis::Monat) {
        BuildMonths(grid, prepareGrid, energy, nullptr);
        return;
    }
    if (chartBasis == ChartBasis::Eintrag) {
        prepareGrid = ChartSource::Of(grid, chartBasis, energy).toTable();
        return;
    }
    // Any other shape leaves rows of empty cells.
    EmptyTable(prepareGrid, std::max(RecordCount(grid), 1));
}

ChartSource::ChartSource(TextTable table) : table_(std::move(table)) {}

ChartSource ChartSource::Of(const TextTable& grid, ChartBasis chartBasis) {
    return Build(grid, chartBasis, std::nullopt);
}

ChartSource ChartSource::Of(const TextTable& grid, ChartBasis chartBasis, Energy energy) {
    return Build(grid, chartBasis, energy);
}

ChartSource ChartSource::Build(const TextTable& grid, ChartBasis chartBasis,
                               std::optional<Energy> energy) {
    if (chartBasis == ChartBasis::Monat) {
        // Built for litres (or the energy asked for) while the energies are counted; built
        // again where the main energy turns out to be another.
        EnergyMix mix;
        TextTable table;
        const Energy first = energy.value_or(Energy::Litre);
        BuildMonths(grid, table, first, &mix);
        const Energy shown = energy.value_or(mix.main());
        if (shown != first)
            BuildMonths(grid, table, shown, nullptr);
        ChartSource source(std::move(table));
        source.mix_ = mix;
        source.energy_ = shown;
        if (mix.count() > 1) {
            // Every energy's month rows, row for row beside the table's.
            auto months = std::make_shared<std::array<TextTable, kEnergies>>();
            for (int e = 0; e < kEnergies; ++e) {
                if (static_cast<Energy>(e) == shown)
                    (*months)[e] = source.table_;
                else if (mix.records[e] > 0)
                    RebuildChartSource(grid, (*months)[e], chartBasis, static_cast<Energy>(e));
            }
            source.energyMonths_ = std::move(months);
        }
        return source;
    }
    if (chartBasis != ChartBasis::Eintrag) {
        TextTable table;
        RebuildChartSource(grid, table, chartBasis);
        return ChartSource(std::move(table));
    }
    if (grid.rowCount() == 0)
        return ChartSource();
    ChartSource source(grid);
    source.perRecord_ = true;
    source.rows_.push_back(0);
    source.rowEnergy_.push_back(-1);
    ForEachRecordTakingPart(grid, [&](int r) {
        source.rows_.push_back(r);
        const signed char index = EnergyIndex(grid, r);
        source.rowEnergy_.push_back(index);
        if (index >= 0)
            ++source.mix_.records[index];
        else
            ++source.mix_.adBlue;
    });
    source.energy_ = energy.value_or(source.mix_.main());
    return source;
}

int ChartSource::rowCount() const {
    return perRecord_ ? static_cast<int>(rows_.size()) : table_.rowCount();
}

std::string_view ChartSource::cell(int column, int row) const {
    return cell(column, row, energy_);
}

std::string_view ChartSource::cell(int column, int row, Energy energy) const {
    if (!perRecord_) {
        const std::string_view text = table_.cell(column, row);
        if (energy == energy_ || !IsEnergyFigure(column))
            return text;
        // Without month rows of that energy the source has none of its figures.
        if (!energyMonths_)
            return {};
        const TextTable& months = (*energyMonths_)[static_cast<int>(energy)];
        return row < months.rowCount() ? months.cell(column, row) : std::string_view();
    }
    const std::size_t index = static_cast<std::size_t>(row);
    if (row < 0 || index >= rows_.size())
        throw std::out_of_range("cell outside the chart source");
    if (index > 0 && IsEnergyFigure(column) && rowEnergy_[index] != static_cast<int>(energy))
        return {};
    return table_.cell(column, rows_[index]);
}

TextTable ChartSource::toTable() const {
    if (!perRecord_)
        return table_;
    // Copied column by column, as the tables lie in memory.
    TextTable table(kLogbookColumns, rowCount());
    table.reservePool(table_.poolBytes());
    for (int c = 0; c < kLogbookColumns; ++c)
        for (int r = 0; r < rowCount(); ++r)
            table.setCell(c, r, cell(c, r));
    return table;
}

} // namespace spritlog
