#include "analysis/chartsource.h"

#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <algorithm>
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

// Kilograms and kilowatt hours are no litres: their quantities, prices and consumption stay
// out of the litre charts.
bool IsLitreFigure(int column) {
    return column == ColLiter || column == ColLiterpreis || column == ColVerbrauch;
}

} // namespace

std::string MonthKey(std::string_view dateText) {
    return std::string(MonthKeyView(dateText));
}

void AggregateMonth(const TextTable& grid, TextTable& prepareGrid, const std::vector<int>& run,
                    int out) {
    const int last = run.back();
    prepareGrid.setCell(ColNumber, out, IntegerToText(out));
    prepareGrid.setCell(ColDatum, out, MonthKeyView(grid.cell(ColDatum, last)));

    double values[ColTankkosten + 1] = {};
    int filled[ColTankkosten + 1] = {};
    for (int r : run) {
        const bool litres = EnergyOf(grid.cell(ColBenzin, r)) == Energy::Litre;
        for (int c = ColKmStand; c <= ColTankkosten; ++c) {
            const std::string_view text = grid.cell(c, r);
            if (text.empty() || (!litres && IsLitreFigure(c)))
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

void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, ChartBasis chartBasis) {
    if (chartBasis == ChartBasis::Monat) {
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
            AggregateMonth(grid, prepareGrid, run, out);
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
        return;
    }

    if (chartBasis == ChartBasis::Eintrag) {
        prepareGrid = ChartSource::Of(grid, chartBasis).toTable();
        return;
    }
    // Any other shape leaves rows of empty cells.
    EmptyTable(prepareGrid, std::max(RecordCount(grid), 1));
}

ChartSource::ChartSource(TextTable table) : table_(std::move(table)) {}

ChartSource ChartSource::Of(const TextTable& grid, ChartBasis chartBasis) {
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
    ForEachRecordTakingPart(grid, [&](int r) { source.rows_.push_back(r); });
    source.otherUnit_.resize(source.rows_.size());
    for (std::size_t i = 1; i < source.rows_.size(); ++i)
        source.otherUnit_[i] = EnergyOf(grid.cell(ColBenzin, source.rows_[i])) != Energy::Litre;
    return source;
}

int ChartSource::rowCount() const {
    return perRecord_ ? static_cast<int>(rows_.size()) : table_.rowCount();
}

std::string_view ChartSource::cell(int column, int row) const {
    if (!perRecord_)
        return table_.cell(column, row);
    const std::size_t index = static_cast<std::size_t>(row);
    if (row < 0 || index >= rows_.size())
        throw std::out_of_range("cell outside the chart source");
    if (otherUnit_[index] && IsLitreFigure(column))
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
