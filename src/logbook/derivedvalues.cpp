#include "logbook/derivedvalues.h"

#include "logbook/conventions.h"
#include "logbook/floatops.h"
#include "logbook/logbooktable.h"

#include <cstdint>

namespace spritlog {

namespace {

void WriteRefuellingCost(TextTable& grid, int row, double litres, double price) {
    grid.setCell(ColTankkosten, row, NumberToText(Multiply(litres, price), 2));
}

} // namespace

void ComputeDerivedValues(TextTable& grid) {
    const int n = RecordCount(grid);
    if (n >= 1) {
        WriteRefuellingCost(grid, 1, TextToNumber(grid.cell(ColLiter, 1)),
                            TextToNumber(grid.cell(ColLiterpreis, 1)));
    }
    for (int r = 1; r <= n - 1; ++r) {
        // The following row is read first, so a bad reading there is the one reported.
        const int64_t next = TextToInteger(grid.cell(ColKmStand, r + 1));
        const int64_t current = TextToInteger(grid.cell(ColKmStand, r));
        grid.setCell(ColKm, r + 1, IntegerToText(next - current));

        const double litres = TextToNumber(grid.cell(ColLiter, r));
        const double price = TextToNumber(grid.cell(ColLiterpreis, r));
        // Row 1 normally has no distance; it has one only after the record before it was
        // deleted.
        if (!grid.cell(ColKm, r).empty()) {
            const int32_t distance = TextToInteger(grid.cell(ColKm, r));
            // Litres times 100 first, then the division: the order decides the last bit.
            const double consumption =
                Divide(Multiply(litres, 100.0), static_cast<double>(distance));
            grid.setCell(ColVerbrauch, r, NumberToText(consumption, 2));
            // The cost per 100 km uses the consumption as written, rounded to 2 places.
            const double written = TextToNumber(grid.cell(ColVerbrauch, r));
            grid.setCell(ColKostenKm, r, NumberToText(Multiply(written, price), 2));
        }
        WriteRefuellingCost(grid, r, litres, price);
    }
}

} // namespace spritlog
