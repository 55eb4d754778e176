#include "logbook/derivedvalues.h"

#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <cstdint>

namespace spritlog {

namespace {

void WriteRefuellingCost(TextTable& grid, int row, double litres, double price) {
    const double cost = CheckedCellValue(litres * price, row, ColTankkosten);
    grid.setCell(ColTankkosten, row, NumberToText(cost, 2));
}

void WriteDistance(TextTable& grid, int row, int previous) {
    // The later reading is read first, so a bad text there is the one reported.
    const int64_t later = ReadWholeNumber(grid, ColKmStand, row);
    const int64_t earlier = ReadWholeNumber(grid, ColKmStand, previous);
    grid.setCell(ColKm, row, IntegerToText(later - earlier));
}

void WriteConsumptionAndCost(TextTable& grid, int row) {
    const double litres = TextToNumber(grid.cell(ColLiter, row));
    const double price = TextToNumber(grid.cell(ColLiterpreis, row));
    // The first record taking part has a distance only when it kept one, for example after
    // the record before it was deleted.
    if (!grid.cell(ColKm, row).empty()) {
        const int32_t distance = ReadWholeNumber(grid, ColKm, row);
        if (distance == 0)
            throw ZeroDistanceError(row);
        // Litres times 100 first, then the division: the order decides the last bit.
        const double hundredfold = CheckedCellValue(litres * 100.0, row, ColVerbrauch);
        const double consumption = hundredfold / static_cast<double>(distance);
        grid.setCell(ColVerbrauch, row, NumberToText(consumption, 2));
        // The cost per 100 km uses the consumption as written, rounded to 2 places.
        const double written = TextToNumber(grid.cell(ColVerbrauch, row));
        const double cost = CheckedCellValue(written * price, row, ColKostenKm);
        grid.setCell(ColKostenKm, row, NumberToText(cost, 2));
    }
    WriteRefuellingCost(grid, row, litres, price);
}

void ClearDerivedValues(TextTable& grid, int row) {
    for (int column = ColKm; column <= ColTankkosten; ++column)
        if (!grid.cell(column, row).empty())
            grid.setCell(column, row, {});
}

// The next record taking part after `row`; the empty ones passed lose their derived values.
int NextRecord(TextTable& grid, int row) {
    const int next = NextRecordTakingPart(grid, row + 1);
    for (int r = row + 1; r < next; ++r)
        ClearDerivedValues(grid, r);
    return next;
}

} // namespace

void ComputeDerivedValues(TextTable& grid) {
    const int n = RecordCount(grid);
    int row = NextRecord(grid, 0);
    if (row > n)
        return;
    WriteRefuellingCost(grid, row, TextToNumber(grid.cell(ColLiter, row)),
                        TextToNumber(grid.cell(ColLiterpreis, row)));
    while (row <= n) {
        const int next = NextRecord(grid, row);
        // The next distance is taken before this record's consumption, as the records are
        // read in order.
        if (next <= n)
            WriteDistance(grid, next, row);
        WriteConsumptionAndCost(grid, row);
        row = next;
    }
}

} // namespace spritlog
