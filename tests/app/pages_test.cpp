// The page switch: notices with fewer than three records, the radio groups, the chart
// views and the statistics page.
#include "guitest.h"

#include "app/window/texttablemodel.h"
#include "chartwidget/qtchartwidget.h"

#include <QAction>
#include <QButtonGroup>
#include <QChart>
#include <QGroupBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

using namespace spritlog;
using test::Window;

namespace {

// The Qt chart of the page "Grafik", whose title names the view shown.
QChart* ShownChart(const TFmain& fmain) {
    return dynamic_cast<QtChartWidget*>(test::Chart(fmain))->chart();
}

} // namespace

class PagesTest : public test::GuiTest {
    Q_OBJECT

    // A logbook of `records` records; `months` spreads them over that many months.
    std::unique_ptr<Window> open(int records, int months = 1) {
        auto window = std::make_unique<Window>();
        const QString file = path(QStringLiteral("p%1.slg").arg(records));
        std::vector<test::Record> logbook = test::SampleRecords(records);
        for (int i = 0; i < records; ++i)
            logbook[i][test::Datum] =
                "1" + std::to_string(i) + ".0" + std::to_string(1 + i * months / records) + ".2024";
        test::WriteFile(file, test::NativeFile(logbook));
        (*window)->FormCreate({file});
        return window;
    }

private slots:

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
        test::Pages(*fmain)->setCurrentIndex(page == 1 ? 2 : 1);
        test::Pages(*fmain)->setCurrentIndex(page);
        QCOMPARE(!test::ChartNotice(*fmain)->isHidden(), chartNotice);
        QCOMPARE(!test::StatisticsNotice(*fmain)->isHidden(), statsNotice);
        QCOMPARE(test::BasisBox(*fmain)->isEnabled(), groupsEnabled);
        QCOMPARE(test::ZoomBox(*fmain)->isEnabled(), groupsEnabled);
        QCOMPARE(window->prompts->errors, QStringList());
    }

    void chartPageDrawsTheSelectedView() {
        auto window = open(3);
        TFmain* fmain = window->fmain.get();
        window->fmain->document().editCell({ColKm, 2}, ""); // recomputed on entry
        test::Pages(*fmain)->setCurrentIndex(1);
        QCOMPARE(ShownChart(*fmain)->title(), QStringLiteral("KM-Stand"));
        QCOMPARE(window->cell(ColKm, 2), QStringLiteral("500"));
        QVERIFY(!test::Chart(*fmain)->isHidden());
        QVERIFY(test::Info(*fmain)->isHidden());

        test::ViewTabs(*fmain)->setCurrentIndex(2);
        QCOMPARE(ShownChart(*fmain)->title(), QStringLiteral("Liter je 100 KM"));

        // "Tankstellen": the station table instead of the chart, radio groups off.
        test::ViewTabs(*fmain)->setCurrentIndex(7);
        QVERIFY(test::Chart(*fmain)->isHidden());
        QVERIFY(!test::Info(*fmain)->isHidden());
        QVERIFY(!test::BasisBox(*fmain)->isEnabled());
        QCOMPARE(test::Info(*fmain)->model()->rowCount(), 4); // 2 groups, average, empty row
        QCOMPARE(test::Info(*fmain)->model()->index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(test::Info(*fmain)->model()->index(0, 1).data().toString(),
                 QStringLiteral("Nord (Super)"));
        QVERIFY(test::Info(*fmain)->columnWidth(1) >= 115);

        // Back to the statistics page and to "Grafik": the selected view is built again.
        test::Pages(*fmain)->setCurrentIndex(2);
        test::Pages(*fmain)->setCurrentIndex(1);
        QVERIFY(!test::Info(*fmain)->isHidden());
        QVERIFY(!test::BasisBox(*fmain)->isEnabled());

        test::ViewTabs(*fmain)->setCurrentIndex(0);
        QVERIFY(!test::Chart(*fmain)->isHidden());
        QVERIFY(test::Info(*fmain)->isHidden());
        QVERIFY(test::BasisBox(*fmain)->isEnabled());
        QCOMPARE(window->prompts->errors, QStringList());
    }

    void radioGroupsRedrawTheChart() {
        auto window = open(6, 3);
        TFmain* fmain = window->fmain.get();
        fmain->show();
        test::Pages(*fmain)->setCurrentIndex(1);
        const int perRecord = fmain->document().chartSource().rowCount();
        ShownChart(*fmain)->setTitle(QStringLiteral("gezeichnet?"));
        QTest::mouseClick(fmain->findChild<QRadioButton*>(QStringLiteral("p_ansicht_1")),
                          Qt::LeftButton);
        QCOMPARE(test::BasisItems(*fmain)->checkedId(), 1);
        QCOMPARE(ShownChart(*fmain)->title(), QStringLiteral("KM-Stand"));
        // Six records in three months.
        QVERIFY2(fmain->document().chartSource().rowCount() < perRecord,
                 qPrintable(QString::number(fmain->document().chartSource().rowCount())));
        QVERIFY(test::BasisBox(*fmain)->isEnabled());

        ShownChart(*fmain)->setTitle(QStringLiteral("gezeichnet?"));
        QTest::mouseClick(fmain->findChild<QRadioButton*>(QStringLiteral("p_zoom_0")),
                          Qt::LeftButton);
        QCOMPARE(test::ZoomItems(*fmain)->checkedId(), 0);
        QCOMPARE(ShownChart(*fmain)->title(), QStringLiteral("KM-Stand"));
        QCOMPARE(window->prompts->errors, QStringList());
    }

    void statisticsPageShowsTheFigures() {
        auto window = open(3);
        TFmain* fmain = window->fmain.get();
        QCOMPARE(test::StatisticsLabels(*fmain)[0]->text(), QStringLiteral("L1"));
        QCOMPARE(test::StatisticsLabels(*fmain)[11]->objectName(), QStringLiteral("L12"));
        test::Pages(*fmain)->setCurrentIndex(2);
        QCOMPARE(test::StatisticsLabels(*fmain)[0]->text(), QStringLiteral("1.000 KM"));
        // Every record counts: 40 + 39 + 38 litres.
        QCOMPARE(test::StatisticsLabels(*fmain)[1]->text(), QStringLiteral("117.00 Liter"));
        QCOMPARE(test::StatisticsLabels(*fmain)[11]->text(), QStringLiteral("500.00 KM"));

        // The last record without its reading yet: no box; the distance driven needs the last
        // reading and is no figure, the litres still count.
        test::Pages(*fmain)->setCurrentIndex(0);
        fmain->document().editCell({ColKmStand, 3}, "");
        test::Pages(*fmain)->setCurrentIndex(2);
        QVERIFY(window->prompts->errors.isEmpty());
        QCOMPARE(test::StatisticsLabels(*fmain)[0]->text(), QString());
        QCOMPARE(test::StatisticsLabels(*fmain)[1]->text(), QStringLiteral("117.00 Liter"));
    }

    void statisticsCommandWithTooFewRecords() {
        auto window = open(2);
        TFmain* fmain = window->fmain.get();
        test::Pages(*fmain)->setCurrentIndex(2);
        test::Pages(*fmain)->setCurrentIndex(0);
        QVERIFY(test::StatisticsNotice(*fmain)->isHidden());
        fmain->findChild<QAction*>(QStringLiteral("m_Statistik"))->trigger();
        QVERIFY(!test::StatisticsNotice(*fmain)->isHidden());
        QCOMPARE(window->prompts->errors, QStringList());
        QCOMPARE(window->prompts->notices, QStringList());
    }

    // With too few records the view selector still runs its view: the station table of a
    // single record averages only the cells that hold a value, so it shows without a box,
    // and the notice stays.
    void stationViewOfASingleRecord() {
        auto window = open(1);
        TFmain* fmain = window->fmain.get();
        test::Pages(*fmain)->setCurrentIndex(1);
        QVERIFY(!test::ChartNotice(*fmain)->isHidden());
        test::ViewTabs(*fmain)->setCurrentIndex(7);
        QCOMPARE(window->prompts->errors, QStringList());
        QVERIFY(!test::Info(*fmain)->isHidden());
        QVERIFY(!test::ChartNotice(*fmain)->isHidden());
        // Nord with its one record, then "Durchschnitt": Anzahl 1, no Verbrauch (the first
        // record has no KM), Literpreis 1.50, Tankkosten 40 x 1.50 = 60.00, no Kosten/Km.
        const QAbstractItemModel* table = test::Info(*fmain)->model();
        QStringList average;
        for (int column = 1; column < 7; ++column)
            average << table->index(1, column).data().toString();
        QCOMPARE(average, (QStringList{"Durchschnitt", "1", "", " 1.50", "60.00", ""}));
    }
};

SPRITLOG_GUI_TEST_MAIN(PagesTest)
#include "pages_test.moc"
