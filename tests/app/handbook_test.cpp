// The handbook behind F1: it opens, its pages link to each other, and every menu item,
// setting and key it names exists in the program, so it stays true as the window changes.
#include "dialogtest.h"

#include "app/window/helpwindow.h"

#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace spritlog;

namespace {

QString PageText(const QString& page) {
    QFile file(QStringLiteral(":/help/") + page);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The texts of every element <tag class="kind">...</tag> (or <tag>, without a kind) in
// `html`, with entities resolved.
QStringList Marked(const QString& html, const QString& tag, const QString& kind = QString()) {
    const QString open = kind.isEmpty() ? QStringLiteral("<%1>").arg(tag)
                                        : QStringLiteral("<%1 class=\"%2\">").arg(tag, kind);
    const QRegularExpression element(QRegularExpression::escape(open) + QStringLiteral("(.*?)</") +
                                         tag + QLatin1Char('>'),
                                     QRegularExpression::DotMatchesEverythingOption);
    QStringList found;
    for (const QRegularExpressionMatch& match : element.globalMatch(html)) {
        QString text = match.captured(1).simplified();
        text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        found << text;
    }
    return found;
}

QString Plain(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// Whether the menu bar leads along `path` ("Datei > Export/Import > Importieren aus CSV...").
bool MenuPathExists(const QMenuBar& bar, const QString& path) {
    const QStringList steps = path.split(QStringLiteral(" > "));
    QList<QAction*> items = bar.actions();
    for (int i = 0; i < steps.size(); ++i) {
        QAction* found = nullptr;
        for (QAction* item : items)
            if (Plain(item->text()) == steps[i])
                found = item;
        if (!found)
            return false;
        if (i + 1 < steps.size()) {
            if (!found->menu())
                return false;
            items = found->menu()->actions();
        }
    }
    return true;
}

// A key as the handbook writes it ("Strg+Bild ab") in Qt's portable words ("Ctrl+PgDown").
QString PortableKey(QString key) {
    const std::pair<const char*, const char*> words[] = {
        {"Strg", "Ctrl"}, {"Umschalt", "Shift"}, {"Bild ab", "PgDown"}, {"Bild auf", "PgUp"}};
    for (const auto& [german, portable] : words)
        key.replace(QString::fromUtf8(german), QLatin1String(portable));
    return key;
}

} // namespace

class HandbookTest : public test::GuiTest {
    Q_OBJECT

private slots:
    // F1 opens the handbook at its contents; F1 again shows the same window.
    void f1OpensTheHandbook() {
        test::Window window;
        QVERIFY(window.showActive());
        QTest::keyClick(window.fmain.get(), Qt::Key_F1);
        auto* help = window->findChild<HelpWindow*>(QStringLiteral("FHandbuch"));
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(help->browser()->source().toString().endsWith(QStringLiteral("index.html")));
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Inhalt")));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.fmain.get()));
        QTest::keyClick(window.fmain.get(), Qt::Key_F1);
        QCOMPARE(window->findChildren<HelpWindow*>().size(), 1);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->browser(), Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // Every page can be reached from the contents, and every link leads to a page that
    // exists.
    void linksLeadToPages() {
        const QStringList pages = HelpWindow::Pages();
        QVERIFY(pages.size() >= 8);
        QStringList reached{QStringLiteral("index.html")};
        for (int i = 0; i < reached.size(); ++i) {
            const QString html = PageText(reached[i]);
            QVERIFY2(!html.isEmpty(), qPrintable(reached[i]));
            static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
            for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
                const QString target = match.captured(1);
                QVERIFY2(pages.contains(target), qPrintable(reached[i] + " -> " + target));
                if (!reached.contains(target))
                    reached << target;
            }
        }
        reached.sort();
        QCOMPARE(reached, pages);
    }

    // What the handbook names, the program has.
    void namesOnlyWhatExists() {
        test::WindowWithDialogs window;
        QStringList settings;
        for (const QCheckBox* box : window.setup->findChildren<QCheckBox*>())
            settings << Plain(box->text());
        QStringList keys{QStringLiteral("Tab"), QStringLiteral("Shift+Tab")};
        for (const QAction* item : window->findChildren<QAction*>())
            for (const QKeySequence& key : item->shortcuts())
                keys << key.toString(QKeySequence::PortableText);
        QStringList missing;
        int named = 0;
        for (const QString& page : HelpWindow::Pages()) {
            const QString html = PageText(page);
            for (const QString& path :
                 Marked(html, QStringLiteral("span"), QStringLiteral("menu"))) {
                ++named;
                if (!MenuPathExists(*window->menuBar(), path))
                    missing << page + QStringLiteral(": Menü ") + path;
            }
            for (const QString& setting :
                 Marked(html, QStringLiteral("span"), QStringLiteral("setting"))) {
                ++named;
                if (!settings.contains(setting))
                    missing << page + QStringLiteral(": Einstellung ") + setting;
            }
            for (const QString& key : Marked(html, QStringLiteral("kbd"))) {
                ++named;
                if (!keys.contains(PortableKey(key)))
                    missing << page + QStringLiteral(": Taste ") + key;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
        QVERIFY(named >= 30);
    }

    // Each setting explains itself in a tool tip.
    void everySettingHasATooltip() {
        test::WindowWithDialogs window;
        QStringList bare;
        for (const QWidget* control : window.setup->findChildren<QWidget*>()) {
            const bool setting = qobject_cast<const QCheckBox*>(control) ||
                                 control->objectName().startsWith(QStringLiteral("f_anmerkung"));
            if (setting && control->toolTip().isEmpty())
                bare << control->objectName();
        }
        QVERIFY2(bare.isEmpty(), qPrintable(bare.join(QStringLiteral(", "))));
    }
};

SPRITLOG_GUI_TEST_MAIN(HandbookTest)
#include "handbook_test.moc"
