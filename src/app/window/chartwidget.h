#pragma once

#include "charts/chartcontrol.h"
#include "logbook/texttable.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QTabBar;

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
};

// Makes the window's chart. The window takes whatever this gives, so another chart
// implementation plugs in here (or through TFmain's constructor argument).
// The point texts of chart view 1..7 drawn from `prepareGrid`: its date column (a date per
// record, a month per month) for the rows the view draws.
QStringList ChartPointLabels(const TextTable& prepareGrid, int view);

// Halves the room around the tab captions of the view selector, so its eight tabs fit
// side by side into the window's default width; the tabs keep the platform's look.
void UseCompactTabs(QTabBar* tabs);

using ChartWidgetFactory = std::function<ChartWidget*(QWidget* parent)>;
ChartWidget* CreateChartWidget(QWidget* parent);

} // namespace spritlog
