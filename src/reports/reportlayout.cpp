#include "reports/reportlayout.h"

#include "analysis/stationrating.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"
#include "reports/recordunits.h"
#include "reports/yeartable.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace spritlog {
namespace {

constexpr double kReportColumnGap = 12.0; // the statistics and the stations beside them

bool LogbookNumberColumn(int column) {
    return column == ColNumber || (column >= ColKmStand && column <= ColTankkosten);
}

bool StationNumberColumn(int column) {
    return column != 1;
}

// The bytes of one UTF-8 character starting at `at`.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 1;
    return std::min(length, text.size() - at);
}

// The longest start of `text` that fits `width` with the ellipsis after it.
std::string Elide(const std::string& text, double width, double points, bool bold,
                  const TextMeasure& measure) {
    // A column exactly as wide as its widest text must not cut that text for a rounding.
    width += 1e-6;
    if (measure.width(text, points, bold) <= width)
        return text;
    std::vector<std::size_t> ends; // ends of the characters
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at))
        ends.push_back(at + CharacterLength(text, at));
    std::size_t low = 0, high = ends.size(); // characters kept
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        const std::string candidate = text.substr(0, ends[mid - 1]) + kReportEllipsis;
        if (measure.width(candidate, points, bold) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return (low == 0 ? std::string() : text.substr(0, ends[low - 1])) + kReportEllipsis;
}

// Natural widths of the columns at `points`: the widest text plus the padding, the first
// row (the headings) in bold.
std::vector<double> NaturalWidths(const std::vector<std::vector<std::string>>& rows, double points,
                                  const TextMeasure& measure) {
    const std::size_t columns = rows.empty() ? 0 : rows.front().size();
    std::vector<double> widths(columns, 0.0);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < columns && c < rows[r].size(); ++c)
            if (!rows[r][c].empty())
                widths[c] = std::max(widths[c], measure.width(rows[r][c], points, r == 0));
    for (double& width : widths)
        width += 2 * kReportCellPadding;
    return widths;
}

double Sum(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0);
}

// The widths that fit `available` when the widest columns are cut to one common width.
std::vector<double> Narrowed(std::vector<double> widths, double available) {
    std::vector<double> sorted = widths;
    std::sort(sorted.begin(), sorted.end());
    double below = 0; // sum of the columns narrower than the cap
    double cap = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const double remaining = static_cast<double>(sorted.size() - i);
        cap = (available - below) / remaining;
        if (cap <= sorted[i])
            break;
        below += sorted[i];
    }
    for (double& width : widths)
        width = std::min(width, cap);
    return widths;
}

std::vector<double> Stretched(std::vector<double> widths, double available) {
    const double total = Sum(widths);
    if (total <= 0 || total >= available)
        return widths;
    for (double& width : widths)
        width *= available / total;
    return widths;
}

// The rows of a table as the report prints them, UTF-8, elided to their columns.
struct Table {
    std::vector<std::vector<std::string>> rows; // row 0 the headings
    std::vector<bool> rightAligned;
    ReportColumns columns;
};

Table MakeTable(std::vector<std::vector<std::string>> rows, std::vector<bool> rightAligned,
                double paperWidth, bool stretch, const TextMeasure& measure) {
    Table table;
    table.rows = std::move(rows);
    table.rightAligned = std::move(rightAligned);
    table.columns = FitReportColumns(table.rows, paperWidth, measure);
    if (!stretch) {
        // Natural widths at the chosen size, as long as they fit.
        const std::vector<double> natural =
            NaturalWidths(table.rows, table.columns.points, measure);
        if (Sum(natural) <= paperWidth)
            table.columns.widths = natural;
    }
    if (table.columns.elided)
        for (std::size_t r = 0; r < table.rows.size(); ++r)
            for (std::size_t c = 0; c < table.rows[r].size(); ++c)
                table.rows[r][c] =
                    Elide(table.rows[r][c], table.columns.widths[c] - 2 * kReportCellPadding,
                          table.columns.points, r == 0, measure);
    return table;
}

