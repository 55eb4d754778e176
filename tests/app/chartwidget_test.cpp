// The chart widget: what it shows of a ChartSeries value (points, axis range, texts,
// markers, pixels) and how it takes its look.
#include "charttest.h"

#include "charts/drawnpoints.h"

#include <QCategoryAxis>
#include <QFontMetrics>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QSignalSpy>
#include <QValueAxis>

using namespace spritlog;
using namespace spritlog::test;

class ChartWidgetTest : public test::GuiTest {
    Q_OBJECT

private slots:
    void init() {
        GuiTest::init();
        // German number formatting wherever Qt would use the locale.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
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

    // A view of several energies: a line and a dashed average per energy, the second energy on
    // a right value axis titled with its unit, each axis over its own lines; a one-energy view
    // after it takes the lines and the right axis away again.
    void energyLines() {
        QtChartWidget chart;
        chart.resize(900, 500);
        ChartSeries series;
        series.name = "Getankte Menge";
        series.labels = {"05.01.2026", "10.01.2026", "20.01.2026", "03.02.2026"};
        series.axisTitles = {"Liter", "kWh"};
        ChartLine litres{Energy::Litre,
                         "Kraftstoff (Liter)",
                         "Durchschnitt Liter",
                         2,
                         {40, 30},
                         {0, 3},
                         35,
                         30,
                         40,
                         0};
        ChartLine kwh{Energy::KilowattHour,
                      "Strom (kWh)",
                      "Durchschnitt kWh",
                      2,
                      {10, 12},
                      {1, 2},
                      11,
                      10,
                      12,
                      1};
        series.lines = {litres, kwh};
        chart.showSeries(series);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));

        const EnergyLines& lines = chart.energyLines();
        QCOMPARE(lines.lineCount(), 2);
        QCOMPARE(lines.valueSeries(0)->name(), QStringLiteral("Kraftstoff (Liter)"));
        QCOMPARE(lines.averageSeries(1)->name(), QStringLiteral("Durchschnitt kWh"));
        QCOMPARE(lines.valueSeries(1)->count(), 2);
        QCOMPARE(lines.valueSeries(1)->at(0), QPointF(2, 10)); // position 1 is point 2
        QCOMPARE(lines.averageSeries(1)->pen().style(), Qt::DashLine);
        QVERIFY(lines.valueSeries(0)->color() != lines.valueSeries(1)->color());
        QVERIFY(!chart.series(0)->isVisible());
        QCOMPARE(chart.valueAxis()->titleText(), QStringLiteral("Liter"));
        QVERIFY(lines.rightAxis());
        QCOMPARE(lines.rightAxis()->titleText(), QStringLiteral("kWh"));
        QVERIFY(chart.valueAxis()->min() <= 30 && chart.valueAxis()->max() >= 40);
        QVERIFY(lines.rightAxis()->min() <= 10 && lines.rightAxis()->max() >= 12);
        QVERIFY(lines.rightAxis()->max() < 40);
        QCOMPARE(chart.pointCount(), 4);
        QCOMPARE(chart.pointLabel(3), QStringLiteral("03.02.2026"));
        // Both energies and both averages in the legend, the hidden one-energy series not.
        QStringList legend;
        for (QLegendMarker* marker : chart.chart()->legend()->markers())
            if (marker->isVisible())
                legend << marker->label();
        QCOMPARE(legend, (QStringList{"Kraftstoff (Liter)", "Durchschnitt Liter", "Strom (kWh)",
                                      "Durchschnitt kWh"}));

        ShowView(chart, PrepareGridWith({1, 2}, 1, ColLiter), 2, 1);
        QCOMPARE(chart.energyLines().lineCount(), 0);
        QVERIFY(!chart.energyLines().rightAxis());
        QVERIFY(chart.series(0)->isVisible());
        QCOMPARE(chart.valueAxis()->titleText(), QString());
        QCOMPARE(chart.series(0)->count(), 2);
    }
};

SPRITLOG_GUI_TEST_MAIN(ChartWidgetTest)
#include "chartwidget_test.moc"
