// The page "Grafik": the chart views as values and as the Qt Charts widget shows them, the
// view selector, the station table, the radio groups and the notice.
#include "charttest.h"

#include "app/window/texttablemodel.h"
#include "chartwidget/qtchartwidget.h"

#include "charts/chartviews.h"
#include "charts/drawnpoints.h"
#include "logbook/conventions.h"
#include "platform/celltext.h"

#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace spritlog;
using namespace spritlog::test;

namespace {

// A main window with the Qt Charts widget as its chart.
struct ChartWindow : test::Window {
    QtChartWidget* qt = nullptr;

    ChartWindow()
        : Window([] { return std::unique_ptr<QPrinter>(); },
                 [](QWidget* parent) -> ChartWidget* { return new QtChartWidget(parent); }),
          qt(dynamic_cast<QtChartWidget*>(test::Chart(*fmain))) {}

    void enterChartPage() {
        test::Pages(*fmain)->setCurrentIndex(0);
        test::Pages(*fmain)->setCurrentIndex(1);
    }
};

test::Record MakeRecord(const char* datum, const char* km, const char* liter, const char* preis,
                        const char* station) {
    return {datum, km, liter, preis, "Super", station};
}

// The worked example: three records, Nord, West, Nord, all Super.
std::vector<test::Record> WorkedExample() {
    return {MakeRecord("05.01.2024", "10000", "40", "1.50", "Nord"),
            MakeRecord("20.02.2024", "10500", "35", "1.40", "West"),
            MakeRecord("10.03.2024", "11000", "30", "1.60", "Nord")};
}

// Five records in three months; March, the last run, is the current month and is drawn too.
std::vector<test::Record> ThreeMonths() {
    return {MakeRecord("05.01.2024", "10000", "40", "1.50", "Nord"),
            MakeRecord("20.01.2024", "10500", "35", "1.40", "West"),
            MakeRecord("10.02.2024", "11000", "30", "1.60", "Nord"),
            MakeRecord("25.02.2024", "11400", "32", "1.50", "Nord"),
            MakeRecord("05.03.2024", "12000", "40", "1.50", "West")};
}

// A plug-in hybrid: two fills of petrol, two charges between them.
std::vector<test::Record> PlugInHybrid() {
    return {{"05.01.2024", "10000", "40", "1.50", "Super", "Nord"},
            {"10.01.2024", "10100", "10", "0.30", "Strom", "Wallbox"},
            {"20.01.2024", "10500", "12", "0.30", "Strom", "Wallbox"},
            {"10.02.2024", "11000", "30", "1.60", "Super", "Nord"}};
}

std::vector<test::Record> Logbook(const QString& name) {
    if (name == QLatin1String("hybrid"))
        return PlugInHybrid();
    if (name == QLatin1String("worked"))
        return WorkedExample();
    if (name == QLatin1String("months"))
        return ThreeMonths();
    return test::SampleRecords(name.toInt()); // "2", "1": that many records
}

} // namespace

class ChartTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<ChartWindow> open(const QString& logbook) {
        auto window = std::make_unique<ChartWindow>();
        const QString file = path(logbook + QStringLiteral(".slg"));
        test::WriteFile(file, test::NativeFile(Logbook(logbook)));
        (*window)->FormCreate({file});
        return window;
    }

