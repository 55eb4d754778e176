#include "analysis/chartsource.h"

#include "logbook/conventions.h"
#include "logbook/floatops.h"
#include "logbook/logbooktable.h"

#include <algorithm>

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

void CopyRow(const TextTable& from, TextTable& to, int row) {
    for (int c = 0; c < kLogbookColumns; ++c)
        to.setCell(c, row, from.cell(c, row));
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

} // namespace

std::string MonthKey(std::string_view dateText) {
    return std::string(MonthKeyView(dateText));
}

void AggregateMonth(const TextTable& grid, TextTable& prepareGrid, int first, int last, int out) {
    prepareGrid.setCell(ColNumber, out, IntegerToText(out));
    prepareGrid.setCell(ColDatum, out, MonthKeyView(grid.cell(ColDatum, last)));

    double values[ColTankkosten + 1] = {};
    for (int r = first; r <= last; ++r)
        for (int c = ColKmStand; c <= ColTankkosten; ++c)
            values[c] = Add(values[c], TextToNumber(grid.cell(c, r)));

    // The month's odometer reading is the one at its end, not a sum.
    values[ColKmStand] = TextToNumber(grid.cell(ColKmStand, last));
    // Plain means over every record of the run; empty cells count as 0.
    const double count = static_cast<double>(last - first + 1);
    for (int c : {ColLiterpreis, ColVerbrauch, ColKostenKm})
        values[c] = Divide(values[c], count);

    for (int c = ColKmStand; c <= ColTankkosten; ++c)
        prepareGrid.setCell(c, out, NumberToText(values[c], 4));
}

void RebuildChartSource(const TextTable& grid, TextTable& prepareGrid, ChartBasis chartBasis) {
    const int n = RecordCount(grid);
    const int rows = std::max(n, 1);

    if (chartBasis == ChartBasis::Monat) {
        // The month rows are far fewer than the records: grow the table as they come
        // instead of first allocating a row per record.
        EmptyTable(prepareGrid, 1);
        if (grid.rowCount() > 0)
            CopyRow(grid, prepareGrid, 0);
        std::string_view key = n >= 1 ? MonthKeyView(grid.cell(ColDatum, 1)) : std::string_view();
        int first = 1;
        int out = 1;
        try {
            for (int r = 1; r <= n; ++r) {
                const std::string_view current = MonthKeyView(grid.cell(ColDatum, r));
                if (current != key) {
                    if (out >= prepareGrid.rowCount())
                        prepareGrid.appendRow();
                    AggregateMonth(grid, prepareGrid, first, r - 1, out);
                    first = r;
                    key = current;
                    ++out;
                }
            }
        } catch (...) {
            // A failed month leaves the table as long as the logbook, rows not yet written
            // empty.
            prepareGrid.setRowCount(rows);
            throw;
        }
        // The run that reaches the last record is left out.
        prepareGrid.setRowCount(out);
        return;
    }

    EmptyTable(prepareGrid, rows);
    if (chartBasis == ChartBasis::Eintrag) {
        // Header and every record but the last.
        for (int r = 0; r <= n - 1; ++r)
            CopyRow(grid, prepareGrid, r);
    }
    // Any other shape leaves the empty rows.
}

} // namespace spritlog
