// The window's icons: every menu item, tool bar button and push button shows one on a bare
// system; the desktop's icon theme wins where it has the icon; the bundled drawings render.
#include "guitest.h"

#include "app/window/icons.h"

#include <QAction>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

using namespace spritlog;
using test::Window;

namespace {

constexpr int kSize = 16;

QImage Render(const QIcon& icon, int size = kSize) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 0;
    return inked;
}

// A control of the window that carries an icon, named by its object name.
struct IconControl {
    QString name;
    QIcon icon;
};

void CollectMenu(QMenu* menu, QList<IconControl>& controls) {
    for (QAction* action : menu->actions()) {
        // A checkable item shows its check box where the others show an icon.
        if (action->isSeparator() || action->isCheckable())
            continue;
        controls.append(
            {action->menu() ? action->menu()->objectName() : action->objectName(), action->icon()});
        if (action->menu())
            CollectMenu(action->menu(), controls);
    }
}

// Menu items (submenus included), tool bar buttons and the three push buttons.
QList<IconControl> IconControls(TFmain* window) {
    QList<IconControl> controls;
    for (QAction* top : window->menuBar()->actions())
        CollectMenu(top->menu(), controls);
    QToolBar* toolBar = spritlog::test::ToolBar(*window);
    for (QAction* action : toolBar->actions())
        if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action)))
            controls.append({button->objectName(), button->icon()});
    for (const char* name : {"b_neu", "b_datum", "b_beenden"}) {
        QPushButton* button = spritlog::test::Button(*window, name);
        controls.append({button->objectName(), button->icon()});
    }
    return controls;
}

// The test theme's icons are plain squares of one colour, unlike any bundled drawing.
constexpr QRgb kThemeColour = qRgb(255, 0, 255);

void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(text);
}

} // namespace

class IconsTest : public QObject {
    Q_OBJECT

    QTemporaryDir themes_;

    std::unique_ptr<Window> openWindow(const QString& theme) {
        QIcon::setThemeName(theme);
        auto window = std::make_unique<Window>();
        (*window)->FormCreate({});
        return window;
    }

private slots:
    void initTestCase() {
        // Only the test's own theme folder: what the machine has installed must not decide.
        QVERIFY(themes_.isValid());
        QIcon::setThemeSearchPaths({themes_.path()});
        QIcon::setFallbackSearchPaths({});
        QIcon::setFallbackThemeName(QStringLiteral("spritlog-none"));

        const QString theme = themes_.filePath(QStringLiteral("spritlog-test"));
        QVERIFY(QDir().mkpath(theme + QStringLiteral("/scalable/actions")));
        WriteFile(theme + QStringLiteral("/index.theme"), "[Icon Theme]\n"
                                                          "Name=spritlog-test\n"
                                                          "Comment=test\n"
                                                          "Directories=scalable/actions\n"
                                                          "\n"
                                                          "[scalable/actions]\n"
                                                          "Size=16\n"
                                                          "MinSize=8\n"
                                                          "MaxSize=512\n"
                                                          "Type=Scalable\n");
        for (const char* name : {"document-open", "application-exit"})
            WriteFile(theme + QStringLiteral("/scalable/actions/%1.svg").arg(QLatin1String(name)),
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                      "<rect width=\"16\" height=\"16\" fill=\"#ff00ff\"/></svg>");
    }

    // On a system without an icon theme every control still shows a drawing.
    void everyControlHasAnIcon() {
        auto window = openWindow(QStringLiteral("spritlog-none"));
        const QList<IconControl> controls = IconControls(window->fmain.get());
        // 19 menu items and the submenu, 6 tool bar buttons, 3 push buttons at least.
        QVERIFY2(controls.size() >= 29, qPrintable(QString::number(controls.size())));
        QStringList bare;
        for (const IconControl& control : controls)
            if (InkedPixels(Render(control.icon)) == 0)
                bare << control.name;
        QVERIFY2(bare.isEmpty(), qPrintable(bare.join(QStringLiteral(", "))));
    }

