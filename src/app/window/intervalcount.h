#pragma once

#include <QString>

namespace spritlog {

// "Verbrauch aus 5 vollständigen Tankintervallen", "... aus 1 vollständigen Tankintervall";
// of charges "Ladeintervallen", "Ladeintervall".
QString CompleteIntervalText(int count, bool charges = false);

} // namespace spritlog
