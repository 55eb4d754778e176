#pragma once

#include "logbook/texttable.h"

namespace spritlog {

// Which records take part in the figures. A record whose ten input cells (Datum to
// Anmerkung3) are all empty or blanks takes no part: the derived values, the statistics, the
// station table, the chart sources and the reports pass over it. It stays in the table.
bool IsEmptyRecord(const TextTable& grid, int row);

// The first record from `row` on that takes part, RecordCount + 1 when none does.
int NextRecordTakingPart(const TextTable& grid, int row);

// How many of the records take part.
int RecordsTakingPart(const TextTable& grid);

// Calls `visit(row)` for each record that takes part, in table order.
template <typename Visit> void ForEachRecordTakingPart(const TextTable& grid, Visit&& visit) {
    const int n = grid.rowCount() - 1;
    for (int r = 1; r <= n; ++r)
        if (!IsEmptyRecord(grid, r))
            visit(r);
}

} // namespace spritlog
