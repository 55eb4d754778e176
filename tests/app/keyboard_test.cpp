// The keyboard in the main window and in every dialog: no two controls of one window share
// an access letter (Alt+letter), and Tab reaches every control in reading order.
#include "dialogtest.h"

#include "app/window/importpreviewdialog.h"
#include "charts/chartviews.h"
#include "import/csvimport.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMultiMap>
#include <QTabBar>
#include <QTabWidget>
#include <QTranslator>

using namespace spritlog;
using test::WindowWithDialogs;

namespace {

// The controls of type T in `window` itself; the dialogs, children of the main window, have
// letters of their own.
template <typename T> QList<const T*> Controls(const QWidget& window) {
    QList<const T*> controls;
    for (const T* control : window.findChildren<T*>())
        if (control->window() == &window)
            controls << control;
    return controls;
}

// Every caption of `window` that gives an access letter: the menu bar's titles, buttons of
// every kind (push, radio, check, tool), labels with a buddy, group boxes and tab bars. Keyed
// by the key ("Alt+T"), so upper and lower case are one; the values name control and caption.
QMultiMap<QString, QString> AccessKeys(const QWidget& window) {
    QMultiMap<QString, QString> keys;
    auto note = [&keys](const QObject* owner, const QString& caption) {
        const QKeySequence key = QKeySequence::mnemonic(caption);
        if (!key.isEmpty())
            keys.insert(key.toString(QKeySequence::PortableText),
                        owner->objectName() + QStringLiteral(" \"") + caption + QLatin1Char('"'));
    };
    for (const QMenuBar* bar : Controls<QMenuBar>(window))
        for (const QAction* title : bar->actions())
            note(title->menu() ? static_cast<const QObject*>(title->menu()) : title, title->text());
    for (const QAbstractButton* button : Controls<QAbstractButton>(window))
        note(button, button->text());
    for (const QLabel* label : Controls<QLabel>(window))
        if (label->buddy())
            note(label, label->text());
    for (const QGroupBox* box : Controls<QGroupBox>(window))
        note(box, box->title());
    for (const QTabBar* tabs : Controls<QTabBar>(window))
        for (int tab = 0; tab < tabs->count(); ++tab)
            note(tabs, tabs->tabText(tab));
    return keys;
}

// The object names of the controls Tab visits from `start` on, until it comes back to one it
// has visited (the table keeps Tab for its cells, so a walk may end there).
QStringList TabWalk(QWidget* start) {
    QStringList names;
    QList<QWidget*> seen;
    QWidget* focus = start;
    while (focus && !seen.contains(focus) && seen.size() < 40) {
        seen << focus;
        names << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = start->window()->focusWidget();
    }
    return names;
}

// An import of two records, enough for the preview's table to have cells to move between.
ImportResult TwoRecords() {
    ImportResult result;
    result.records.resize(2);
    result.records[0].cells[ColDatum] = "01.03.2024";
    result.records[1].cells[ColDatum] = "02.03.2024";
    return result;
}

// The main window with its dialogs, and an import preview; each found by its object name.
struct AllWindows : WindowWithDialogs {
    using WindowWithDialogs::WindowWithDialogs;
    const ImportResult imported = TwoRecords();
    ImportPreviewDialog preview{fmain.get(), imported, {}};

    QWidget* named(const QString& name) {
        for (QWidget* window : {static_cast<QWidget*>(fmain.get()), static_cast<QWidget*>(setup),
                                static_cast<QWidget*>(size), static_cast<QWidget*>(about),
                                static_cast<QWidget*>(statistik), static_cast<QWidget*>(&preview)})
            if (window->objectName() == name)
                return window;
        qFatal("no window named %s", qPrintable(name));
    }
};

} // namespace

class KeyboardTest : public test::GuiTest {
    Q_OBJECT

    QTranslator german_;

private slots:
    // The program's start loads Qt's German texts for the standard buttons.
    void initTestCase() { QVERIFY(test::InstallGermanQtTexts(german_)); }

