#pragma once

#include "charts/chartcontrol.h"

#include <QWidget>

#include <functional>

namespace spritlog {

// The chart on the page "Grafik" (p_chart): a widget that is also the chart control the
// chart views draw through.
class ChartWidget : public QWidget, public ChartControl {
    Q_OBJECT

public:
    using QWidget::QWidget;
};

// Makes the window's chart. The window takes whatever this gives, so another chart
// implementation plugs in here (or through TFmain's constructor argument).
using ChartWidgetFactory = std::function<ChartWidget*(QWidget* parent)>;
ChartWidget* CreateChartWidget(QWidget* parent);

} // namespace spritlog
