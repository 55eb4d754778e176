#include "cli/years.h"

#include "document/figures.h"

#include <vector>

namespace spritlog::cli {
namespace {

// The cells are ASCII: the same bytes in Windows-1252 and UTF-8.
std::string Line(const std::string& first, const std::vector<std::string>& rest) {
    std::string line = first;
    for (const std::string& cell : rest)
        line += '\t' + cell;
    return line + '\n';
}

} // namespace

std::string YearsCommand(const LogbookDocument& book, std::optional<int> monthsOf,
                         const LocalDateTime& today) {
    const YearSummary summary = SummariseYears(book.table(), book.consumptionRule(), today);
    const std::vector<std::string> captions =
        YearTableCaptions(summary, monthsOf ? "Monat" : "Jahr");
    std::string out = Line(captions.front(), {captions.begin() + 1, captions.end()});
    if (!monthsOf) {
        for (const YearFigures& year : summary.years)
            out += Line(YearCaption(year), PeriodTexts(summary, year.total));
        return out;
    }
    // All twelve months, empty ones too, also for a year outside the logbook's.
    const YearFigures* year = summary.find(*monthsOf);
    for (int month = 1; month <= 12; ++month) {
        const std::vector<std::string> texts =
            year ? PeriodTexts(summary, year->months[static_cast<std::size_t>(month - 1)])
                 : std::vector<std::string>(captions.size() - 1);
        out += Line(MonthCaption(month), texts);
    }
    return out;
}

} // namespace spritlog::cli
