// The page switch: notices with fewer than three records, the radio groups, the chart
// views and the statistics page.
#include "guitest.h"

#include "app/window/texttablemodel.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

using namespace spritlog;
using test::Window;

class PagesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // A logbook of `records` records; `months` spreads them over that many months.
    std::unique_ptr<Window> open(int records, int months = 1) {
        auto window = std::make_unique<Window>();
        const QString file = dir_.filePath(QStringLiteral("p%1.slg").arg(records));
        std::vector<test::Record> logbook = test::SampleRecords(records);
        for (int i = 0; i < records; ++i)
            logbook[i].datum =
                "1" + std::to_string(i) + ".0" + std::to_string(1 + i * months / records) + ".2024";
        test::WriteFile(file, test::NativeFile(logbook));
        (*window)->FormCreate({file});
        return window;
    }

private slots:
    void init() { test::ClearStore(); }

    void noticesAndRadioGroups_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("chartNotice");
        QTest::addColumn<bool>("statsNotice");
        QTest::addColumn<bool>("groupsEnabled");
        QTest::newRow("Grafik, 2 records") << 2 << 1 << true << false << true;
        QTest::newRow("Grafik, 3 records") << 3 << 1 << false << false << true;
        QTest::newRow("Statistik, 2 records") << 2 << 2 << false << true << false;
        QTest::newRow("Statistik, 3 records") << 3 << 2 << false << false << false;
        QTest::newRow("Daten, 2 records") << 2 << 0 << false << false << false;
        QTest::newRow("Daten, 3 records") << 3 << 0 << false << false << false;
    }
    void noticesAndRadioGroups() {
        QFETCH(int, records);
        QFETCH(int, page);
        QFETCH(bool, chartNotice);
        QFETCH(bool, statsNotice);
        QFETCH(bool, groupsEnabled);
        auto window = open(records);
        TFmain* fmain = window->fmain.get();
        // Leave "Daten" first so every row really switches the page.
        fmain->p_control->setCurrentIndex(page == 1 ? 2 : 1);
        fmain->p_control->setCurrentIndex(page);
        QCOMPARE(!fmain->p_nografik->isHidden(), chartNotice);
        QCOMPARE(!fmain->p_nostats->isHidden(), statsNotice);
        QCOMPARE(fmain->p_ansicht->isEnabled(), groupsEnabled);
        QCOMPARE(fmain->p_zoom->isEnabled(), groupsEnabled);
        QCOMPARE(window->prompts->errors, QStringList());
    }

    void chartPageDrawsTheSelectedView() {
        auto window = open(3);
        TFmain* fmain = window->fmain.get();
        window->fmain->document().editCell({ColKm, 2}, ""); // recomputed on entry
        fmain->p_control->setCurrentIndex(1);
        QCOMPARE(fmain->p_chart->hText(), std::string("KM-Stand"));
        QCOMPARE(window->cell(ColKm, 2), QStringLiteral("500"));
        QVERIFY(!fmain->p_chart->isHidden());
        QVERIFY(fmain->p_Info->isHidden());

        fmain->Tab->setCurrentIndex(2);
        QCOMPARE(fmain->p_chart->hText(), std::string("Liter je 100 KM"));

        // "Tankstellen": the station table instead of the chart, radio groups off.
        fmain->Tab->setCurrentIndex(7);
        QVERIFY(fmain->p_chart->isHidden());
        QVERIFY(!fmain->p_Info->isHidden());
        QVERIFY(!fmain->p_ansicht->isEnabled());
        QCOMPARE(fmain->p_Info->model()->rowCount(), 4); // 2 groups, average, empty row
        QCOMPARE(fmain->p_Info->model()->index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(fmain->p_Info->model()->index(0, 1).data().toString(),
                 QStringLiteral("Nord (Super)"));
        QVERIFY(fmain->p_Info->columnWidth(1) >= 115);

        // Back to the statistics page and to "Grafik": the selected view is built again.
        fmain->p_control->setCurrentIndex(2);
        fmain->p_control->setCurrentIndex(1);
        QVERIFY(!fmain->p_Info->isHidden());
        QVERIFY(!fmain->p_ansicht->isEnabled());

        fmain->Tab->setCurrentIndex(0);
        QVERIFY(!fmain->p_chart->isHidden());
        QVERIFY(fmain->p_Info->isHidden());
        QVERIFY(fmain->p_ansicht->isEnabled());
        QCOMPARE(window->prompts->errors, QStringList());
    }

    void radioGroupsRedrawTheChart() {
        auto window = open(6, 3);
        TFmain* fmain = window->fmain.get();
        fmain->show();
        fmain->p_control->setCurrentIndex(1);
        const int perRecord = fmain->document().chartSource().rowCount();
        fmain->p_chart->setHText("gezeichnet?");
        QTest::mouseClick(fmain->findChild<QRadioButton*>(QStringLiteral("p_ansicht_1")),
                          Qt::LeftButton);
        QCOMPARE(fmain->p_ansichtItems->checkedId(), 1);
        QCOMPARE(fmain->p_chart->hText(), std::string("KM-Stand"));
        // Six records in three months.
        QVERIFY2(fmain->document().chartSource().rowCount() < perRecord,
                 qPrintable(QString::number(fmain->document().chartSource().rowCount())));
        QVERIFY(fmain->p_ansicht->isEnabled());

        fmain->p_chart->setHText("gezeichnet?");
        QTest::mouseClick(fmain->findChild<QRadioButton*>(QStringLiteral("p_zoom_0")),
                          Qt::LeftButton);
        QCOMPARE(fmain->p_zoomItems->checkedId(), 0);
        QCOMPARE(fmain->p_chart->hText(), std::string("KM-Stand"));
        QCOMPARE(window->prompts->errors, QStringList());
    }

    void statisticsPageShowsTheFigures() {
        auto window = open(3);
        TFmain* fmain = window->fmain.get();
        QCOMPARE(fmain->statisticsLabels[0]->text(), QStringLiteral("L1"));
        QCOMPARE(fmain->statisticsLabels[11]->objectName(), QStringLiteral("L12"));
        fmain->p_control->setCurrentIndex(2);
        QCOMPARE(fmain->statisticsLabels[0]->text(), QStringLiteral("1.000 KM"));
        QCOMPARE(fmain->statisticsLabels[1]->text(), QStringLiteral("79.00 Liter"));
        QCOMPARE(fmain->statisticsLabels[11]->text(), QStringLiteral("500.00 KM"));

        // An odometer that is no whole number: the box says so, the labels stay.
        fmain->p_control->setCurrentIndex(0);
        fmain->document().editCell({ColKmStand, 3}, "");
        fmain->p_control->setCurrentIndex(2);
        QCOMPARE(window->prompts->errors,
                 QStringList{QStringLiteral("'' is not a valid integer value.")});
        QCOMPARE(fmain->statisticsLabels[0]->text(), QStringLiteral("1.000 KM"));
    }

    void statisticsCommandWithTooFewRecords() {
        auto window = open(2);
        TFmain* fmain = window->fmain.get();
        fmain->p_control->setCurrentIndex(2);
        fmain->p_control->setCurrentIndex(0);
        QVERIFY(fmain->p_nostats->isHidden());
        fmain->findChild<QAction*>(QStringLiteral("m_Statistik"))->trigger();
        QVERIFY(!fmain->p_nostats->isHidden());
        QCOMPARE(window->prompts->errors, QStringList());
        QCOMPARE(window->prompts->notices, QStringList());
    }

    // With too few records the view selector still runs its view: the station table of a
    // single record divides 0 by 0, which the box reports; the table stays hidden.
    void stationViewOfASingleRecord() {
        auto window = open(1);
        TFmain* fmain = window->fmain.get();
        fmain->p_control->setCurrentIndex(1);
        QVERIFY(!fmain->p_nografik->isHidden());
        fmain->Tab->setCurrentIndex(7);
        QCOMPARE(window->prompts->errors,
                 QStringList{QStringLiteral("Invalid floating point operation.")});
        QVERIFY(fmain->p_Info->isHidden());
        QVERIFY(!fmain->p_nografik->isHidden());
    }
};

SPRITLOG_GUI_TEST_MAIN(PagesTest)
#include "pages_test.moc"
