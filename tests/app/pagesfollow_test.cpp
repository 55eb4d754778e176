// The pages "Grafik" and "Statistik" follow the logbook: every change shows on the page at
// once while it is shown, and a hidden page catches up when it is shown.
#include "guitest.h"

#include "chartwidget/qtchartwidget.h"

#include "charts/chartviews.h"

#include <QChart>
#include <QLineSeries>
#include <QSignalSpy>

using namespace spritlog;
using test::Window;

namespace {

// A Spritmonitor export of one refuelling after the sample logbook: 36 litres.
const QByteArray kOneRefuelling =
    "Datum;Kilometerstand;Strecke;Menge;Gesamtpreis;W\xC3\xA4hrung;Betankungsart;Kraftstoff;"
    "Bemerkung;Tankstelle;Land;Region;Ort\r\n"
    "10.03.2024;11.900;400;36,00;54,00;EUR;1;7;;Aral;D;Bayern;M\xC3\xBCnchen\r\n";

enum Page { Grafik = 1, Statistik = 2 };

QtChartWidget* ShownChart(const TFmain& fmain) {
    return dynamic_cast<QtChartWidget*>(test::Chart(fmain));
}

// What the page shows: the values of the chart's points joined by "|", or the text of a
// statistics label; the notice's text where it covers the page.
QString Shown(const TFmain& fmain, Page page, int label) {
    QLabel* notice = page == Grafik ? test::ChartNotice(fmain) : test::StatisticsNotice(fmain);
    if (!notice->isHidden())
        return notice->text();
    if (page == Statistik)
        return test::StatisticsLabels(fmain)[label]->text();
    QStringList values;
    const QtChartWidget* chart = ShownChart(fmain);
    for (int point = 0; point < chart->pointCount(); ++point)
        values << QString::number(chart->pointValue(0, point));
    return values.join(QLatin1Char('|'));
}

} // namespace

class PagesFollowTest : public test::GuiTest {
    Q_OBJECT

    // A cell typed over, as in the table's cell editor (the model shows no column 0 and no
    // heading row).
    static void type(TFmain& fmain, int column, int record, const char* text) {
        LogbookModel* model = fmain.gridModel();
        QVERIFY(model->setData(model->index(record - 1, column - 1), QString::fromLatin1(text)));
    }
    static void typeLiter(TFmain& fmain, const char* text) { type(fmain, ColLiter, 1, text); }