// Places one table row at `y`: shade, texts.
void PlaceRow(ReportPage& page, const Table& table, std::size_t row, double left, double y,
              bool shaded) {
    const bool heading = row == 0;
    const double width = Sum(table.columns.widths);
    if (heading || shaded)
        page.shades.push_back({left, y, width, kReportRowHeight, heading});
    double x = left;
    for (std::size_t c = 0; c < table.columns.widths.size(); ++c) {
        const double columnWidth = table.columns.widths[c];
        const std::string& text = c < table.rows[row].size() ? table.rows[row][c] : std::string();
        if (!text.empty())
            page.texts.push_back({x + kReportCellPadding, y, columnWidth - 2 * kReportCellPadding,
                                  kReportRowHeight, text, table.columns.points, heading,
                                  table.rightAligned[c] ? ReportAlign::Right : ReportAlign::Left});
        x += columnWidth;
    }
    if (heading)
        page.rules.push_back({left, y + kReportRowHeight, left + width, y + kReportRowHeight});
}

void PlaceTitle(ReportPage& page, const std::string& text, double x, double y, double width) {
    page.texts.push_back(
        {x, y, width, kReportTitleHeight, text, kReportTitlePoints, true, ReportAlign::Left});
}

// Lays out the pages one block after another, below the page heading.
class Flow {
public:
    Flow(double width, double height) : width_(width), height_(height) {}

    void newPage() {
        pages_.emplace_back();
        y_ = kReportHeadingHeight;
    }
    bool fits(double height) const { return !pages_.empty() && y_ + height <= height_ + 1e-9; }
    // Room for `height` on this page, else a new page.
    ReportPage& take(double height) {
        if (!fits(height))
            newPage();
        ReportPage& page = pages_.back();
        at_ = y_;
        y_ += height;
        return page;
    }
    double at() const { return at_; }
    double y() const { return y_; }
    void moveTo(double y) { y_ = y; }
    void skip(double height) { y_ = std::min(y_ + height, height_); }
    double remaining() const { return height_ - y_; }
    double width() const { return width_; }
    std::size_t pageCount() const { return pages_.size(); }
    std::vector<ReportPage> pages() && { return std::move(pages_); }

private:
    double width_;
    double height_;
    double y_ = 0;
    double at_ = 0;
    std::vector<ReportPage> pages_;
};

// The table's rows under its headings, which repeat at the top of every page it runs on.
void FlowTable(Flow& flow, const Table& table, const std::string& title,
               const std::string& continued, double left = 0) {
    const double start = title.empty() ? kReportRowHeight : kReportTitleHeight + kReportRowHeight;
    bool headed = false;
    for (std::size_t row = 1; row < table.rows.size() || !headed; ++row) {
        const double rowHeight = row < table.rows.size() ? kReportRowHeight : 0;
        if (!headed || !flow.fits(rowHeight)) {
            const bool first = !headed;
            ReportPage& page = flow.take(start + rowHeight);
            double y = flow.at();
            if (!title.empty()) {
                PlaceTitle(page, first ? title : continued, left, y, flow.width() - left);
                y += kReportTitleHeight;
            }
            PlaceRow(page, table, 0, left, y, false);
            if (row < table.rows.size())
                PlaceRow(page, table, row, left, y + kReportRowHeight, (row - 1) % 2 == 1);
            headed = true;
            continue;
        }
        ReportPage& page = flow.take(rowHeight);
        PlaceRow(page, table, row, left, flow.at(), (row - 1) % 2 == 1);
    }
}

void FlowNotice(Flow& flow, const std::string& title, const std::string& text) {
    ReportPage& page = flow.take(kReportTitleHeight + kReportRowHeight);
    PlaceTitle(page, title, 0, flow.at(), flow.width());
    page.texts.push_back({0, flow.at() + kReportTitleHeight, flow.width(), kReportRowHeight, text,
                          kReportFontPoints, false, ReportAlign::Left});
}

