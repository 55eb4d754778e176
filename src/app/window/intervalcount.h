#pragma once

#include <QString>

namespace spritlog {

// "Verbrauch aus 5 vollständigen Tankintervallen", "... aus 1 vollständigen Tankintervall".
QString CompleteIntervalText(int count);

} // namespace spritlog
