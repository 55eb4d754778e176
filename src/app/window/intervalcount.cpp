#include "app/window/intervalcount.h"

namespace spritlog {

QString CompleteIntervalText(int count) {
    return count == 1 ? QStringLiteral("Verbrauch aus 1 vollständigen Tankintervall")
                      : QStringLiteral("Verbrauch aus %1 vollständigen Tankintervallen").arg(count);
}

} // namespace spritlog