    // The sample logbook of four records, started with.
    void openSample(TFmain& fmain) {
        const QString file = path(QStringLiteral("vier.slg"));
        test::WriteFile(file, test::NativeFile(test::SampleRecords(4)));
        fmain.FormCreate({file});
    }

private slots:
    // Each change with the page shown; `label` is the statistics label (L2 Getankte Liter,
    // L3 Tankkosten), `tab` the chart view. The sample logbook: 40, 39, 38 and 37 litres at
    // 1.50, Tankkosten 60, 58.5, 57, 55.5 (231.00 EUR).
    void pageFollows_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const QString notice = QStringLiteral("Zu wenige Einträge verfügbar");
        struct Row {
            const char* event;
            int tab, label;
            const char* chartBefore;
            const char* chartAfter;
            const char* statsBefore;
            const char* statsAfter;
        };
        const Row rows[] = {
            // Litres typed: 40 becomes 50.
            {"edit", 1, 1, "40|39|38|37", "50|39|38|37", "154.00 Liter", "164.00 Liter"},
            {"undo", 1, 1, "50|39|38|37", "40|39|38|37", "164.00 Liter", "154.00 Liter"},
            {"redo", 1, 1, "40|39|38|37", "50|39|38|37", "154.00 Liter", "164.00 Liter"},
            // Literpreis 2.00 typed in record 1: Tankkosten 80.
            {"calculate", 6, 2, "80|58.5|57|55.5", "80|58.5|57|55.5", "251.00 EUR", "251.00 EUR"},
            {"import", 1, 1, "40|39|38|37", "40|39|38|37|36", "154.00 Liter", "190.00 Liter"},
            {"new", 1, 1, "40|39|38|37", nullptr, "154.00 Liter", nullptr},
            // Another logbook of three records: 40, 39, 38 litres.
            {"load", 1, 1, "40|39|38|37", "40|39|38", "154.00 Liter", "117.00 Liter"},
        };
        for (const Row& r : rows) {
            QTest::addRow("Grafik, %s", r.event)
                << int(Grafik) << QString::fromLatin1(r.event) << r.tab << r.label
                << QString::fromLatin1(r.chartBefore)
                << (r.chartAfter ? QString::fromLatin1(r.chartAfter) : notice);
            QTest::addRow("Statistik, %s", r.event)
                << int(Statistik) << QString::fromLatin1(r.event) << r.tab << r.label
                << QString::fromLatin1(r.statsBefore)
                << (r.statsAfter ? QString::fromLatin1(r.statsAfter) : notice);
        }
    }
    void pageFollows() {
        QFETCH(int, page);
        QFETCH(QString, event);
        QFETCH(int, tab);
        QFETCH(int, label);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Window window;
        TFmain& fmain = *window;
        openSample(fmain);
        test::ViewTabs(fmain)->setCurrentIndex(tab);

        // What comes before the change, on the page "Daten".
        if (event == QLatin1String("undo") || event == QLatin1String("redo"))
            typeLiter(fmain, "50.00");
        if (event == QLatin1String("redo"))
            trigger(window, "m_Rueckgaengig");
        if (event == QLatin1String("calculate"))
            type(fmain, ColLiterpreis, 1, "2.00");
        test::Pages(fmain)->setCurrentIndex(page);
        QCOMPARE(Shown(fmain, Page(page), label), before);

        // The change, with the page shown; a chart drawn anew has its title back.
        ShownChart(fmain)->chart()->setTitle(QStringLiteral("vorher"));
        if (event == QLatin1String("edit")) {
            typeLiter(fmain, "50.00");
            QCoreApplication::processEvents(); // no command: drawn from the event loop
        } else if (event == QLatin1String("undo")) {
            trigger(window, "m_Rueckgaengig");
        } else if (event == QLatin1String("redo")) {
            trigger(window, "m_Wiederholen");
        } else if (event == QLatin1String("calculate")) {
            trigger(window, "m_WerteBerechnen");
        } else if (event == QLatin1String("import")) {
            test::WriteFile(path(QStringLiteral("quelle.csv")), kOneRefuelling);
            window.prompts->openAnswers.push_back(path(QStringLiteral("quelle.csv")));
            window.prompts->importAnswers.push_back(true);
            trigger(window, "m_Import_CSV");
        } else if (event == QLatin1String("new")) {
            window.prompts->yesNoCancelAnswers.push_back(Prompts::Answer::No);
            trigger(window, "m_Neu");
        } else if (event == QLatin1String("load")) {
            const QString other = path(QStringLiteral("drei.slg"));
            test::WriteFile(other, test::NativeFile(test::SampleRecords(3)));
            window.prompts->yesNoCancelAnswers.push_back(Prompts::Answer::No);
            window.prompts->openAnswers.push_back(other);
            trigger(window, "m_Laden");
        }
        QCOMPARE(Shown(fmain, Page(page), label), after);
        const bool drawn = page == Grafik && event != QLatin1String("new");
        QCOMPARE(ShownChart(fmain)->chart()->title(),
                 drawn ? QString::fromLatin1(ChartTabCaption(tab)) : QStringLiteral("vorher"));
        QCOMPARE(test::Pages(fmain)->currentIndex(), page);
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // A hidden page draws nothing while the logbook changes; shown, it catches up once, and
    // shown again without a change it is not drawn again.
    void hiddenPageWaits() {
        Window window;
        TFmain& fmain = *window;
        openSample(fmain);
        test::ViewTabs(fmain)->setCurrentIndex(1);
        QSignalSpy drawn(ShownChart(fmain)->series(0), &QXYSeries::pointsReplaced);
        test::Pages(fmain)->setCurrentIndex(1);
        QCOMPARE(drawn.count(), 1);
        test::Pages(fmain)->setCurrentIndex(0);
        typeLiter(fmain, "50.00");
        typeLiter(fmain, "45.00");
        QCoreApplication::processEvents();
        QCOMPARE(drawn.count(), 1);
        QCOMPARE(Shown(fmain, Grafik, 0), QStringLiteral("40|39|38|37"));
        test::Pages(fmain)->setCurrentIndex(1);
        QCOMPARE(drawn.count(), 2);
        QCOMPARE(Shown(fmain, Grafik, 0), QStringLiteral("45|39|38|37"));
        test::Pages(fmain)->setCurrentIndex(2);
        test::Pages(fmain)->setCurrentIndex(1);
        QCOMPARE(drawn.count(), 2);
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // A command that fails shows its error once; the page shown does not fail again with it.
    void failedCommandShowsOneError() {
        Window window;
        TFmain& fmain = *window;
        openSample(fmain);
        test::Pages(fmain)->setCurrentIndex(Statistik);
        type(fmain, ColKmStand, 3, "1o000");
        window.prompts->errors.clear();
        trigger(window, "m_WerteBerechnen");
        QCoreApplication::processEvents();
        QCOMPARE(window.prompts->errors.size(), 1);
    }
};

SPRITLOG_GUI_TEST_MAIN(PagesFollowTest)
#include "pagesfollow_test.moc"