    // The keys each window has, and that none is given twice. In the main window the menu
    // bar's titles take D, B, E and H, the page "Jahre" J.
    void noLetterTwice_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("Fmain") << "Fmain"
                               << QStringList{"Alt+1", "Alt+B", "Alt+D", "Alt+E", "Alt+H", "Alt+I",
                                              "Alt+J", "Alt+M", "Alt+N", "Alt+R", "Alt+T", "Alt+U"};
        QTest::newRow("FSetup") << "FSetup" << QStringList{};
        QTest::newRow("FSize") << "FSize" << QStringList{"Alt+S"};
        QTest::newRow("FAbout") << "FAbout" << QStringList{"Alt+S"};
        QTest::newRow("FStatistik") << "FStatistik" << QStringList{"Alt+S"};
        QTest::newRow("ImportPreview") << "ImportPreview" << QStringList{};
    }
    void noLetterTwice() {
        QFETCH(QString, window);
        QFETCH(QStringList, keys);
        AllWindows windows;
        const QMultiMap<QString, QString> found = AccessKeys(*windows.named(window));
        QStringList clashes;
        for (const QString& key : found.uniqueKeys())
            if (found.count(key) > 1)
                clashes << key + QStringLiteral(": ") +
                               found.values(key).join(QStringLiteral(", "));
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
        QCOMPARE(found.uniqueKeys(), keys);
    }

    // Within one menu, the menu bar's and the table's context menu, no two items share a
    // letter either.
    void noLetterTwiceInAMenu() {
        test::Window window;
        QList<QMenu*> menus = window->findChildren<QMenu*>();
        QVERIFY(menus.contains(test::Named<QMenu>(*window, QStringLiteral("p_GridMenu"))));
        QStringList clashes;
        for (const QMenu* menu : menus) {
            QMultiMap<QString, QString> keys;
            for (const QAction* item : menu->actions())
                if (const QKeySequence key = QKeySequence::mnemonic(item->text()); !key.isEmpty())
                    keys.insert(key.toString(QKeySequence::PortableText), item->text());
            for (const QString& key : keys.uniqueKeys())
                if (keys.count(key) > 1)
                    clashes << menu->objectName() + QStringLiteral(" ") + key;
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
    }

    // No key is given to two commands, and none takes an access letter of the window (the
    // menu captions with their keys: layout_test).
    void noShortcutTwice() {
        test::Window window;
        const QMultiMap<QString, QString> letters = AccessKeys(*window.fmain);
        QMultiMap<QString, QString> owners;
        for (const QAction* item : window->findChildren<QAction*>())
            for (const QKeySequence& key : item->shortcuts())
                owners.insert(key.toString(QKeySequence::PortableText), item->objectName());
        QStringList clashes;
        for (const QString& key : owners.uniqueKeys())
            if (owners.count(key) > 1 || letters.contains(key))
                clashes
                    << key + QStringLiteral(": ") +
                           (owners.values(key) + letters.values(key)).join(QStringLiteral(", "));
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
        QVERIFY(owners.size() >= 15);
        QCOMPARE(owners.value(QStringLiteral("F6")), QStringLiteral("m_NachDatumSortieren"));
    }

    // Strg+Bild ab and Strg+Bild auf go round the pages from the table, from an open cell
    // editor (whose text goes into the cell first) and from the other pages.
    void pageKeysSwitchPages() {
        const QString file = path(QStringLiteral("pages.slg"));
        test::WriteFile(file, test::NativeFile(test::SampleRecords(6)));
        test::Window window;
        window->FormCreate({file});
        QVERIFY(window.showActive());
        QTabWidget* pages = test::Pages(*window);
        GridView* grid = test::Grid(*window);
        grid->setCursorCell({ColOrt, 2});
        QTest::keyClick(grid, Qt::Key_K);
        QLineEdit* editor = test::OpenEditor(grid);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), 1);
        QCOMPARE(window.cell(ColOrt, 2), QStringLiteral("k"));
        for (int page = 2; page <= pages->count(); ++page) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
            QCOMPARE(pages->currentIndex(), page % pages->count());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(pages->currentIndex(), pages->count() - 1);
        QVERIFY(pages->tabToolTip(1).contains(
            QKeySequence(Qt::CTRL | Qt::Key_PageDown).toString(QKeySequence::NativeText)));
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // Tab from the first control of each window: every control in reading order. The main
    // window's table keeps Tab for its cells; Ctrl+Tab leaves it (gridediting_test).
    void tabOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("view"); // the tab of the chart page
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("order");
        const QStringList panel = {"b_neu", "b_datum", "b_beenden"};
        const QStringList radios = {"p_ansicht_0", "p_zoom_0"};
        const QString pages = QStringLiteral("qt_tabwidget_tabbar");
        QTest::newRow("Fmain, Daten")
            << "Fmain" << 0 << 0 << "b_neu" << panel + QStringList{pages, "p_Grid"};
        QTest::newRow("Fmain, Grafik, chart")
            << "Fmain" << 1 << 0 << "b_neu"
            << panel + radios + QStringList{pages, "p_chartView", "Tab"};
        QTest::newRow("Fmain, Grafik, stations") << "Fmain" << 1 << int(kStationTab) << "b_neu"
                                                 << panel + QStringList{pages, "p_Info", "Tab"};
        QTest::newRow("FSetup") << "FSetup" << 0 << 0 << "CheckBox4"
                                << QStringList{"CheckBox4",    "CheckBox5",      "CheckBox6",
                                               "CheckBox7",    "b_undo",         "f_anmerkung1",
                                               "f_anmerkung2", "f_anmerkung3",   "Edit1",
                                               "Edit2",        "b_dateigroesse", "b_ueber",
                                               "b_annehmen",   "b_abbrechen"};
        QTest::newRow("FSize") << "FSize" << 0 << 0 << "Edit1"
                               << QStringList{"Edit1", "Edit2", "Edit3",
                                              "Edit4", "Edit5", "BitBtn1"};
        QTest::newRow("FAbout") << "FAbout" << 0 << 0 << "Mail1"
                                << QStringList{"Mail1", "Web1", "b_schliessen"};
        QTest::newRow("FStatistik")
            << "FStatistik" << 0 << 0 << "Beenden1" << QStringList{"Beenden1"};
        QTest::newRow("ImportPreview") << "ImportPreview" << 0 << 0 << "records"
                                       << QStringList{"records", "importieren", "abbrechen"};
    }
    void tabOrder() {
        QFETCH(QString, window);
        QFETCH(int, page);
        QFETCH(int, view);
        QFETCH(QString, start);
        QFETCH(QStringList, order);
        const QString file = path(QStringLiteral("tab.slg"));
        test::WriteFile(file, test::NativeFile(test::SampleRecords(6)));
        AllWindows windows({file});
        test::Pages(*windows.fmain)->setCurrentIndex(page);
        test::ViewTabs(*windows.fmain)->setCurrentIndex(view);
        QWidget* shown = windows.named(window);
        shown->show();
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QWidget* first = test::Named<QWidget>(*shown, start);
        first->setFocus(Qt::TabFocusReason);
        QCOMPARE(TabWalk(first), order);
    }
};

SPRITLOG_GUI_TEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
