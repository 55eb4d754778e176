#include "app/window/intervalcount.h"

namespace spritlog {

QString CompleteIntervalText(int count, bool charges) {
    const QString interval =
        charges ? QStringLiteral("Ladeintervall") : QStringLiteral("Tankintervall");
    return count == 1
               ? QStringLiteral("Verbrauch aus 1 vollständigen %1").arg(interval)
               : QStringLiteral("Verbrauch aus %1 vollständigen %2en").arg(count).arg(interval);
}

} // namespace spritlog
