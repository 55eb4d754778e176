#include "logbook/derivedvalues.h"

#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <cstdint>
#include <optional>

namespace spritlog {

namespace {

void WriteRefuellingCost(TextTable& grid, int row, double litres, double price) {
    const double cost = CheckedCellValue(litres * price, row, ColTankkosten);
    grid.setCell(ColTankkosten, row, NumberToText(cost, 2));
}

// The odometer readings in the order the pass reads them: each record's reading is read
// once, as the later one of its distance, and kept for the next distance.
class Readings {
public:
    explicit Readings(const TextTable& grid) : grid_(grid) {}

    // KM of `row` from `previous`; the later reading is read first, so a bad text there is
    // the one reported.
    int64_t distance(int row, int previous) {
        const int64_t later = ReadWholeNumber(grid_, ColKmStand, row);
        const int64_t earlier =
            previous == keptRow_ ? kept_ : ReadWholeNumber(grid_, ColKmStand, previous);
        keptRow_ = row;
        kept_ = later;
        return later - earlier;
    }

private:
    const TextTable& grid_;
    int keptRow_ = -1;
    int64_t kept_ = 0;
};

// `distance`: the KM this pass just wrote for `row`, none when it kept the cell's own.
void WriteConsumptionAndCost(TextTable& grid, int row, std::optional<int64_t> distance) {
    const double litres = TextToNumber(grid.cell(ColLiter, row));
    const double price = TextToNumber(grid.cell(ColLiterpreis, row));
    // The first record taking part has a distance only when it kept one, for example after
    // the record before it was deleted. A distance beyond 32 bits is read from its text,
    // which reports it.
    if (!distance || *distance != static_cast<int32_t>(*distance)) {
        if (grid.cell(ColKm, row).empty())
            distance.reset();
        else
            distance = ReadWholeNumber(grid, ColKm, row);
    }
    if (distance) {
        if (*distance == 0)
            throw ZeroDistanceError(row);
        // Litres times 100 first, then the division: the order decides the last bit.
        const double hundredfold = CheckedCellValue(litres * 100.0, row, ColVerbrauch);
        const double consumption = hundredfold / static_cast<double>(*distance);
        WrittenNumber written = NumberAsWritten(consumption, 2);
        grid.setCell(ColVerbrauch, row, written.text);
        // The cost per 100 km uses the consumption as written, rounded to 2 places.
        const double cost = CheckedCellValue(written.value * price, row, ColKostenKm);
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
    Readings readings(grid);
    std::optional<int64_t> distance; // of `row`, when this pass wrote it
    while (row <= n) {
        const int next = NextRecord(grid, row);
        // The next distance is taken before this record's consumption, as the records are
        // read in order.
        std::optional<int64_t> nextDistance;
        if (next <= n) {
            nextDistance = readings.distance(next, row);
            grid.setCell(ColKm, next, IntegerToText(*nextDistance));
        }
        WriteConsumptionAndCost(grid, row, distance);
        distance = nextDistance;
        row = next;
    }
}

} // namespace spritlog
