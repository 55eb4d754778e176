#include "reports/recordunits.h"

#include "logbook/energies.h"
#include "logbook/records.h"

namespace spritlog {

bool ShowsRecordUnits(const TextTable& grid) {
    return BeyondLitres(grid);
}

std::string_view RecordUnitText(const TextTable& grid, int row) {
    if (IsEmptyRecord(grid, row))
        return {};
    return UnitOfRecord(grid, row);
}

} // namespace spritlog
