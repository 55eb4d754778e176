#pragma once

#include "logbook/clock.h"
#include "logbook/fillups.h"
#include "logbook/texttable.h"

#include <string>

namespace spritlog {

// The logbook `grid` (derived columns current) as a spreadsheet workbook at `path` (UTF-8;
// created, or overwritten in place). Sheets:
//   Tankbuch     the headings and one row per record: dates, numbers with the decimals of
//                the table, texts; a cell that is no valid date or number stays its text
//   Monate       the chart source per month
//   Jahre        the year table, as formulas over Tankbuch's cells; `clock` tells the
//                running year (the system's when empty)
//   Statistik    the twelve figures of the statistics page, or the too-few notice
//   Tankstellen  the station evaluation with its average row
//   Diagramme    "Liter je 100 KM" per record with its average, "Tankkosten" per month,
//                as charts over the cells of the sheets above
//   Hilfswerte   hidden, with the first chart: the dates (as texts) and the average it draws
// Every sheet prints on A4 landscape, one page wide, a heading row on every page, `title`
// in the header and the page numbers in the footer.
// `title` (UTF-8) becomes the document title. Every figure is computed before the file is
// touched: where one cannot be, Error with the message the HTML report gives; a failing
// write throws Error too.
void WriteXlsxWorkbook(const std::string& path, const TextTable& grid, const std::string& title,
                       ConsumptionRule rule = ConsumptionRule::FullTank, Clock clock = {});

} // namespace spritlog