// One group of the statistics: its caption, then caption and value per row.
struct StatisticsBlock {
    std::string caption;
    std::vector<std::pair<std::string, std::string>> rows; // UTF-8
};

// The groups of the statistics page, and the lines of a logbook of several energies.
std::vector<StatisticsBlock> StatisticsBlocks(const StatisticsLabels& statistics) {
    std::vector<StatisticsBlock> blocks;
    for (const StatisticsGroup& group : kStatisticsGroups) {
        StatisticsBlock block{Cp1252ToUtf8(group.caption), {}};
        for (int r = 0; r < group.rowCount; ++r) {
            const int label = kStatisticsRows[group.firstRow + r].label;
            block.rows.emplace_back(Cp1252ToUtf8(statistics.caption(label)),
                                    Cp1252ToUtf8(statistics.label(label)));
        }
        blocks.push_back(std::move(block));
    }
    if (!statistics.lines.empty()) {
        StatisticsBlock block{Cp1252ToUtf8(kEnergyLinesCaption), {}};
        for (const StatisticsLine& line : statistics.lines)
            block.rows.emplace_back(Cp1252ToUtf8(line.caption), Cp1252ToUtf8(line.text()));
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// The statistics on a new page, grouped as the statistics page groups them; gives their width.
double FlowStatistics(Flow& flow, const ReportContent& content, const TextMeasure& measure) {
    const std::vector<StatisticsBlock> blocks = StatisticsBlocks(content.statistics);
    double captionWidth = 0;
    double valueWidth = 0;
    double height = kReportTitleHeight;
    for (const StatisticsBlock& block : blocks) {
        height += (1 + block.rows.size()) * kReportRowHeight;
        for (const auto& [caption, value] : block.rows) {
            captionWidth = std::max(captionWidth, measure.width(caption, kReportFontPoints, false));
            valueWidth = std::max(valueWidth, measure.width(value, kReportFontPoints, false));
        }
    }
    captionWidth += 2 * kReportCellPadding;
    valueWidth += 2 * kReportCellPadding;
    const double indent = 4.0;

    flow.newPage();
    ReportPage& page = flow.take(height);
    double y = flow.at();
    PlaceTitle(page, "Statistik", 0, y, flow.width());
    y += kReportTitleHeight;
    for (const StatisticsBlock& block : blocks) {
        page.texts.push_back({0, y, flow.width(), kReportRowHeight, block.caption,
                              kReportFontPoints, true, ReportAlign::Left});
        y += kReportRowHeight;
        for (std::size_t r = 0; r < block.rows.size(); ++r) {
            if (r % 2 == 1)
                page.shades.push_back(
                    {indent, y, captionWidth + valueWidth, kReportRowHeight, false});
            page.texts.push_back({indent + kReportCellPadding, y,
                                  captionWidth - 2 * kReportCellPadding, kReportRowHeight,
                                  block.rows[r].first, kReportFontPoints, false,
                                  ReportAlign::Left});
            page.texts.push_back({indent + captionWidth + kReportCellPadding, y,
                                  valueWidth - 2 * kReportCellPadding, kReportRowHeight,
                                  block.rows[r].second, kReportFontPoints, false,
                                  ReportAlign::Right});
            y += kReportRowHeight;
        }
    }
    return indent + captionWidth + valueWidth;
}

// The header and rows of `grid` as UTF-8 texts; column 0's heading "Nr".
std::vector<std::vector<std::string>> TableTexts(const TextTable& grid, int columns, int rows) {
    std::vector<std::vector<std::string>> texts;
    for (int row = 0; row < rows; ++row) {
        std::vector<std::string> line;
        for (int column = 0; column < columns; ++column)
            line.push_back(Cp1252ToUtf8(grid.cell(column, row)));
        texts.push_back(std::move(line));
    }
    if (!texts.empty() && texts[0][0].empty())
        texts[0][0] = "Nr";
    return texts;
}

// The records' table as the report prints it: the logbook's columns, and where the records
// are not all of litres each one's unit beside its quantity.
std::vector<std::vector<std::string>> RecordTexts(const TextTable& grid, int rows,
                                                  std::vector<bool>& rightAligned) {
    std::vector<std::vector<std::string>> texts = TableTexts(grid, kLogbookColumns, rows);
    rightAligned.clear();
    for (int column = 0; column < kLogbookColumns; ++column)
        rightAligned.push_back(LogbookNumberColumn(column));
    if (!ShowsRecordUnits(grid))
        return texts;
    const auto at = static_cast<std::ptrdiff_t>(ColLiter + 1);
    rightAligned.insert(rightAligned.begin() + at, false);
    for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
        std::vector<std::string>& line = texts[static_cast<std::size_t>(row)];
        line.insert(line.begin() + at,
                    row == 0 ? std::string(kUnitCaption) : std::string(RecordUnitText(grid, row)));
    }
    return texts;
}

} // namespace

