#pragma once

#include "charts/chartcontrol.h"
#include "charts/chartseries.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace spritlog {

// The chart on the page "Grafik" (p_chart): a widget that is also the chart control the
// chart views draw through.
class ChartWidget : public QWidget, public ChartControl {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Texts for the points of the view just drawn (the dates or months of the chart
    // source), label i for point i. The chart control itself only receives values; the
    // window adds these after a view was drawn. A chart may ignore them; points without a
    // text are numbered from 1.
    virtual void setPointLabels(const QStringList& labels) { Q_UNUSED(labels); }
    // The same texts as the chart source holds them (Windows-1252). A chart that shows only
    // a few of them converts only those; by default all go to setPointLabels.
    virtual void setPointLabelCells(std::vector<std::string> cells);
    // Whether the value axis of the view just drawn counts whole numbers (kilometres).
    virtual void setWholeNumbers(bool whole) { Q_UNUSED(whole); }
};

// What a chart shows of `series` beyond the values it was sent: the texts under the points
// and the axis's whole numbers. After the series was drawn.
void ShowSeriesTexts(ChartWidget& chart, const ChartSeries& series);

// Makes the window's chart. The window takes whatever this gives, so another chart
// implementation plugs in here (or through TFmain's constructor argument).
using ChartWidgetFactory = std::function<ChartWidget*(QWidget* parent)>;
// The Qt Charts chart, the window's default.
ChartWidget* CreateChartWidget(QWidget* parent);

} // namespace spritlog
