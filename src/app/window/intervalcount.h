#pragma once

#include <QString>

namespace spritlog {

class TextTable;

// How many complete intervals (from one full fill-up to the next) the consumption figures of
// the statistics come from, as the page "Statistik" states it under "Durchschnitt".
// For now: the records with a Verbrauch that are not partial fill-ups (with intervals off,
// every record with a Verbrauch). The statistics will give the real count.
int CompleteIntervalCount(const TextTable& grid, bool fullTankIntervals);

// "Verbrauch aus 5 vollständigen Tankintervallen", "... aus 1 vollständigen Tankintervall".
QString CompleteIntervalText(int count);

} // namespace spritlog
