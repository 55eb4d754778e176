#include "chartwidget/chartwidget.h"

#include "chartwidget/qtchartwidget.h"

#include "platform/celltext.h"

namespace spritlog {

namespace {

QStringList LabelsOf(const std::vector<std::string>& cells) {
    QStringList labels;
    labels.reserve(static_cast<qsizetype>(cells.size()));
    for (const std::string& label : cells)
        labels << CellToQString(label);
    return labels;
}

} // namespace

void ChartWidget::setPointLabelCells(std::vector<std::string> cells) {
    setPointLabels(LabelsOf(cells));
}

void ShowSeriesTexts(ChartWidget& chart, const ChartSeries& series) {
    chart.setPointLabelCells(series.labels);
    chart.setWholeNumbers(series.wholeNumbers);
}

ChartWidget* CreateChartWidget(QWidget* parent) {
    return new QtChartWidget(parent);
}

} // namespace spritlog
