#pragma once

#include "analysis/statistics.h"
#include "logbook/clock.h"
#include "logbook/texttable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// The readable report of "Druckvorschau..." and "Als PDF speichern...": every page has the
// page heading and the table's column headings, all fifteen columns fit the paper's width,
// the statistics and the station table follow the records, the chart comes last.
//
// Lengths are millimetres from the top left of the printable area; font sizes are points.

inline constexpr double kReportFontPoints = 9.0;    // the table's size while everything fits
inline constexpr double kReportMinFontPoints = 6.0; // the smallest it shrinks to
inline constexpr double kReportFontStep = 0.25;
inline constexpr double kReportHeadingPoints = 9.0;  // the page heading
inline constexpr double kReportTitlePoints = 11.0;   // "Statistik", "Tankstellen", "Grafik"
inline constexpr double kReportHeadingHeight = 12.0; // the page heading band with its rule
inline constexpr double kReportRowHeight = 5.0;      // every table row, column headings too
inline constexpr double kReportTitleHeight = 8.0;    // a section title
inline constexpr double kReportSectionGap = 5.0;     // between the statistics and the stations
inline constexpr double kReportCellPadding = 1.0;    // left and right of every cell text
inline constexpr double kReportMinChartHeight = 60.0;
inline constexpr const char* kReportEllipsis = "\xE2\x80\xA6"; // UTF-8 "…"

// How wide a text is on the paper; the platform measures with its real fonts.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // `text` is UTF-8; the result in millimetres.
    virtual double width(std::string_view text, double points, bool bold) const = 0;
};

// Everything the report shows, computed before a page is drawn, so a figure that cannot
// be computed stops the report before it starts.
struct ReportContent {
    TextTable grid{0, 0};       // the logbook (Windows-1252), derived columns current
    std::string fileName;       // UTF-8; empty for a logbook without a name
    std::string printedOn;      // "07.12.2025"
    bool enoughRecords = false; // at least three: statistics, stations and chart
    StatisticsLabels statistics;
    TextTable stations{0, 0}; // p_Info without its empty last row
    bool chart = false;       // the chart page comes last
    std::string chartTitle;   // its title, Windows-1252
    // The year table (captions first), newest year first; only captions without dates.
    std::vector<std::vector<std::string>> years;
};

// The content of the report of `grid` (derived columns current, headings in row 0).
// Statistics (as the statistics page computes them) and stations only from three records
// on, as the window shows them; `chartTitle` set means a chart page. Throws Error where a
// figure cannot be computed.
ReportContent CollectReportContent(const TextTable& grid, const std::string& fileName,
                                   const LocalDateTime& now,
                                   const std::optional<std::string>& chartTitle,
                                   ConsumptionRule rule = ConsumptionRule::FullTank);

enum class ReportAlign { Left, Right, Centre };

struct ReportText {
    double x = 0, y = 0, width = 0, height = 0; // the box; the text centred vertically
    std::string text;                           // UTF-8, already elided where needed
    double points = kReportFontPoints;
    bool bold = false;
    ReportAlign align = ReportAlign::Left;
};

struct ReportShade {
    double x = 0, y = 0, width = 0, height = 0;
    bool heading = false; // the column headings' darker shade; else the alternate rows'
};

struct ReportRule {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct ReportArea {
    double x = 0, y = 0, width = 0, height = 0;
};

struct ReportPage {
    std::vector<ReportShade> shades;
    std::vector<ReportRule> rules;
    std::vector<ReportText> texts;
    std::optional<ReportArea> chart; // where the chart is drawn
};

// The table's font size and column widths for a printable width `paperWidth`.
struct ReportColumns {
    double points = kReportFontPoints;
    std::vector<double> widths; // one per column, summing to the paper width
    bool elided = false;        // some texts do not fit even at the smallest size
};
// Widths from the content: every column as wide as its widest text (heading in bold) at
// the largest size from kReportFontPoints down to kReportMinFontPoints at which all fit;
// at the smallest size the widest columns are narrowed to a common width, and their long
// texts elided. Room left over goes to the columns in proportion to their widths.
ReportColumns FitReportColumns(const std::vector<std::vector<std::string>>& rows, double paperWidth,
                               const TextMeasure& measure);

// Table rows a page holds below the page heading and the column headings.
int ReportRowsPerPage(double paperHeight);

// The pages of the report on a printable area of `paperWidth` x `paperHeight` mm.
std::vector<ReportPage> BuildReportLayout(const ReportContent& content, double paperWidth,
                                          double paperHeight, const TextMeasure& measure);

} // namespace spritlog