ReportContent CollectReportContent(const TextTable& grid, const std::string& fileName,
                                   const LocalDateTime& now,
                                   const std::optional<std::string>& chartTitle,
                                   ConsumptionRule rule) {
    ReportContent content;
    content.grid = grid;
    content.fileName = fileName;
    content.printedOn = ShortDateText(now);
    content.enoughRecords = RecordsTakingPart(grid) >= 3;
    content.years = YearTableRows(SummariseYears(grid, rule, now));
    if (content.enoughRecords) {
        content.statistics = ComputeStatistics(grid, rule);
        TextTable info(kStationColumns, 0);
        BuildStationRating(grid, info);
        // The table's last row is always empty.
        info.setRowCount(std::max(1, info.rowCount() - 1));
        content.stations = std::move(info);
        if (chartTitle) {
            content.chart = true;
            content.chartTitle = *chartTitle;
        }
    }
    return content;
}

ReportColumns FitReportColumns(const std::vector<std::vector<std::string>>& rows, double paperWidth,
                               const TextMeasure& measure) {
    ReportColumns result;
    for (double points = kReportFontPoints; points >= kReportMinFontPoints - 1e-9;
         points -= kReportFontStep) {
        const std::vector<double> widths = NaturalWidths(rows, points, measure);
        result.points = points;
        if (Sum(widths) <= paperWidth) {
            result.widths = Stretched(widths, paperWidth);
            return result;
        }
    }
    result.points = kReportMinFontPoints;
    result.widths = Narrowed(NaturalWidths(rows, kReportMinFontPoints, measure), paperWidth);
    result.elided = true;
    return result;
}

int ReportRowsPerPage(double paperHeight) {
    const double room = paperHeight - kReportHeadingHeight - kReportRowHeight;
    return std::max(1, static_cast<int>(std::floor(room / kReportRowHeight + 1e-9)));
}

