// The keys that switch between the window's pages.
#include "app/window/mainwindow.h"

#include "app/window/gridview.h"

#include <QAction>
#include <QKeySequence>
#include <QTabWidget>

namespace spritlog {

void TFmain::buildPageKeys() {
    QTabWidget* pages = page_.p_control;
    const auto step = [this, pages](int by) {
        // What the cell editor holds goes into the table before its page is left.
        p_Grid->commitEdit();
        const int count = pages->count();
        if (count > 0)
            pages->setCurrentIndex((pages->currentIndex() + by + count) % count);
    };
    const struct {
        const char* name;
        QKeySequence key;
        int by;
    } keys[] = {{"a_naechsteSeite", QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                {"a_vorigeSeite", QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& key : keys) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(key.name));
        action->setShortcut(key.key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [step, by = key.by] { step(by); });
        addAction(action);
    }
    // The tabs tell their keys.
    const QString next = keys[0].key.toString(QKeySequence::NativeText);
    const QString previous = keys[1].key.toString(QKeySequence::NativeText);
    for (int page = 0; page < pages->count(); ++page)
        pages->setTabToolTip(page, QStringLiteral("%1 (nächste Seite: %2, vorige: %3)")
                                       .arg(pages->tabText(page), next, previous));
}

} // namespace spritlog
