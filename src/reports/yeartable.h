#pragma once

#include "analysis/yearsummary.h"
#include "logbook/clock.h"
#include "logbook/linesink.h"
#include "logbook/texttable.h"
#include "reports/reportcontext.h"

#include <string>
#include <vector>

namespace spritlog {

// The year table as the reports print it: row 0 the captions, then the years, the newest
// first, as the window shows them, the current year's projection right below it. Only
// the captions when no record has a valid date. The texts are ASCII.
std::vector<std::vector<std::string>> YearTableRows(const YearSummary& summary);

// The HTML report's section "Jahre", computed by the clock of `context`.
void WriteHtmlYearTable(LineSink& sink, const TextTable& grid, const ReportContext& context);

} // namespace spritlog