    // Every drawing with a theme name exists in the resources and renders at menu and tool
    // bar sizes; every drawing in the resources has a theme name (or is the program's own).
    void bundledDrawingsRender() {
        auto window = openWindow(QStringLiteral("spritlog-none")); // registers the resources
        const QStringList names = BundledIconNames();
        for (const QString& name : names) {
            const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            QVERIFY2(!ThemeIconName(name).isEmpty(), qPrintable(name));
            for (int size : {16, 20, 24})
                QVERIFY2(InkedPixels(Render(QIcon(path), size)) > size,
                         qPrintable(QStringLiteral("%1 at %2").arg(path).arg(size)));
        }
        QDirIterator resources(QStringLiteral(":/icons"));
        while (resources.hasNext()) {
            const QString name = QFileInfo(resources.next()).completeBaseName();
            QVERIFY2(name == QLatin1String("spritlog") || names.contains(name), qPrintable(name));
        }
        QVERIFY(ThemeIconName(QStringLiteral("no-such-icon")).isEmpty());
    }

    void themeIconWinsOverTheDrawing_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("bundled");
        QTest::addColumn<bool>("fromTheme");
        QTest::newRow("menu Öffnen") << "m_Laden"
                                     << "open" << true;
        QTest::newRow("tool bar Öffnen") << "t_oeffnen"
                                         << "open" << true;
        QTest::newRow("menu Beenden") << "m_Beenden"
                                      << "exit" << true;
        QTest::newRow("tool bar Beenden") << "t_beenden"
                                          << "exit" << true;
        QTest::newRow("button Beenden") << "b_beenden"
                                        << "exit" << true;
        QTest::newRow("menu Speichern, not in the theme") << "m_Speichern"
                                                          << "save" << false;
        QTest::newRow("menu Statistik, not in the theme") << "m_Statistik"
                                                          << "statistics" << false;
        QTest::newRow("menu Importieren, not in the theme") << "m_Import_CSV"
                                                            << "import" << false;
        QTest::newRow("submenu Export/Import, not in the theme") << "m_ExportImport"
                                                                 << "export" << false;
        QTest::newRow("button Datum, not in the theme") << "b_datum"
                                                        << "date" << false;
    }
    void themeIconWinsOverTheDrawing() {
        QFETCH(QString, control);
        QFETCH(QString, bundled);
        QFETCH(bool, fromTheme);
        auto window = openWindow(QStringLiteral("spritlog-test"));
        const QList<IconControl> controls = IconControls(window->fmain.get());
        const auto found = std::find_if(controls.begin(), controls.end(),
                                        [&](const IconControl& c) { return c.name == control; });
        QVERIFY2(found != controls.end(), qPrintable(control));
        const QImage shown = Render(found->icon);
        if (fromTheme) {
            QCOMPARE(shown.pixel(kSize / 2, kSize / 2), kThemeColour);
            QCOMPARE(shown.pixel(0, 0), kThemeColour);
        } else {
            QCOMPARE(shown, Render(QIcon(QStringLiteral(":/icons/%1.svg").arg(bundled))));
        }
    }

    // The window's icon is the program's own drawing, the one installed into the hicolor
    // theme, and it holds up from title bar to application menu sizes.
    void windowIcon() {
        auto window = openWindow(QStringLiteral("spritlog-none"));
        const QIcon own(QStringLiteral(SPRITLOG_APP_ICON));
        for (int size : {16, 32, 48, 128}) {
            const QImage shown = Render((*window)->windowIcon(), size);
            QVERIFY(InkedPixels(shown) > size * size / 4);
            QCOMPARE(shown, Render(own, size));
        }
    }
};

SPRITLOG_GUI_TEST_MAIN(IconsTest)
#include "icons_test.moc"
