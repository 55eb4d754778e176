#include "app/window/intervalcount.h"

#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

namespace spritlog {

int CompleteIntervalCount(const TextTable& grid, bool fullTankIntervals) {
    int count = 0;
    for (int row = 1; row < grid.rowCount(); ++row)
        if (!grid.cell(ColVerbrauch, row).empty() &&
            !(fullTankIntervals && MarksOf(grid, row).partial))
            ++count;
    return count;
}

QString CompleteIntervalText(int count) {
    return count == 1 ? QStringLiteral("Verbrauch aus 1 vollständigen Tankintervall")
                      : QStringLiteral("Verbrauch aus %1 vollständigen Tankintervallen").arg(count);
}

} // namespace spritlog
