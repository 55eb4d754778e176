// The page "Grafik": the chart views as values and as the Qt Charts widget shows them, the
// view selector, the station table, the radio groups and the notice.
#include "guitest.h"

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

std::vector<test::Record> Logbook(const QString& name) {
    if (name == QLatin1String("worked"))
        return WorkedExample();
    if (name == QLatin1String("months"))
        return ThreeMonths();
    return test::SampleRecords(name.toInt()); // "2", "1": that many records
}

std::vector<double> Ys(const QLineSeries* series) {
    std::vector<double> ys;
    for (const QPointF& p : series->points())
        ys.push_back(p.y());
    return ys;
}

bool Near(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

#define COMPARE_VALUES(actual, expected)                                                           \
    do {                                                                                           \
        const std::vector<double> a_ = (actual);                                                   \
        const QList<double> e_ = (expected);                                                       \
        QCOMPARE(static_cast<qsizetype>(a_.size()), e_.size());                                    \
        for (std::size_t i_ = 0; i_ < a_.size(); ++i_)                                             \
            QVERIFY2(Near(a_[i_], e_[static_cast<qsizetype>(i_)]),                                 \
                     qPrintable(QStringLiteral("point %1: %2, expected %3")                        \
                                    .arg(i_)                                                       \
                                    .arg(a_[i_])                                                   \
                                    .arg(e_[static_cast<qsizetype>(i_)])));                        \
    } while (false)

// A chart source of `rows` rows whose column `column` holds `values` from row `first` on.
TextTable PrepareGridWith(const QList<double>& values, int first, int column) {
    TextTable grid(kLogbookColumns, static_cast<int>(values.size()) + first);
    for (int i = 0; i < values.size(); ++i)
        grid.setCell(column, i + first, NumberToText(values[i], 2));
    return grid;
}

// The texts of the chart's scene: title, axis labels, legend.
QStringList SceneTexts(QChartView* view) {
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items()) {
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
            texts << text->toPlainText();
        else if (auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            texts << simple->text();
    }
    return texts;
}

// The chart as it shows on screen, once its layout has settled.
QImage ShownImage(QtChartWidget& chart) {
    QCoreApplication::processEvents();
    return chart.grab().toImage();
}

// Where a position in the chart's coordinates (QChart::mapToPosition, plotArea) lands in
// an image of the chart widget.
QPoint InImage(const QtChartWidget& chart, const QImage& image, QPointF inChart) {
    const QPoint inViewport = chart.view()->mapFromScene(chart.chart()->mapToScene(inChart));
    const QPoint inWidget = chart.view()->viewport()->mapTo(&chart, inViewport);
    return (QPointF(inWidget) * image.devicePixelRatio()).toPoint();
}

bool SameColour(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 24 && std::abs(a.green() - b.green()) <= 24 &&
           std::abs(a.blue() - b.blue()) <= 24;
}

// Whether a pixel of `colour` lies within a pixel of `at`.
bool ColourAt(const QImage& image, QPoint at, const QColor& colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(at.x() + dx, at.y() + dy) &&
                SameColour(image.pixelColor(at.x() + dx, at.y() + dy), colour))
                return true;
    return false;
}

