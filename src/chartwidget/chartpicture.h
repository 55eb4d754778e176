#pragma once

#include "chartwidget/qtchartwidget.h"

#include "charts/chartseries.h"

#include <QSize>
#include <QString>

#include <memory>

class QImage;
class QPainter;
class QRectF;

namespace spritlog {

enum class PictureFormat { Png, Svg };

// SVG when `path` ends in ".svg" (any case), else PNG.
PictureFormat PictureFormatFor(const QString& path);

// A chart view drawn offscreen by the window's own chart code, for the chart pictures and
// the report. This is where spritlog-cli uses Qt Widgets (Qt Charts draws only inside a
// widget application); it never shows a window.
class ChartPicture {
public:
    // Draws `series` as the page "Grafik" does into a chart of `size` pixels.
    ChartPicture(const ChartSeries& series, QSize size);
    // The same for view 1..7 of `prepareGrid` with `zoomIndex` as the page shows it; throws what
    // ChartViewOf throws.
    ChartPicture(const ChartSource& prepareGrid, int view, int zoomIndex, QSize size);
    ~ChartPicture();

    QtChartWidget& chart() { return *chart_; }
    QSize size() const;
    // Lays the chart out anew at `size` pixels.
    void resize(QSize size);

    // The chart as a picture of its size, on white.
    QImage image();
    // Draws the chart into `target` of `painter`, scaled; vector output stays vector.
    void paint(QPainter& painter, const QRectF& target);
    // Draws it into `target` laid out for that area's size in millimetres, so the chart's
    // texts keep a readable size on paper whatever the page.
    void paintOnPaper(QPainter& painter, const QRectF& target);

    // Writes the picture at its size. The file is replaced only once it is complete; throws
    // Error with the reason otherwise.
    void write(const QString& path, PictureFormat format);

private:
    void settle();

    std::unique_ptr<QtChartWidget> chart_;
    QString title_;
};

inline constexpr int kDefaultChartPictureWidth = 1200;
inline constexpr int kDefaultChartPictureHeight = 800;

} // namespace spritlog
