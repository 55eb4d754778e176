#include "chartwidget/chartwidget.h"

#include "chartwidget/qtchartwidget.h"

#include "platform/celltext.h"

namespace spritlog {

QStringList PointLabels(const ChartSeries& series) {
    QStringList labels;
    labels.reserve(static_cast<qsizetype>(series.labels.size()));
    for (const std::string& label : series.labels)
        labels << CellToQString(label);
    return labels;
}

void ShowSeriesTexts(ChartWidget& chart, const ChartSeries& series) {
    chart.setPointLabels(PointLabels(series));
    chart.setWholeNumbers(series.wholeNumbers);
}

ChartWidget* CreateChartWidget(QWidget* parent) {
    return new QtChartWidget(parent);
}

} // namespace spritlog
