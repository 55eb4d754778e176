#include "chartwidget/chartwidget.h"

#include "charts/chartviews.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

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

} // namespace spritlog