std::vector<ReportPage> BuildReportLayout(const ReportContent& content, double paperWidth,
                                          double paperHeight, const TextMeasure& measure) {
    Flow flow(paperWidth, paperHeight);

    // The records, never split: one row each.
    const int records = RecordCount(content.grid);
    std::vector<bool> logbookRight;
    std::vector<std::vector<std::string>> recordTexts =
        RecordTexts(content.grid, content.grid.rowCount() > 0 ? records + 1 : 0, logbookRight);
    const Table logbook =
        MakeTable(std::move(recordTexts), logbookRight, paperWidth, true, measure);
    if (logbook.rows.empty() || records == 0) {
        flow.newPage();
        if (!logbook.rows.empty()) {
            ReportPage& page = flow.take(2 * kReportRowHeight);
            PlaceRow(page, logbook, 0, 0, flow.at(), false);
            page.texts.push_back({kReportCellPadding, flow.at() + kReportRowHeight, paperWidth,
                                  kReportRowHeight, "Keine Eintr\xC3\xA4ge", kReportFontPoints,
                                  false, ReportAlign::Left});
        }
    } else {
        FlowTable(flow, logbook, std::string(), std::string());
    }

    if (!content.enoughRecords) {
        // What the statistics and chart pages say with fewer than three records.
        flow.skip(kReportSectionGap);
        FlowNotice(flow, "Statistik", "Zu wenige Eintr\xC3\xA4ge verf\xC3\xBCgbar");
    } else {
        const double statisticsWidth = FlowStatistics(flow, content, measure);
        const double top = flow.at();
        std::vector<bool> stationRight;
        for (int column = 0; column < kStationColumns; ++column)
            stationRight.push_back(StationNumberColumn(column));
        const Table stations =
            MakeTable(TableTexts(content.stations, kStationColumns, content.stations.rowCount()),
                      stationRight, paperWidth, false, measure);
        // Beside the statistics where the paper is wide enough, else below them.
        const double left = statisticsWidth + kReportColumnGap;
        if (left + Sum(stations.columns.widths) <= paperWidth) {
            const double statisticsEnd = flow.y();
            const std::size_t statisticsPage = flow.pageCount();
            flow.moveTo(top);
            FlowTable(flow, stations, "Tankstellen", "Tankstellen (Fortsetzung)", left);
            // What follows goes below the longer of the two.
            if (flow.pageCount() == statisticsPage)
                flow.moveTo(std::max(flow.y(), statisticsEnd));
        } else {
            flow.skip(kReportSectionGap);
            FlowTable(flow, stations, "Tankstellen", "Tankstellen (Fortsetzung)");
        }
    }

    if (content.years.size() > 1) {
        std::vector<bool> yearRight(content.years.front().size(), true);
        yearRight[0] = false;
        flow.skip(kReportSectionGap);
        FlowTable(flow, MakeTable(content.years, yearRight, paperWidth, false, measure), "Jahre",
                  "Jahre (Fortsetzung)");
    }

    if (content.chart) {
        // A page of its own, the chart filling what the title leaves.
        flow.newPage();
        const double height = std::max(kReportMinChartHeight, flow.remaining());
        ReportPage& page = flow.take(height);
        PlaceTitle(page, "Grafik: " + Cp1252ToUtf8(content.chartTitle), 0, flow.at(), paperWidth);
        page.chart =
            ReportArea{0, flow.at() + kReportTitleHeight, paperWidth, height - kReportTitleHeight};
    }

    std::vector<ReportPage> pages = std::move(flow).pages();
    const std::string name =
        content.fileName.empty() ? std::string("(ohne Namen)") : FileNameOf(content.fileName);
    const std::string total = IntegerToText(static_cast<int>(pages.size()));
    const double third = paperWidth / 3;
    const double lineHeight = kReportHeadingHeight - 5.0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        ReportPage& page = pages[p];
        const std::string title = "Spritlog \xE2\x80\x93 " + name;
        page.texts.push_back(
            {0, 0, paperWidth - third, lineHeight,
             Elide(title, paperWidth - third - 2, kReportHeadingPoints, true, measure),
             kReportHeadingPoints, true, ReportAlign::Left});
        page.texts.push_back({third, 0, third, lineHeight, "Gedruckt am " + content.printedOn,
                              kReportHeadingPoints, false, ReportAlign::Centre});
        page.texts.push_back({2 * third, 0, third, lineHeight,
                              "Seite " + IntegerToText(static_cast<int>(p + 1)) + " von " + total,
                              kReportHeadingPoints, false, ReportAlign::Right});
        page.rules.push_back({0, lineHeight + 1, paperWidth, lineHeight + 1});
    }
    return pages;
}

} // namespace spritlog
