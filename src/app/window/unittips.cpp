#include "app/window/unittips.h"

#include "logbook/logbooktable.h"

namespace spritlog {

QString UnitTip(int column, std::optional<Energy> energy) {
    if (!energy) {
        if (column == ColLiter || column == ColVerbrauch)
            return QStringLiteral("AdBlue: z\u00e4hlt nur bei den Kosten, in keinem Verbrauch");
        return QString();
    }
    if (*energy == Energy::Litre)
        return QString();
    const EnergyWords& words = WordsOf(*energy);
    switch (column) {
    case ColLiter:
        return QStringLiteral("Menge in ") + QLatin1String(words.quantity);
    case ColLiterpreis:
        return QStringLiteral("Preis in ") + QLatin1String(words.price);
    case ColVerbrauch:
        return QStringLiteral("Verbrauch in ") + QLatin1String(words.consumption);
    default:
        return QString();
    }
}

} // namespace spritlog
