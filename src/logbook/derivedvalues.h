#pragma once

#include "logbook/cellerrors.h"
#include "logbook/fillups.h"
#include "logbook/texttable.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace spritlog {

// Fills the derived columns KM, Verbrauch, Kosten/Km and Tankkosten of every record that
// takes part, the newest too. KM is measured from the last readable reading before; the
// first record taking part has no KM of its own (its cell is read as it stands). A derived
// cell whose input is missing (empty or blanks) or invalid stays empty; every other record
// is calculated all the same. Gives one issue per invalid cell, in record order and within a
// record in column order. Empty records get empty derived cells. Throws Error only for a
// value beyond the range of numbers ("Wert zu groß"); cells written so far stay.
std::vector<CellIssue> ComputeDerivedValues(TextTable& grid);

// Where a pass over part of the records starts: the row, whether no record before it takes
// part, and the last readable reading before it.
struct PassStart {
    int row = 1;
    bool first = true;
    std::optional<int64_t> lastReading;
};
// The start of a pass at `row`, read from the records before it.
PassStart PassStartAt(const TextTable& grid, int row);
// The same pass from `start` on, up to the first record from `stopAfter` on with a readable
// reading (the records after it measure from it, as they did). Adds the issues of the records
// it passes to `issues` and gives the last row it calculated.
int ComputeDerivedValuesFrom(TextTable& grid, const PassStart& start, int stopAfter,
                             std::vector<CellIssue>& issues);
// Issues in record and column order, each once.
void SortIssues(std::vector<CellIssue>& issues);

// The whole calculation of the derived columns under `rule`: the per-record pass, then, from
// full tank to full tank, the intervals. The issues of both in record and column order.
std::vector<CellIssue> CalculateRecords(TextTable& grid, ConsumptionRule rule);

} // namespace spritlog
