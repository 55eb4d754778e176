#include "app/window/chartwidget.h"

#include "app/window/qtchartwidget.h"

#include "charts/chartviews.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QProxyStyle>
#include <QTabBar>

#include <algorithm>

namespace spritlog {

QStringList ChartPointLabels(const TextTable& prepareGrid, int view) {
    QStringList labels;
    if (view < 1 || view > kChartViewCount)
        return labels;
    const int first = kChartViews[view - 1].firstRow;
    // As many as the chart can hold (16-bit point indices).
    const int count = std::clamp(ChartPointCount(view, prepareGrid.rowCount()), 0, 32768);
    labels.reserve(count);
    for (int point = 0; point < count; ++point)
        labels << CellToQString(prepareGrid.cell(ColDatum, first + point));
    return labels;
}

namespace {

class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

} // namespace

void UseCompactTabs(QTabBar* tabs) {
    auto* style = new CompactTabStyle;
    style->setParent(tabs); // a style set on a widget is not owned by it
    tabs->setStyle(style);
}

ChartWidget* CreateChartWidget(QWidget* parent) {
    return new QtChartWidget(parent);
}

} // namespace spritlog
