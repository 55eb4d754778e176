#include "reports/recordunits.h"

#include "logbook/energies.h"
#include "logbook/records.h"

namespace spritlog {

bool ShowsRecordUnits(const TextTable& grid) {
    // What MixOf(grid).beyondLitres() tells, ending at the first record that decides.
    const int n = grid.rowCount() - 1;
    for (int r = 1; r <= n; ++r)
        if (EnergyOfRecord(grid, r) != Energy::Litre && !IsEmptyRecord(grid, r))
            return true;
    return false;
}

std::string_view RecordUnitText(const TextTable& grid, int row) {
    if (IsEmptyRecord(grid, row))
        return {};
    return UnitOfRecord(grid, row);
}

} // namespace spritlog
