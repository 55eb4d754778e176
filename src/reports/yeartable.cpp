#include "reports/yeartable.h"

#include "reports/htmlreport.h"

namespace spritlog {

std::vector<std::vector<std::string>> YearTableRows(const YearSummary& summary) {
    std::vector<std::vector<std::string>> rows = {YearTableCaptions(summary, "Jahr")};
    for (auto year = summary.years.rbegin(); year != summary.years.rend(); ++year) {
        std::vector<std::string> row = {YearCaption(*year)};
        for (std::string& text : PeriodTexts(summary, year->total))
            row.push_back(std::move(text));
        rows.push_back(std::move(row));
        if (summary.projection && summary.projection->year == year->year)
            rows.push_back(ProjectionTexts(summary));
    }
    return rows;
}

void WriteHtmlYearTable(LineSink& sink, const TextTable& grid, const ReportContext& context) {
    const LocalDateTime now = context.clock ? context.clock() : SystemLocalTime();
    const std::vector<std::vector<std::string>> rows =
        YearTableRows(SummariseYears(grid, context.rule, now));
    sink.writeLine("<a name=\"jahre\"></a><p><h3>Jahre:</h3>");
    sink.writeLine("<table border=1>");
    std::string heading = "<tr>";
    for (const std::string& caption : rows.front())
        heading += "<th>" + caption + "</th>";
    sink.writeLine(heading + "</tr>");
    for (std::size_t r = 1; r < rows.size(); ++r) {
        std::string line = "<tr>";
        for (const std::string& text : rows[r])
            line += HtmlCell(text);
        sink.writeLine(line + "</tr>");
    }
    sink.writeLine("</table></p><br><br>");
}

} // namespace spritlog
