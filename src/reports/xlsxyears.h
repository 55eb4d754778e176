#pragma once

#include "analysis/yearsummary.h"

#include <xlsxwriter.h>

#include <string>
#include <vector>

namespace spritlog {

// The sheet "Jahre" of the workbook: the year table of `summary`, the newest year first,
// the current one's projection below it. Every figure is a formula over the cells of the
// sheet Tankbuch (`records` rows under its headings), so it follows every change made there;
// the value the program computed stands beside it for readers that do not calculate. The
// year in column A is a number (the running year shown as "2026 (laufend)"): another year
// typed there gets that year's figures. With `units` Tankbuch has the column Einheit, which
// tells the formulas each record's unit.
void WriteYearSheet(lxw_workbook* book, const std::string& title, const YearSummary& summary,
                    int records, ConsumptionRule rule, bool units = false);

// The formulas of one year row, for the year in column A of `row` (1-based): one per figure
// column, in the order of YearTableCaptions.
std::vector<std::string> YearFormulas(const YearSummary& summary, int records, int row,
                                      ConsumptionRule rule, bool units = false);

} // namespace spritlog
