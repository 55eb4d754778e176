#pragma once

#include "import/csvimport.h"
#include "logbook/texttable.h"

namespace spritlog {

// How an import meets the logbook it goes into: refuellings the logbook has already are
// left out, and the others go where their date and odometer put them.

// Whether an imported refuelling and a logbook record are the same one: readings at most
// 1 km apart (whole km after converting miles), quantities that differ by no more than
// rounding (0.5 % of the larger one, at least 0.05 litres: one export may give 18.205
// gallons where a later one gives 18.21), and dates at most a day apart (an evening
// refuelling may carry the next day's date in another export).
bool SameRefuelling(std::string_view dateA, std::string_view odometerA, std::string_view litresA,
                    std::string_view dateB, std::string_view odometerB, std::string_view litresB);

// Leaves out of a clean result every record the logbook `grid` holds already and notes each
// in result.summary.inLogbook.
void SkipRecordsInLogbook(ImportResult& result, const TextTable& grid);

// Puts the records of a clean result into the logbook, each where its date and odometer
// put it: before the first record that comes later by date, then odometer. The logbook's
// records keep their order; a record without a valid date stays behind the one before it,
// and empty records at the end stay at the end. A logbook of one empty record (after "Neu")
// is replaced. Throws Error ("Mit dem Import hätte das Tankbuch mehr als 1.000.000
// Datensätze.", with `maxRecords` grouped) before touching the table when the logbook would
// grow beyond `maxRecords`. The caller then runs CalculateValues and UpdateStatusBar.
void PlaceImportedRecords(TextTable& grid, const ImportResult& result,
                          int maxRecords = kMaxImportRecords);

} // namespace spritlog
