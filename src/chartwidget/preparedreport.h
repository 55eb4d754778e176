#pragma once

#include "analysis/chartsource.h"
#include "chartwidget/chartpicture.h"

#include "logbook/clock.h"
#include "logbook/texttable.h"
#include "platform/reportrenderer.h"
#include "reports/reportlayout.h"

#include <memory>
#include <string>

namespace spritlog {

// The report with everything it shows computed, the chart already drawn: what "Druckvorschau",
// "Als PDF speichern" and spritlog-cli's report print.
struct PreparedReport {
    ReportContent content;
    std::unique_ptr<ChartPicture> chart; // null without a chart page

    // Draws the chart into the area of its page.
    ReportChartPainter chartPainter() const;
};

// The report of the logbook `grid` (derived values current, note headings in row 0) and
// `chartSource` built from it: chart tab `tab` (0..6; any other tab, or fewer than three
// records, no chart page) with `zoomIndex`, as the page "Grafik" shows it. Throws Error where
// a figure or the chart cannot be computed, before anything is drawn.
PreparedReport PrepareReport(const TextTable& grid, const ChartSource& chartSource,
                             const std::string& fileName, const LocalDateTime& now, int tab,
                             int zoomIndex, ConsumptionRule rule = ConsumptionRule::FullTank);

} // namespace spritlog
