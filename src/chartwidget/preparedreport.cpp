#include "chartwidget/preparedreport.h"

#include "charts/chartviews.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <optional>

namespace spritlog {

ReportChartPainter PreparedReport::chartPainter() const {
    ChartPicture* picture = chart.get();
    if (!picture)
        return {};
    return [picture](QPainter& painter, const QRectF& target) {
        picture->paintOnPaper(painter, target);
    };
}

PreparedReport PrepareReport(const TextTable& grid, const ChartSource& chartSource,
                             const std::string& fileName, const LocalDateTime& now, int tab,
                             int zoomIndex, ConsumptionRule rule) {
    const bool chart = tab >= 0 && tab < kChartViewCount && RecordsTakingPart(grid) >= 3;
    PreparedReport report;
    report.content = CollectReportContent(
        grid, fileName, now,
        chart ? std::optional<std::string>(ChartTabCaption(tab, chartSource)) : std::nullopt, rule);
    if (report.content.chart)
        report.chart = std::make_unique<ChartPicture>(
            ChartViewOf(chartSource, tab + 1, zoomIndex),
            QSize(kDefaultChartPictureWidth, kDefaultChartPictureHeight));
    return report;
}

} // namespace spritlog
