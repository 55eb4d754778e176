#pragma once

#include "charts/chartseries.h"

#include <QWidget>

#include <functional>

namespace spritlog {

// How the chart looks, whatever view it shows. The defaults are the chart's own.
struct ChartLook {
    int decimals = 2;       // of the value axis labels and the tool tips (0..10)
    int pointType = 0;      // 0: a round marker on every point of the values; else none
    int grid = 3;           // bit 1 horizontal grid lines (value axis), bit 2 vertical ones
    int wallWidth = 2;      // the frame of the plot area in pixels (0..8)
    bool showStatus = true; // hovering a point shows its series, point and value
    bool chart3D = true;    // the plot area as a shaded wall; false: plain white
    int legendWidth = 250;  // above 0 shows the legend under the plot; 0 hides it
};

// The chart on the page "Grafik" (p_chart): shows one view's series as it is given.
class ChartWidget : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Shows `series` in place of whatever was shown: the values and their average, the
    // value axis range, the name as title and legend, the dates or months under the points.
    virtual void showSeries(const ChartSeries& series) = 0;
};

// Makes the window's chart. The window takes whatever this gives, so another chart
// implementation plugs in here (or through TFmain's constructor argument).
using ChartWidgetFactory = std::function<ChartWidget*(QWidget* parent)>;
// The Qt Charts chart, the window's default.
ChartWidget* CreateChartWidget(QWidget* parent);

} // namespace spritlog
