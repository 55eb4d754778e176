// Shared by the chart tests: the values a chart shows and where its pixels lie.
#pragma once

#include "guitest.h"

#include "chartwidget/qtchartwidget.h"

#include "charts/chartviews.h"
#include "logbook/conventions.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLineSeries>

#include <algorithm>
#include <cmath>
#include <vector>

namespace spritlog::test {
inline std::vector<double> Ys(const QLineSeries* series) {
    std::vector<double> ys;
    for (const QPointF& p : series->points())
        ys.push_back(p.y());
    return ys;
}

inline bool Near(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

#define COMPARE_VALUES(actual, expected)                                                           \
    do {                                                                                           \
        const std::vector<double> a_ = (actual);                                                   \
        const QList<double> e_ = (expected);                                                       \
        QCOMPARE(static_cast<qsizetype>(a_.size()), e_.size());                                    \
        for (std::size_t i_ = 0; i_ < a_.size(); ++i_)                                             \
            QVERIFY2(spritlog::test::Near(a_[i_], e_[static_cast<qsizetype>(i_)]),                 \
                     qPrintable(QStringLiteral("point %1: %2, expected %3")                        \
                                    .arg(i_)                                                       \
                                    .arg(a_[i_])                                                   \
                                    .arg(e_[static_cast<qsizetype>(i_)])));                        \
    } while (false)

// A chart source of `rows` rows whose column `column` holds `values` from row `first` on.
inline TextTable PrepareGridWith(const QList<double>& values, int first, int column) {
    TextTable grid(kLogbookColumns, static_cast<int>(values.size()) + first);
    for (int i = 0; i < values.size(); ++i)
        grid.setCell(column, i + first, NumberToText(values[i], 2));
    return grid;
}

// The texts of the chart's scene: title, axis labels, legend.
inline QStringList SceneTexts(QChartView* view) {
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
inline QImage ShownImage(QtChartWidget& chart) {
    QCoreApplication::processEvents();
    return chart.grab().toImage();
}

// Where a position in the chart's coordinates (QChart::mapToPosition, plotArea) lands in
// an image of the chart widget.
inline QPoint InImage(const QtChartWidget& chart, const QImage& image, QPointF inChart) {
    const QPoint inViewport = chart.view()->mapFromScene(chart.chart()->mapToScene(inChart));
    const QPoint inWidget = chart.view()->viewport()->mapTo(&chart, inViewport);
    return (QPointF(inWidget) * image.devicePixelRatio()).toPoint();
}

inline bool SameColour(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 24 && std::abs(a.green() - b.green()) <= 24 &&
           std::abs(a.blue() - b.blue()) <= 24;
}

// Whether a pixel of `colour` lies within a pixel of `at`.
inline bool ColourAt(const QImage& image, QPoint at, const QColor& colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(at.x() + dx, at.y() + dy) &&
                SameColour(image.pixelColor(at.x() + dx, at.y() + dy), colour))
                return true;
    return false;
}

// The pixels of `colour` inside the plot area.
inline int PixelsInPlot(const QtChartWidget& chart, const QImage& image, const QColor& colour) {
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
inline void ShowView(QtChartWidget& chart, const TextTable& prepareGrid, int view, int zoom) {
    chart.showSeries(ChartSeriesOf(prepareGrid, view, zoom));
}

// Where point `point` of series `serie` lies in the chart's coordinates.
inline QPointF PointPosition(const QtChartWidget& chart, int serie, int point) {
    return chart.chart()->mapToPosition(QPointF(point + 1, chart.pointValue(serie, point)),
                                        chart.series(serie));
}

} // namespace spritlog::test