// The pixels of `colour` inside the plot area.
int PixelsInPlot(const QtChartWidget& chart, const QImage& image, const QColor& colour) {
    const QRectF plot = chart.chart()->plotArea();
    const QRect area =
        QRect(InImage(chart, image, plot.topLeft()), InImage(chart, image, plot.bottomRight()))
            .intersected(image.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += SameColour(image.pixelColor(x, y), colour);
    return count;
}

// Shows view 1..7 of `prepareGrid` as the page does.
void ShowView(QtChartWidget& chart, const TextTable& prepareGrid, int view, int zoom) {
    chart.showSeries(ChartSeriesOf(prepareGrid, view, zoom));
}

// Where point `point` of series `serie` lies in the chart's coordinates.
QPointF PointPosition(const QtChartWidget& chart, int serie, int point) {
    return chart.chart()->mapToPosition(QPointF(point + 1, chart.pointValue(serie, point)),
                                        chart.series(serie));
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

    // The look as the Qt chart takes it.
    void startSettings_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("horizontalGrid");
        QTest::addColumn<bool>("verticalGrid");
        QTest::addColumn<bool>("legend");
        QTest::addColumn<bool>("markers");
        QTest::addColumn<QString>("labelFormat");
        QTest::newRow("set-up") << "" << 0 << true << true << true << true << "%.2f";
        QTest::newRow("Grid 0") << "Grid" << 0 << false << false << true << true << "%.2f";
        QTest::newRow("Grid 1") << "Grid" << 1 << true << false << true << true << "%.2f";
        QTest::newRow("Grid 2") << "Grid" << 2 << false << true << true << true << "%.2f";
        QTest::newRow("LegendWidth 0")
            << "LegendWidth" << 0 << true << true << false << true << "%.2f";
        QTest::newRow("PointType 1") << "PointType" << 1 << true << true << true << false << "%.2f";
        QTest::newRow("Decimals 0") << "Decimals" << 0 << true << true << true << true << "%.0f";
        QTest::newRow("Decimals 3") << "Decimals" << 3 << true << true << true << true << "%.3f";
    }
    void startSettings() {
        QFETCH(QString, setting);
        QFETCH(int, value);
        QFETCH(bool, horizontalGrid);
        QFETCH(bool, verticalGrid);
        QFETCH(bool, legend);
        QFETCH(bool, markers);
        QFETCH(QString, labelFormat);
        QtChartWidget chart;
        ChartLook look;
        if (setting == QLatin1String("Grid"))
            look.grid = value;
        else if (setting == QLatin1String("LegendWidth"))
            look.legendWidth = value;
        else if (setting == QLatin1String("PointType"))
            look.pointType = value;
        else if (setting == QLatin1String("Decimals"))
            look.decimals = value;
        chart.setLook(look);
        ShowView(chart, PrepareGridWith({1.5, 2.5, 2}, 1, ColLiter), 2, 1);
        QCOMPARE(chart.valueAxis()->isGridLineVisible(), horizontalGrid);
        QCOMPARE(chart.pointAxis()->isGridLineVisible(), verticalGrid);
        QCOMPARE(chart.chart()->legend()->isVisible(), legend);
        QCOMPARE(chart.markersVisible(), markers);
        chart.resize(500, 300);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        // The markers sit on the points, also after the plot changed its size.
        const QList<QPointF> positions = chart.markerPositions();
        QCOMPARE(positions.size(), markers ? 3 : 0);
        for (int i = 0; i < positions.size(); ++i)
            QCOMPARE(positions[i],
                     chart.chart()->mapToPosition(chart.series(0)->at(i), chart.series(0)));
        QVERIFY(!chart.series(1)->pointsVisible()); // the average is a plain line
        QCOMPARE(chart.valueAxis()->labelFormat(), labelFormat);
        QVERIFY(chart.series(0)->color() != chart.series(1)->color());
    }

    // The value axis where the series' range is none to use, and views without points.
    void axisEdgeCases_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<double>("shownMinimum");
        QTest::addColumn<double>("shownMaximum");
        const double nan = std::nan("");
        QTest::newRow("range as given")
            << QList<double>{2, 4, 3} << 1.0 << 5.0 << false << 1.0 << 5.0;
        QTest::newRow("equal, zero, all values 0")
            << QList<double>{0, 0} << 0.0 << 0.0 << false << 0.0 << 1.0;
        // "100%" over negative values: 0 to 0; the axis reaches down to them.
        QTest::newRow("equal, zero, negative values")
            << QList<double>{-5, -3} << 0.0 << 0.0 << false << -5.0 << 0.0;
        QTest::newRow("equal, flat line")
            << QList<double>{20, 20} << 20.0 << 20.0 << false << 18.0 << 22.0;
        QTest::newRow("the wrong way round")
            << QList<double>{3, 6} << 2147483647.0 << 0.0 << false << 3.0 << 6.0;
        QTest::newRow("not finite") << QList<double>{3, 6} << nan << nan << false << 3.0 << 6.0;
        // What ChartSeriesOf gives for a view without points.
        QTest::newRow("no points") << QList<double>{} << 2147483647.0 << 0.0 << true << 0.0 << 1.0;
    }
    void axisEdgeCases() {
        QFETCH(QList<double>, values);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(bool, empty);
        QFETCH(double, shownMinimum);
        QFETCH(double, shownMaximum);
        QtChartWidget chart;
        chart.resize(500, 300);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QColor valueColour = chart.series(0)->color();
        const QColor averageColour = chart.series(1)->color();
        // A view drawn first, so an empty one must really clear it.
        ShowView(chart, PrepareGridWith({7, 8, 9}, 1, ColLiter), 2, 1);
        QCOMPARE(chart.series(0)->count(), 3);
        QVERIFY(PixelsInPlot(chart, ShownImage(chart), valueColour) > 0);

        ChartSeries series;
        series.name = "Test";
        series.pointCount = static_cast<int32_t>(values.size());
        series.points.assign(values.begin(), values.end());
        series.average = values.isEmpty() ? 0 : values.first();
        series.axisMinimum = minimum;
        series.axisMaximum = maximum;
        chart.showSeries(series);
        QCOMPARE(chart.isEmpty(), empty);
        QCOMPARE(chart.series(0)->count(), empty ? 0 : int(values.size()));
        QCOMPARE(chart.series(1)->count(), chart.series(0)->count());
        QCOMPARE(chart.pointCount(), int(values.size()));
        QCOMPARE(chart.valueAxis()->labelsVisible(), !empty);
        QVERIFY2(Near(chart.valueAxis()->min(), shownMinimum),
                 qPrintable(QString::number(chart.valueAxis()->min())));
        QVERIFY2(Near(chart.valueAxis()->max(), shownMaximum),
                 qPrintable(QString::number(chart.valueAxis()->max())));
        QCOMPARE(chart.chart()->title(), QStringLiteral("Test"));
        const QImage shown = ShownImage(chart);
        if (empty) {
            // Neither line stays on the plot, not even the one of the view before.
            QCOMPARE(PixelsInPlot(chart, shown, valueColour), 0);
            QCOMPARE(PixelsInPlot(chart, shown, averageColour), 0);
            return;
        }
        // Every point lies within the plot, its marker drawn there in the line's colour.
        const QRectF plot = chart.chart()->plotArea().adjusted(-0.5, -0.5, 0.5, 0.5);
        for (int i = 0; i < values.size(); ++i) {
            const QPointF at = PointPosition(chart, 0, i);
            QVERIFY2(plot.contains(at), qPrintable(QStringLiteral("point %1").arg(i)));
            QVERIFY2(ColourAt(shown, InImage(chart, shown, at), valueColour),
                     qPrintable(QStringLiteral("point %1").arg(i)));
        }
    }

    // 100,000 records: the addressable 32768 points reach each line series in one piece.
    void oneBatchForManyPoints() {
        QList<double> values;
        for (int i = 0; i < 100000; ++i)
            values << 30 + i % 17;
        const TextTable prepareGrid = PrepareGridWith(values, 1, ColLiter);
        QtChartWidget chart;
        chart.resize(800, 500);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QSignalSpy added(chart.series(0), &QXYSeries::pointAdded);
        QSignalSpy replacedOne(chart.series(0), &QXYSeries::pointReplaced);
        QSignalSpy replaced(chart.series(0), &QXYSeries::pointsReplaced);
        QSignalSpy averageReplaced(chart.series(1), &QXYSeries::pointsReplaced);
        ShowView(chart, prepareGrid, 2, 1);
        // The first point at the plot's left edge, the last one at its right edge, and the
        // line drawn in between.
        const QRectF plot = chart.chart()->plotArea();
        QVERIFY(std::abs(PointPosition(chart, 0, 0).x() - plot.left()) < 0.5);
        QVERIFY(std::abs(PointPosition(chart, 0, 32767).x() - plot.right()) < 0.5);
        const QImage shown = ShownImage(chart);
        for (int point : {8192, 16386, 24580}) { // 45, well above the average
            QCOMPARE(values[point], 45.0);
            QVERIFY2(ColourAt(shown, InImage(chart, shown, PointPosition(chart, 0, point)),
                              chart.series(0)->color()),
                     qPrintable(QStringLiteral("point %1").arg(point)));
        }
        QCOMPARE(added.count(), 0);
        QCOMPARE(replacedOne.count(), 0);
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(averageReplaced.count(), 1);
        QCOMPARE(chart.pointCount(), 32768);
        QCOMPARE(chart.pointValue(0, 32767), 30.0 + 32767 % 17);
        // The lines get a few points per pixel column, ending at the last point; the tool
        // tips still tell every point.
        QVERIFY(chart.series(0)->count() <= kDrawnPointsPerColumn * chart.width());
        QCOMPARE(chart.series(0)->points().last(), QPointF(32768, 30.0 + 32767 % 17));
        QCOMPARE(chart.pointToolTip(0, 8193), QStringLiteral("Getankte Liter\n8194: 46.00"));
        // The average covers all 100,000 values.
        double sum = 0;
        for (double v : values)
            sum += v;
        QVERIFY(Near(chart.series(1)->at(0).y(), sum / values.size()));
        QVERIFY(!chart.markersVisible()); // markers would merge
        // Antialiasing a line per pixel column only costs time.
        QVERIFY(!chart.view()->renderHints().testFlag(QPainter::Antialiasing));

        // The next view: each line replaced once, in one piece.
        QSignalSpy removed(chart.series(0), &QXYSeries::pointsRemoved);
        ShowView(chart, prepareGrid, 2, 0);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(replaced.count(), 2);
        QCOMPARE(averageReplaced.count(), 2);
        QCOMPARE(added.count(), 0);

        // A logbook of ordinary size gets smooth lines again.
        ShowView(chart, PrepareGridWith({40, 35, 30, 45}, 1, ColLiter), 2, 1);
        QVERIFY(chart.view()->renderHints().testFlag(QPainter::Antialiasing));
    }

    // Numbers with "." on the axis and in the tool tip, under a German locale.
    void decimalPoint() {
        QtChartWidget chart;
        chart.resize(600, 400);
        ShowView(chart, PrepareGridWith({1.25, 1.75, 1.5}, 1, ColLiterpreis), 6, 1);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        const QStringList texts = SceneTexts(chart.view());
        QVERIFY2(texts.contains(QStringLiteral("1.50")), qPrintable(texts.join(u'|')));
        for (const QString& text : texts)
            QVERIFY2(!text.contains(u','), qPrintable(text));
        QCOMPARE(chart.pointToolTip(0, 1), QStringLiteral("Literpreis\n2: 1.75"));
        QCOMPARE(chart.pointToolTip(1, 0), QStringLiteral("Durchschnitt\n1: 1.50"));
        QCOMPARE(chart.pointToolTip(0, 3), QString()); // no such point
    }

    // The point axis shows the dates or months, as many as fit, and numbers without them.
    void pointAxisLabels() {
        QtChartWidget chart;
        chart.resize(700, 400);
        QList<double> values;
        for (int i = 0; i < 60; ++i)
            values << i;
        TextTable prepareGrid = PrepareGridWith(values, 1, ColLiter);
        ShowView(chart, prepareGrid, 2, 1);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QStringList numbers = chart.pointAxis()->categoriesLabels();
        QVERIFY2(numbers.size() >= 3 && numbers.size() <= 12, qPrintable(numbers.join(u' ')));
        QCOMPARE(numbers.first(), QStringLiteral("1"));

        QStringList dates;
        for (int i = 0; i < 60; ++i) {
            dates << QStringLiteral("%1.01.2024").arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
            prepareGrid.setCell(ColDatum, i + 1, dates.last().toStdString());
        }
        ShowView(chart, prepareGrid, 2, 1);
        const QStringList shown = chart.pointAxis()->categoriesLabels();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.first(), QStringLiteral("01.01.2024"));
        for (const QString& label : shown)
            QVERIFY(dates.contains(label));
        // The labels keep apart: no more than fit into the plot at ten-character width.
        const int labelWidth =
            QFontMetrics(chart.pointAxis()->labelsFont()).horizontalAdvance(dates[0]);
        QVERIFY(shown.size() * labelWidth <= chart.chart()->plotArea().width());
        // A new view starts without the old texts.
        ShowView(chart, PrepareGridWith({1, 2}, 1, ColLiter), 2, 1);
        QCOMPARE(chart.pointLabel(0), QStringLiteral("1"));
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