private slots:
    void init() {
        GuiTest::init();
        // German number formatting wherever Qt would use the locale.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    // Every view's series, axis range, title and point texts: the value the page draws and
    // what the chart shows of it.
    void views_data() {
        QTest::addColumn<QString>("logbook");
        QTest::addColumn<int>("basis"); // 0 "Eintrag", 1 "Monat"
        QTest::addColumn<int>("zoom");  // 0 "100%", 1 "Bereich"
        QTest::addColumn<int>("tab");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("average");
        QTest::addColumn<double>("axisMinimum"); // of the value (ChartSeriesOf)
        QTest::addColumn<double>("axisMaximum");
        QTest::addColumn<double>("shownMinimum"); // as the Qt chart's value axis shows it
        QTest::addColumn<double>("shownMaximum");
        QTest::addColumn<QStringList>("labels");

        struct Row {
            const char* name;
            const char* logbook;
            int basis, zoom, tab;
            QList<double> values;
            double average, minimum, maximum, shownMinimum, shownMaximum;
            QStringList labels;
        };
        // Every record counts, the newest too. The worked example: Tankkosten 60, 49, 48;
        // KM -, 500, 500; Verbrauch -, 7.00, 6.00; Kosten/Km -, 9.80, 9.60. Views 3 to 5
        // start at the second record.
        const QStringList records{"05.01.2024", "20.02.2024", "10.03.2024"};
        const QStringList fromSecond{"20.02.2024", "10.03.2024"};
        // The five records by month: January 1-2, February 3-4, March 5 (the current
        // month). KM -, 500, 500, 400, 600; Verbrauch -, 7.00, 6.00, 8.00, 6.67 (40 / 600);
        // Kosten/Km -, 9.80, 9.60, 12.00, 10.00; Tankkosten 60, 49, 48, 48, 60.
        const QStringList months{"01.2024", "02.2024", "03.2024"};
        const QStringList laterMonths{"02.2024", "03.2024"};
        const Row rows[] = {
            {"KM-Stand",
             "worked",
             0,
             1,
             0,
             {10000, 10500, 11000},
             10500,
             10000,
             11000,
             10000,
             11000,
             records},
            {"Getankte Liter", "worked", 0, 1, 1, {40, 35, 30}, 35, 30, 40, 30, 40, records},
            {"Liter je 100 KM", "worked", 0, 1, 2, {7, 6}, 6.5, 6, 7, 6, 7, fromSecond},
            // A flat line: the axis gets a band around it.
            {"KM-Interval", "worked", 0, 1, 3, {500, 500}, 500, 500, 500, 450, 550, fromSecond},
            {"Kosten/KM", "worked", 0, 1, 4, {9.8, 9.6}, 9.7, 9.6, 9.8, 9.6, 9.8, fromSecond},
            {"Literpreis", "worked", 0, 1, 5, {1.5, 1.4, 1.6}, 1.5, 1.4, 1.6, 1.4, 1.6, records},
            {"Tankkosten", "worked", 0, 1, 6, {60, 49, 48}, 157.0 / 3, 48, 60, 48, 60, records},
            {"KM-Stand 100%",
             "worked",
             0,
             0,
             0,
             {10000, 10500, 11000},
             10500,
             0,
             11000,
             0,
             11000,
             records},
            {"Liter je 100 KM 100%", "worked", 0, 0, 2, {7, 6}, 6.5, 0, 7, 0, 7, fromSecond},
            {"Eintrag",
             "months",
             0,
             1,
             0,
             {10000, 10500, 11000, 11400, 12000},
             10980, // 54900 / 5
             10000,
             12000,
             10000,
             12000,
             {"05.01.2024", "20.01.2024", "10.02.2024", "25.02.2024", "05.03.2024"}},
            // A month's reading is the one at its end.
            {"Monat KM-Stand",
             "months",
             1,
             1,
             0,
             {10500, 11400, 12000},
             11300,
             10500,
             12000,
             10500,
             12000,
             months},
            {"Monat Liter", "months", 1, 1, 1, {75, 62, 40}, 59, 40, 75, 40, 75, months},
            {"Monat Liter 100%", "months", 1, 0, 1, {75, 62, 40}, 59, 0, 75, 0, 75, months},
            // February: the mean of 6.00 and 8.00; March: 6.67 alone.
            {"Monat Verbrauch", "months", 1, 1, 2, {7, 6.67}, 6.835, 6.67, 7, 6.67, 7, laterMonths},
            {"Monat KM-Interval",
             "months",
             1,
             1,
             3,
             {900, 600},
             750,
             600,
             900,
             600,
             900,
             laterMonths},
            // February: the mean of 9.60 and 12.00.
            {"Monat Kosten/KM",
             "months",
             1,
             1,
             4,
             {10.8, 10},
             10.4,
             10,
             10.8,
             10,
             10.8,
             laterMonths},
            {"Monat Literpreis",
             "months",
             1,
             1,
             5,
             {1.45, 1.55, 1.5},
             1.5,
             1.45,
             1.55,
             1.45,
             1.55,
             months},
            {"Monat Tankkosten",
             "months",
             1,
             1,
             6,
             {109, 96, 60},
             265.0 / 3,
             60,
             109,
             60,
             109,
             months},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << QString::fromLatin1(r.logbook) << r.basis << r.zoom << r.tab
                                  << r.values << r.average << r.minimum << r.maximum
                                  << r.shownMinimum << r.shownMaximum << r.labels;
    }
    void views() {
        QFETCH(QString, logbook);
        QFETCH(int, basis);
        QFETCH(int, zoom);
        QFETCH(int, tab);
        QFETCH(QList<double>, values);
        QFETCH(double, average);
        QFETCH(double, axisMinimum);
        QFETCH(double, axisMaximum);
        QFETCH(double, shownMinimum);
        QFETCH(double, shownMaximum);
        QFETCH(QStringList, labels);

        auto window = open(logbook);
        TFmain* fmain = window->fmain.get();
        test::BasisItems(*fmain)->button(basis)->setChecked(true);
        test::ZoomItems(*fmain)->button(zoom)->setChecked(true);
        test::ViewTabs(*fmain)->setCurrentIndex(tab);
        window->enterChartPage();
        QCOMPARE(window->prompts->errors, QStringList());

        const std::string name = ChartTabCaption(tab);
        const QList<double> averages(values.size(), average);
        // The value the page drew.
        const ChartSeries series = fmain->document().chartSeries(tab + 1, zoom);
        QCOMPARE(series.name, name);
        QCOMPARE(series.pointCount, static_cast<int32_t>(values.size()));
        COMPARE_VALUES(series.points, values);
        QVERIFY(Near(series.average, average));
        QVERIFY(Near(series.axisMinimum, axisMinimum));
        QVERIFY(Near(series.axisMaximum, axisMaximum));
        QStringList seriesLabels;
        for (const std::string& label : series.labels)
            seriesLabels << CellToQString(label);
        QCOMPARE(seriesLabels, labels);

        QtChartWidget* chart = window->qt;
        QVERIFY(!chart->isHidden());
        QCOMPARE(chart->chart()->title(), QString::fromStdString(name));
        QCOMPARE(chart->chart()->series().size(), 2);
        COMPARE_VALUES(Ys(chart->series(0)), values);
        COMPARE_VALUES(Ys(chart->series(1)), averages);
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(chart->series(0)->at(i).x(), double(i + 1)); // in the order given
        QVERIFY2(Near(chart->valueAxis()->min(), shownMinimum),
                 qPrintable(QString::number(chart->valueAxis()->min())));
        QVERIFY2(Near(chart->valueAxis()->max(), shownMaximum),
                 qPrintable(QString::number(chart->valueAxis()->max())));
        QStringList legend;
        for (QLegendMarker* marker : chart->chart()->legend()->markers())
            legend << marker->label();
        QCOMPARE(legend,
                 (QStringList{QString::fromStdString(name), QStringLiteral("Durchschnitt")}));
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(chart->pointLabel(i), labels[i]);
        QVERIFY(!chart->isEmpty());
    }

    // At start the chart has its own look and shows no view.
    void emptyAtStart() {
        auto window = open(QStringLiteral("worked"));
        QtChartWidget* chart = window->qt;
        const ChartLook defaults;
        QCOMPARE(chart->look().decimals, 2);
        QCOMPARE(chart->look().grid, 3);
        QCOMPARE(chart->look().pointType, 0);
        QCOMPARE(chart->look().wallWidth, 2);
        QCOMPARE(chart->look().legendWidth, 250);
        QVERIFY(chart->look().showStatus);
        QVERIFY(chart->look().chart3D);
        QCOMPARE(chart->look().legendWidth, defaults.legendWidth);
        QVERIFY(chart->isEmpty());
        QCOMPARE(chart->chart()->title(), QString());
        QVERIFY(!chart->valueAxis()->labelsVisible());
    }

    // "Monat", "Eintrag", "100%" and "Bereich" on the page redraw the view shown.
    void radioGroupsRedraw() {
        auto window = open(QStringLiteral("months"));
        TFmain* fmain = window->fmain.get();
        fmain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fmain));
        window->enterChartPage();
        QtChartWidget* chart = window->qt;
        QCOMPARE(chart->series(0)->count(), 5);

        struct Click {
            const char* button;
            int points;
            double minimum;
            QString firstLabel;
        };
        // Five records in three months, the current month too.
        const Click clicks[] = {{"p_ansicht_1", 3, 10500, QStringLiteral("01.2024")},
                                {"p_zoom_0", 3, 0, QStringLiteral("01.2024")},
                                {"p_ansicht_0", 5, 0, QStringLiteral("05.01.2024")},
                                {"p_zoom_1", 5, 10000, QStringLiteral("05.01.2024")}};
        for (const Click& click : clicks) {
            QTest::mouseClick(fmain->findChild<QRadioButton*>(QLatin1String(click.button)),
                              Qt::LeftButton);
            QCOMPARE(chart->series(0)->count(), click.points);
            QCOMPARE(chart->series(1)->count(), click.points);
            QCOMPARE(chart->valueAxis()->min(), click.minimum);
            QCOMPARE(chart->pointLabel(0), click.firstLabel);
        }
        QCOMPARE(window->prompts->errors, QStringList());
    }

    // Clicking the selected tab draws nothing; another tab draws its view.
    void selectedTabDoesNotRedraw() {
        auto window = open(QStringLiteral("worked"));
        TFmain* fmain = window->fmain.get();
        fmain->resize(1000, 500); // every tab in view
        fmain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fmain));
        QSignalSpy drawn(window->qt->series(1), &QXYSeries::pointsReplaced);
        window->enterChartPage();
        QtChartWidget* chart = window->qt;
        QCOMPARE(drawn.count(), 1); // the first view
        QTabBar* tabs = test::ViewTabs(*fmain);
        // Along the bottom of the panel, under the chart.
        QVERIFY(tabs->mapTo(fmain, QPoint(0, 0)).y() >=
                test::Chart(*fmain)->mapTo(fmain, QPoint(0, test::Chart(*fmain)->height())).y());

        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(drawn.count(), 1);
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(drawn.count(), 2);
        QCOMPARE(chart->chart()->title(), QStringLiteral("Getankte Liter"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(drawn.count(), 2);
    }

    // At the window's default size all eight tabs stand side by side, no scrolling.
    void allTabsFitTheDefaultWidth() {
        auto window = open(QStringLiteral("worked"));
        TFmain* fmain = window->fmain.get();
        fmain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fmain));
        window->enterChartPage();
        QVERIFY(fmain->width() < 700); // 644 asked, a little more where the controls need it
        QTabBar* tabs = test::ViewTabs(*fmain);
        QVERIFY2(tabs->tabRect(kStationTab).right() < tabs->width(),
                 qPrintable(QStringLiteral("%1 of %2")
                                .arg(tabs->tabRect(kStationTab).right())
                                .arg(tabs->width())));
        QCOMPARE(tabs->tabRect(0).left(), 0);
    }

    // The station table of the worked example, as the view shows it: "Nr" heads the first
    // column, the group numbers stand under it, and there are no row headers beside them.
    // Every record counts; averages over the cells that hold a value: Nord is records 1
    // and 3, Verbrauch and Kosten/Km of record 3 alone (record 1 has no KM), Literpreis
    // (1.50 + 1.60) / 2, Tankkosten (60 + 48) / 2. Durchschnitt: Verbrauch (7 + 6) / 2,
    // Literpreis 4.50 / 3, Tankkosten 157 / 3, Kosten/Km (9.80 + 9.60) / 2.
    void stationTable_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("cells"); // columns 0..6
        QTest::newRow("Nord") << 0 << QStringList{"1",     "Nord (Super)", "2",    " 6.00",
                                                  " 1.55", "54.00",        " 9.60"};
        QTest::newRow("West") << 1 << QStringList{"2",     "West (Super)", "1",    " 7.00",
                                                  " 1.40", "49.00",        " 9.80"};
        QTest::newRow("Durchschnitt")
            << 2 << QStringList{"", "Durchschnitt", "3", " 6.50", " 1.50", "52.33", " 9.70"};
        QTest::newRow("empty last row") << 3 << QStringList{"", "", "", "", "", "", ""};
    }
    void stationTable() {
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        auto window = open(QStringLiteral("worked"));
        TFmain* fmain = window->fmain.get();
        fmain->resize(1000, 600); // every column in view
        fmain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fmain));
        window->enterChartPage();
        test::ViewTabs(*fmain)->setCurrentIndex(kStationTab);
        QCOMPARE(window->prompts->errors, QStringList());
        QTableView* info = test::Info(*fmain);
        QVERIFY(info->isVisible());
        QVERIFY(test::Chart(*fmain)->isHidden());
        QCOMPARE(info->model()->rowCount(), 4);
        QVERIFY(info->verticalHeader()->isHidden());
        const QHeaderView* top = info->horizontalHeader();
        QVERIFY(!top->isHidden());
        QCOMPARE(top->count(), 7);
        const QStringList headers{"Nr",         "Tankstelle - Benzin", "Anzahl",   "Verbrauch",
                                  "Literpreis", "Tankosten",           "Kosten/Km"};
        const int widths[] = {25, 115, 40, 55, 55, 55, 55};
        const int y = info->rowViewportPosition(row) + 2;
        for (int column = 0; column < 7; ++column) {
            // Left to right along the header and along the row, as the user reads them.
            const int section = top->logicalIndex(column);
            const int x = top->sectionViewportPosition(section) + 2;
            QCOMPARE(top->logicalIndexAt(x), section);
            QCOMPARE(info->model()->headerData(section, Qt::Horizontal).toString(),
                     headers[column]);
            QVERIFY(info->columnWidth(section) >= widths[column]);
            const QModelIndex shown = info->indexAt(QPoint(x, y));
            QCOMPARE(shown.data().toString(), cells[column]);
            QVERIFY(!(shown.flags() & Qt::ItemIsEditable));
        }
        // The first column starts at the table's left edge.
        QCOMPARE(top->sectionViewportPosition(top->logicalIndex(0)), 0);
        QCOMPARE(info->editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    // "Tankstellen" switches the radio groups off and the chart away; a chart view back.
    void stationsAndChartViews() {
        auto window = open(QStringLiteral("months"));
        TFmain* fmain = window->fmain.get();
        fmain->show();
        window->enterChartPage();
        struct Step {
            int tab;
            bool chartShown;
        };
        for (const Step step : {Step{7, false}, Step{3, true}, Step{7, false}, Step{0, true}}) {
            test::ViewTabs(*fmain)->setCurrentIndex(step.tab);
            QCOMPARE(test::Chart(*fmain)->isVisible(), step.chartShown);
            QCOMPARE(test::Info(*fmain)->isVisible(), !step.chartShown);
            QCOMPARE(test::BasisBox(*fmain)->isEnabled(), step.chartShown);
            QCOMPARE(test::ZoomBox(*fmain)->isEnabled(), step.chartShown);
        }
        // The page entered again with "Tankstellen" selected builds the table again.
        test::ViewTabs(*fmain)->setCurrentIndex(7);
        test::Pages(*fmain)->setCurrentIndex(0);
        QVERIFY(!test::BasisBox(*fmain)->isEnabled());
        test::Pages(*fmain)->setCurrentIndex(1);
        QVERIFY(test::Info(*fmain)->isVisible());
        QVERIFY(!test::BasisBox(*fmain)->isEnabled());
        QCOMPARE(window->prompts->errors, QStringList());
    }

    // Two records: the notice lies over the chart, the radio groups are on, nothing is drawn.
    void noticeWithTwoRecords() {
        auto window = open(QStringLiteral("2"));
        TFmain* fmain = window->fmain.get();
        fmain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fmain));
        window->enterChartPage();
        QLabel* notice = test::ChartNotice(*fmain);
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(), QStringLiteral("Zu wenige Einträge verfügbar"));
        QCOMPARE(notice->geometry(), test::Chart(*fmain)->geometry());
        // On top: the last of the area's widgets.
        const QObjectList& stack = notice->parentWidget()->children();
        QVERIFY(stack.indexOf(notice) > stack.indexOf(test::Chart(*fmain)));
        QVERIFY(stack.indexOf(notice) > stack.indexOf(test::Info(*fmain)));
        QCOMPARE(notice->parentWidget()->childAt(notice->geometry().center()), notice);
        QVERIFY(test::BasisBox(*fmain)->isEnabled());
        QVERIFY(test::ZoomBox(*fmain)->isEnabled());
        QVERIFY(window->qt->isEmpty());
        test::Pages(*fmain)->setCurrentIndex(0);
        QVERIFY(notice->isHidden());
        QCOMPARE(window->prompts->errors, QStringList());
    }

    // Kilometres count in whole numbers on the value axis; litres and money keep decimals.
    void axisDecimalsFollowTheView_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("labelFormat");
        const char* formats[kChartViewCount] = {"%.0f", "%.2f", "%.2f", "%.0f",
                                                "%.2f", "%.2f", "%.2f"};
        for (int tab = 0; tab < kChartViewCount; ++tab)
            QTest::newRow(ChartTabCaption(tab)) << tab << QString::fromLatin1(formats[tab]);
    }
    void axisDecimalsFollowTheView() {
        QFETCH(int, tab);
        QFETCH(QString, labelFormat);
        auto window = open(QStringLiteral("worked"));
        window->enterChartPage();
        // From the neighbouring view, so that the selector really changes.
        test::ViewTabs(*window->fmain)->setCurrentIndex((tab + 1) % kChartViewCount);
        test::ViewTabs(*window->fmain)->setCurrentIndex(tab);
        QCOMPARE(window->prompts->errors, QStringList());
        QCOMPARE(window->qt->valueAxis()->labelFormat(), labelFormat);
    }

    // A logbook of two energies: the quantity, consumption and price views are named for
    // both and draw a line for each; once every record is a charge they speak of kWh alone.
    void energyViews() {
        auto window = open(QStringLiteral("hybrid"));
        TFmain* fmain = window->fmain.get();
        QTabBar* tabs = test::ViewTabs(*fmain);
        tabs->setCurrentIndex(1);
        window->enterChartPage();
        QCOMPARE(window->prompts->errors, QStringList());
        QCOMPARE(tabs->tabText(1), QStringLiteral("Getankte Menge"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Verbrauch je 100 KM"));
        QCOMPARE(tabs->tabText(5), QStringLiteral("Preis je Einheit"));
        QCOMPARE(tabs->tabText(6), QStringLiteral("Tankkosten"));
        QtChartWidget* chart = window->qt;
        QCOMPARE(chart->chart()->title(), QStringLiteral("Getankte Menge"));
        const EnergyLines& lines = chart->energyLines();
        QCOMPARE(lines.lineCount(), 2);
        COMPARE_VALUES(Ys(lines.valueSeries(0)), (QList<double>{40, 30}));
        COMPARE_VALUES(Ys(lines.valueSeries(1)), (QList<double>{10, 12}));
        QVERIFY(lines.rightAxis());
        QCOMPARE(lines.rightAxis()->titleText(), QStringLiteral("kWh"));

        for (int row : {1, 4})
            fmain->document().editCell({ColBenzin, row}, "Strom");
        window->enterChartPage();
        QCOMPARE(window->prompts->errors, QStringList());
        QCOMPARE(tabs->tabText(1), QStringLiteral("Geladene kWh"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("kWh je 100 KM"));
        QCOMPARE(tabs->tabText(5), QStringLiteral("Preis je kWh"));
        QCOMPARE(chart->chart()->title(), QStringLiteral("Geladene kWh"));
        QCOMPARE(chart->energyLines().lineCount(), 0);
        COMPARE_VALUES(Ys(chart->series(0)), (QList<double>{40, 10, 12, 30}));
    }

    // With a single record the view selector still draws: "Liter je 100 KM" starts at the
    // second record and has no points, which is no error and leaves the chart empty;
    // "KM-Stand" draws the one reading; a real logbook afterwards draws again.
    void viewsWithoutPoints() {
        auto window = open(QStringLiteral("1"));
        TFmain* fmain = window->fmain.get();
        fmain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fmain));
        window->enterChartPage();
        QtChartWidget* chart = window->qt;
        test::ViewTabs(*fmain)->setCurrentIndex(2); // no points
        QCOMPARE(window->prompts->errors, QStringList());
        QVERIFY(chart->isEmpty());
        QCOMPARE(chart->chart()->title(), QStringLiteral("Liter je 100 KM"));
        QCOMPARE(PixelsInPlot(*chart, ShownImage(*chart), chart->series(0)->color()), 0);
        QCOMPARE(PixelsInPlot(*chart, ShownImage(*chart), chart->series(1)->color()), 0);

        test::ViewTabs(*fmain)->setCurrentIndex(0); // one point: the reading 10000
        QCOMPARE(window->prompts->errors, QStringList());
        QVERIFY(!chart->isEmpty());
        QCOMPARE(chart->chart()->title(), QStringLiteral("KM-Stand"));
        COMPARE_VALUES(Ys(chart->series(0)), QList<double>{10000});

        // Three records typed in later: the page draws the view again.
        window->prompts->errors.clear();
        TextTable typed = NewLogbookTable();
        for (int r = 1; r <= 3; ++r) {
            if (r > 1)
                typed.appendRow();
            typed.setCell(ColKmStand, r, std::to_string(10000 + 500 * r));
            typed.setCell(ColLiter, r, "40");
        }
        fmain->document().setTable(std::move(typed));
        window->enterChartPage();
        QCOMPARE(window->prompts->errors, QStringList());
        QCOMPARE(chart->series(0)->count(), 3); // "KM-Stand" of all three
        QVERIFY(!chart->isEmpty());
        QVERIFY(PixelsInPlot(*chart, ShownImage(*chart), chart->series(0)->color()) > 0);
    }
};

SPRITLOG_GUI_TEST_MAIN(ChartTest)
#include "chart_test.moc"
