#pragma once

#include <string>

namespace spritlog {

// The cells the workbook's consumption chart draws: "Liter je 100 KM" of records 2..n+1, the
// ones that can have a consumption of their own, as the range "Tankbuch!$F$3:$F$<n+2>" for
// `points` = n.
std::string ConsumptionRange(int points);

// The Tankbuch column of the records' units, in a workbook that has one (after the notes).
inline constexpr const char* kUnitLetter = "O";

// The consumption chart of a logbook with several energies draws one line per energy. The
// cell of Tankbuch's `row` (1-based) in the line of `unit` ("kWh"): that row's Verbrauch
// where its unit is `unit` and it holds a number, else no value (#NV), which a line passes.
std::string EnergyConsumptionFormula(int row, const char* unit);
// The average of that line over the records of `points` as in ConsumptionRange: the
// Verbrauch cells of `unit` that hold a value.
std::string EnergyAverageFormula(int points, const char* unit);

// The date of Tankbuch's `row` (1-based) as text "TT.MM.JJJJ", a text that is no date as it
// stands. Built from DAY, MONTH and YEAR: TEXT's date codes are read in the language of the
// spreadsheet program, "yyyy" is no year to a German one. One formula a record: the text is
// assembled in a buffer kept from row to row, valid until the next call.
class DateLabelFormula {
public:
    const char* operator()(int row);

private:
    std::string text_;
};

} // namespace spritlog
