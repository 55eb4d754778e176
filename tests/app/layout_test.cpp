// The window's controls: names, captions, access letters, shortcuts, icons, cursors and
// fonts, so a slip in the layout shows up as a failing row.
#include "dialogtest.h"

#include "app/window/aboutdialog.h"
#include "app/window/setupdialog.h"
#include "app/window/sizedialog.h"
#include "app/window/statistikdialog.h"
#include "logbook/logbooktable.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

using namespace spritlog;
using test::Window;

class LayoutTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<Window> window_;

private slots:
    void init() {
        GuiTest::init();
        window_ = std::make_unique<Window>();
        (*window_)->FormCreate({});
    }
    void cleanup() { window_.reset(); }

    // What a user sees in each menu: the captions in order with their shortcut, "-" for a
    // separator; every item has its icon.
    void menuCaptions_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("Datei") << "m_Datei"
                               << QStringList{"&Neu [Ctrl+N]",
                                              "&Öffnen [Ctrl+O]",
                                              "&Zuletzt geöffnet",
                                              "-",
                                              "&Speichern [Ctrl+S]",
                                              "Speichern &unter",
                                              "-",
                                              "Ex&port/Import",
                                              "-",
                                              "&Drucken [Ctrl+P]",
                                              "Druck&vorschau...",
                                              "Als PD&F speichern...",
                                              "-",
                                              "&Beenden [F10]"};
        QTest::newRow("Export/Import")
            << "m_ExportImport"
            << QStringList{"Exportieren nach &CSV (Excel)", "Exportieren nach &HTML",
                           "Exportieren als &Arbeitsmappe (.xlsx)", "Exportieren für &Spritmonitor",
                           "&Importieren aus CSV..."};
        QTest::newRow("Bearbeiten") << "m_Bearbeiten"
                                    << QStringList{"R&ückgängig [Ctrl+Z]",
                                                   "&Wiederholen [Ctrl+Y, Ctrl+Shift+Z]",
                                                   "-",
                                                   "&Neuer Datensatz [F2]",
                                                   "-",
                                                   "Aktuelles &Datum einfügen",
                                                   "Markierte Zeile &Löschen",
                                                   "Nach Datum &sortieren [F6]",
                                                   "-",
                                                   "Als &Teilbetankung markieren [Ctrl+T]",
                                                   "&Fehlende Betankung davor [Ctrl+Shift+T]",
                                                   "-",
                                                   "Werte Be&rechnen [F5]"};
        QTest::newRow("Extras") << "m_Extras"
                                << QStringList{"&Statistik", "&Jahresübersicht [Ctrl+J]", "-",
                                               "&Einstellungen"};
        QTest::newRow("Hilfe") << "m_Hilfe" << QStringList{"Hand&buch [F1]",
                                                           "&Über ...",
                                                           "&Update herunterladen",
                                                           "-",
                                                           "&Email an den Autor senden",
                                                           "Ostrel &Homepage"};
    }
    void menuCaptions() {
        QFETCH(QString, menu);
        QFETCH(QStringList, captions);
        QStringList shown;
        for (QAction* action : test::Named<QMenu>(**window_, menu)->actions()) {
            if (action->isSeparator()) {
                shown << QStringLiteral("-");
                continue;
            }
            QStringList keys;
            for (const QKeySequence& keySequence : action->shortcuts())
                keys << keySequence.toString(QKeySequence::PortableText);
            shown << action->text() + (keys.isEmpty()
                                           ? QString()
                                           : QStringLiteral(" [%1]").arg(keys.join(", ")));
            // A checkable item shows its check box where the others show an icon.
            QVERIFY2(action->isCheckable() != !action->icon().isNull(), qPrintable(action->text()));
        }
        QCOMPARE(shown, captions);
    }

    // Each shortcut, pressed in the shown window, runs its command.
    void shortcutsRunTheirCommands() {
        test::WriteFile(path(QStringLiteral("a.slg")), test::NativeFile(test::SampleRecords(3)));
        test::WindowWithDialogs window({path(QStringLiteral("a.slg"))});
        QVERIFY(window.showActive());
        window->document().editCell({ColKm, 2}, "");

        QTest::keyClick(window.fmain.get(), Qt::Key_F5);
        QCOMPARE(window.cell(ColKm, 2), QStringLiteral("500"));
        QTest::keyClick(window.fmain.get(), Qt::Key_F2);
        QCOMPARE(window->RecordCount(), 4);
        QTest::keyClick(window.fmain.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window->RecordCount(), 3);
        QTest::keyClick(window.fmain.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(window->RecordCount(), 4);
        QTest::keyClick(window.fmain.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(window.fmain.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(window->RecordCount(), 4);

        QTest::keyClick(window.fmain.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(test::ReadFile(path(QStringLiteral("a.slg"))).left(3), QByteArray("4\r\n"));

        QTest::keyClick(window.fmain.get(), Qt::Key_F1);
        QVERIFY(test::Named<QWidget>(*window, QStringLiteral("FHandbuch"))->isVisible());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.fmain.get()));

        QTest::keyClick(window.fmain.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(window->RecordCount(), 1);
        QVERIFY(window->document().fileName().empty());

        test::SetAskToSave(*window, false);
        test::SetAutoSave(*window, false);
        QTest::keyClick(window.fmain.get(), Qt::Key_F10);
        QVERIFY(!window->isVisible());
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    void menuBarOrder() {
        QStringList titles;
        for (QAction* action : (*window_)->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&Datei", "&Bearbeiten", "&Extras", "&Hilfe"}));
        QCOMPARE((*window_)->menuBar()->objectName(), QStringLiteral("p_MainMenu"));
    }

    void toolBar() {
        QStringList names;
        for (QAction* action : test::ToolBar(**window_)->actions()) {
            if (action->isSeparator()) {
                names << QStringLiteral("|");
                continue;
            }
            auto* button =
                qobject_cast<QToolButton*>(test::ToolBar(**window_)->widgetForAction(action));
            QVERIFY(button);
            names << button->objectName();
            QVERIFY(!button->icon().isNull());
            QVERIFY(button->text().isEmpty());
            QVERIFY(button->toolTip().isEmpty());
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
        QCOMPARE(names, (QStringList{"t_oeffnen", "t_speichern", "t_drucken", "|", "t_html", "|",
                                     "t_setup", "t_beenden"}));
    }

    void pages() {
        QTabWidget* pages = test::Pages(**window_);
        QCOMPARE(pages->count(), 4);
        const QStringList captions{"Daten", "Grafik", "Statistik", "&Jahre"};
        const QStringList names{"tab_daten", "tab_grafik", "tab_statistik", "tab_jahre"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(pages->tabText(i), captions[i]);
            QCOMPARE(pages->widget(i)->objectName(), names[i]);
        }
        QCOMPARE(pages->tabBar()->cursor().shape(), Qt::PointingHandCursor);
        for (const char* name : {"p_Grid", "p_grafik", "p_chart", "p_Info", "Tab", "p_nografik",
                                 "p_Statistik", "p_nostats", "p_button", "p_StatusBar",
                                 "g_aufrechnung", "g_durchschnitt", "g_rekorde"})
            QVERIFY2((*window_)->findChild<QWidget*>(QLatin1String(name)), name);
    }

    void viewSelector() {
        QTabBar* tab = test::ViewTabs(**window_);
        const QStringList captions{"KM-Stand",  "Getankte Liter", "Liter je 100 KM", "KM-Interval",
                                   "Kosten/KM", "Literpreis",     "Tankkosten",      "Tankstellen"};
        QCOMPARE(tab->count(), captions.size());
        for (int i = 0; i < captions.size(); ++i)
            QCOMPARE(tab->tabText(i), captions[i]);
        QVERIFY(tab->font().bold());
        QCOMPARE(tab->toolTip(), QStringLiteral("Grafikansicht ändern"));
        QCOMPARE(tab->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(tab->currentIndex(), 0);
    }

    void notices_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("chart") << "p_nografik";
        QTest::newRow("statistics") << "p_nostats";
    }
    void notices() {
        QFETCH(QString, name);
        auto* notice = (*window_)->findChild<QLabel*>(name);
        QVERIFY(notice);
        QCOMPARE(notice->text(), QStringLiteral("Zu wenige Einträge verfügbar"));
        QCOMPARE(notice->font().pixelSize(), 16);
        QVERIFY(notice->font().bold());
        QVERIFY(notice->alignment() & Qt::AlignHCenter);
    }

    void buttons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("neu") << "b_neu"
                             << "Ne&uen Datensatz";
        QTest::newRow("datum") << "b_datum"
                               << "Da&tum einfügen";
        QTest::newRow("beenden") << "b_beenden"
                                 << "Beende&n";
    }
    void buttons() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        auto* button = (*window_)->findChild<QPushButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), text);
        QCOMPARE(button->width(), 120);
        QVERIFY(button->font().bold());
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }

    void radioGroups_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("Grafik nach") << "p_ansicht"
                                     << "Grafik nach" << QStringList{"E&intrag", "&Monat"};
        QTest::newRow("Zoom") << "p_zoom"
                              << "Zoom" << QStringList{"&100%", "Be&reich"};
    }
    void radioGroups() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QStringList, items);
        auto* box = (*window_)->findChild<QGroupBox*>(name);
        QVERIFY(box);
        QCOMPARE(box->title(), title);
        QVERIFY(!box->isEnabled());
        auto* group = box->findChild<QButtonGroup*>();
        QVERIFY(group);
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(group->button(i)->text(), items[i]);
    }

    void statusBar() {
        QCOMPARE(test::StatusPanel(**window_, 0)->width(), 150);
        QVERIFY(test::StatusPanel(**window_, 1)->minimumWidth() >= 200);
        QCOMPARE(window_->status(0), QStringLiteral("Status: 1 Datensätze"));
        QCOMPARE(window_->status(1), QStringLiteral("Geladene Datei: "));
    }

    // A stored size is the user's, however small. Without one the window opens at the
    // size that shows every control, in each direction that was not stored.
    void windowSizeAfterStartUp_data() {
        QTest::addColumn<QString>("width"); // the stored text; empty: none stored
        QTest::addColumn<QString>("height");
        QTest::addColumn<int>("expectedWidth"); // 0: what the controls need
        QTest::addColumn<int>("expectedHeight");
        QTest::newRow("small") << "500"
                               << "450" << 500 << 450;
        QTest::newRow("smaller") << "400"
                                 << "300" << 400 << 300;
        QTest::newRow("large") << "900"
                               << "700" << 900 << 700;
        QTest::newRow("first start") << ""
                                     << "" << 0 << 0;
        QTest::newRow("width only") << "400"
                                    << "" << 400 << 0;
        QTest::newRow("unreadable width") << "breit"
                                          << "300" << 0 << 300;
    }
    void windowSizeAfterStartUp() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedHeight);
        window_.reset();
        {
            auto store = test::Store();
            if (!width.isEmpty())
                store->setValue(QStringLiteral("Width"), width);
            if (!height.isEmpty())
                store->setValue(QStringLiteral("Height"), height);
        }
        Window window;
        window->FormCreate({});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.fmain.get()));
        const QSize needed = window->minimumSizeHint();
        QCOMPARE(window->size(), QSize(expectedWidth ? expectedWidth : needed.width(),
                                       expectedHeight ? expectedHeight : needed.height()));
        if (expectedWidth || expectedHeight)
            return;
        // The size of a first start shows the bottom panel whole, and stays near the design.
        QVERIFY(window->width() < 700);
        for (QWidget* control : {static_cast<QWidget*>(test::ZoomBox(*window)),
                                 static_cast<QWidget*>(test::Button(*window, "b_beenden"))}) {
            const QRect placed(control->mapTo(window.fmain.get(), QPoint(0, 0)), control->size());
            QVERIFY2(window->rect().contains(placed), qPrintable(control->objectName()));
        }
    }

    // The user may make the window smaller than its controls need.
    void windowShrinks() {
        (*window_)->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_->fmain.get()));
        (*window_)->resize(400, 300);
        QCOMPARE((*window_)->size(), QSize(400, 300));
        QVERIFY((*window_)->minimumWidth() <= 400);
        QVERIFY((*window_)->minimumHeight() <= 300);
    }

    void fonts() {
        const QFont font = (*window_)->font();
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pointSize(), 8);
        QVERIFY(!font.bold());
        const QFont grid = test::Grid(**window_)->font();
        QCOMPARE(grid.pixelSize(), 11);
        QVERIFY(grid.bold());
        // Every column at least as wide as the logbook has always shown it.
        const int widths[kLogbookColumns - 1] = {60, 55, 45, 60,  35, 70, 55,
                                                 70, 70, 70, 120, 70, 70, 70};
        for (int column = 1; column < kLogbookColumns; ++column)
            QVERIFY2(test::Grid(**window_)->columnWidth(column - 1) >= widths[column - 1],
                     qPrintable(QString::number(column)));
        QVERIFY(test::Grid(**window_)->verticalHeader()->minimumWidth() >= 25); // record numbers
        QCOMPARE(test::Grid(**window_)->horizontalHeader()->count(), 14);
        QVERIFY(test::Grid(**window_)->showGrid());
        QCOMPARE(test::Grid(**window_)->selectionMode(), QAbstractItemView::ContiguousSelection);
        QVERIFY(test::Grid(**window_)->tabKeyNavigation());
    }

    void titleAndDialogs() {
        QCOMPARE((*window_)->objectName(), QStringLiteral("Fmain"));
        // The title reads "Spritlog"; "[*]" is where the desktop marks unsaved changes.
        QCOMPARE((*window_)->windowTitle(), QStringLiteral("Spritlog[*]"));
        QVERIFY(!(*window_)->isWindowModified());
        (*window_)->document().editCell({ColOrt, 1}, "Passau");
        QVERIFY((*window_)->isWindowModified());
        (*window_)->document().undo();
        QVERIFY(!(*window_)->isWindowModified());
        QVERIFY(!(*window_)->windowIcon().isNull());
        TFAbout about(window_->fmain->prompts(), window_->fmain.get());
        TFSetup setup(window_->fmain.get());
        TFSize size(window_->fmain.get());
        TFStatistik statistik(window_->fmain.get());
        QCOMPARE(about.windowTitle(), QStringLiteral("Über..."));
        QCOMPARE(setup.windowTitle(), QStringLiteral("Einstellungen..."));
        QCOMPARE(size.windowTitle(), QStringLiteral("Dateigröße..."));
        QCOMPARE(statistik.windowTitle(), QStringLiteral("Statistik..."));
        for (QDialog* dialog : {static_cast<QDialog*>(&about), static_cast<QDialog*>(&setup),
                                static_cast<QDialog*>(&size), static_cast<QDialog*>(&statistik)})
            QVERIFY(dialog->windowFlags() & Qt::Tool);
        QVERIFY(statistik.findChild<QGroupBox*>(QStringLiteral("GroupBox1")));
        for (int k = 1; k <= 12; ++k)
            QCOMPARE(statistik.findChild<QLabel*>(QStringLiteral("L%1").arg(k))->text(),
                     QStringLiteral("L%1").arg(k));
    }

    // Without a browser or mail program the user is told so and gets the address to copy.
    void helpMenuHandsAddressesToTheDesktop_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("shown");
        const QString update =
            QStringLiteral("https://spritlog.example.org/index.php?id=spritlog&checkversion=3.3");
        const QString mail = QStringLiteral("autor@spritlog.example.org");
        const QString home = QStringLiteral("https://spritlog.example.org");
        QTest::newRow("update") << "m_Updateherunterladen" << true << update << QString();
        QTest::newRow("mail") << "m_EmailandenAutorsenden" << true << "MailTo:" + mail << QString();
        QTest::newRow("home page") << "m_OstrelHomepage" << true << home << QString();
        QTest::newRow("update, no browser") << "m_Updateherunterladen" << false << update << update;
        QTest::newRow("mail, no mail program")
            << "m_EmailandenAutorsenden" << false << "MailTo:" + mail << mail;
        QTest::newRow("home page, no browser") << "m_OstrelHomepage" << false << home << home;
    }
    void helpMenuHandsAddressesToTheDesktop() {
        QFETCH(QString, item);
        QFETCH(bool, desktopOpens);
        QFETCH(QString, url);
        QFETCH(QString, shown);
        window_->prompts->desktopOpens = desktopOpens;
        (*window_)->findChild<QAction*>(item)->trigger();
        QCOMPARE(window_->prompts->opened, QList<QUrl>{QUrl(url)});
        if (shown.isEmpty()) {
            QCOMPARE(window_->prompts->addresses, QStringList());
        } else {
            QCOMPARE(window_->prompts->addresses.size(), 2);
            QVERIFY(window_->prompts->addresses[0].contains(QStringLiteral("nicht")));
            QCOMPARE(window_->prompts->addresses[1], shown);
        }
        QCOMPARE(window_->prompts->errors, QStringList());
    }
};

SPRITLOG_GUI_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
