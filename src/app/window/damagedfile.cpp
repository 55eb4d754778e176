#include "app/window/damagedfile.h"

#include "app/window/prompts.h"

#include "document/files.h"
#include "platform/celltext.h"

#include <QFileInfo>

namespace spritlog {

std::optional<bool> LoadOrOfferDamagedCopy(LogbookDocument& document, Prompts& prompts,
                                           QWidget* parent, const std::string& path,
                                           const LoadHooks& hooks) {
    try {
        return document.load(path, hooks);
    } catch (const DamagedLogbook& damaged) {
        const QString question =
            CellToQString(damaged.what()) +
            QStringLiteral("\n\nEine Kopie öffnen, so gut sie sich lesen lässt? Die Datei "
                           "bleibt unverändert; die Kopie wird unter einem neuen Namen "
                           "gespeichert.");
        if (!prompts.askYesNo(parent, question))
            return std::nullopt;
    }
    return document.loadDamagedCopy(path, hooks);
}

QString DamagedCopyLabel(const LogbookDocument& document) {
    if (document.damagedSource().empty())
        return QString();
    const QString name = QFileInfo(QString::fromStdString(document.damagedSource())).fileName();
    return QStringLiteral("„%1“ (beschädigt, Kopie)").arg(name);
}

} // namespace spritlog
