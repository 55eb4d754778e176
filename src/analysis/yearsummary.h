#pragma once

#include "analysis/statistics.h"
#include "logbook/clock.h"
#include "logbook/energies.h"
#include "logbook/fillups.h"
#include "logbook/texttable.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace spritlog {

// The year at a glance: kilometres, quantities, costs and consumption per calendar year and
// per month, for every output that shows them (the page "Jahre", the reports, the workbook
// and spritlog-cli years).
//
// A record belongs to the year and month of its date (dd.mm.yyyy, a real day); a record
// without such a date, and one that takes no part (empty), counts nowhere. Every year from
// the earliest record's to the latest record's has a row, a year without records too.
// KM, quantity and Tankkosten are the sums of the records' cells; a quantity column counts
// the records of its unit only. Verbrauch is the mean of the non-empty consumption cells,
// by the statistics page's rule (from full tank to full tank a partial fill-up's interval
// counts once, on the record that closes it). EUR je 100 KM is Tankkosten / KM x 100, from
// the sums. A cell without any value is empty.

// One quantity column and its consumption column: one pair per energy of the logbook's
// records (litres, kg, kWh); AdBlue's cost counts, its quantity in none.
struct QuantityColumn {
    Energy unit;
    const char* quantityCaption;    // "Liter"
    const char* consumptionCaption; // "Verbrauch"
};

// The figures of one year or one month.
struct PeriodFigures {
    int records = 0;
    ColumnTally km;
    std::vector<ColumnTally> quantity; // one per quantity column
    ColumnTally tankkosten;
    std::vector<ColumnTally> consumption; // one per quantity column
};

struct YearFigures {
    int year = 0;
    // Not over by the clock: the current year, or one after it.
    bool running = false;
    PeriodFigures total;
    std::array<PeriodFigures, 12> months;
};

// KM and Tankkosten of the current year scaled to the whole year: the figures so far times
// the days of the year (365 or 366) divided by the days gone by, today counted as gone by
// (1 January: 1 day; 31 December: all of them, the figures as they are).
struct YearProjection {
    int year = 0;
    int days = 365;   // of the year
    int daysGone = 1; // today included
    std::optional<double> km;
    std::optional<double> tankkosten;
};

struct YearSummary {
    std::vector<QuantityColumn> columns;
    std::vector<YearFigures> years;           // ascending, no gaps; empty without a dated record
    std::optional<YearProjection> projection; // when the current year has a row

    // The row of `year`, null outside the range.
    const YearFigures* find(int year) const;
};

// The year table of `grid` (derived columns current) under the consumption rule `rule`,
// with `today` telling which year is not over.
YearSummary SummariseYears(const TextTable& grid, ConsumptionRule rule, const LocalDateTime& today);

// EUR je 100 KM of a period: empty without KM (or with KM summing to 0) or without costs.
std::optional<double> CostPer100Km(const PeriodFigures& figures);

// The texts of the table (UTF-8 and Windows-1252 alike: ASCII only), the same in every
// output: KM whole, the rest with two decimals and a point, no padding, no grouping; an
// empty text where nothing can be computed.
std::vector<std::string> YearTableCaptions(const YearSummary& summary, const char* first);
// The cells after the first caption.
std::vector<std::string> PeriodTexts(const YearSummary& summary, const PeriodFigures& figures);
// "2026", or "2026 (laufend)" for a year not over.
std::string YearCaption(const YearFigures& year);
// "01" .. "12".
std::string MonthCaption(int month);
// The projection's row: "Hochrechnung 2026", KM and Tankkosten; the other cells empty.
std::vector<std::string> ProjectionTexts(const YearSummary& summary);
// A figure as the table writes it: `decimals` places, no padding.
std::string FigureText(double value, int decimals);

} // namespace spritlog
