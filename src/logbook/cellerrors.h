#pragma once

#include "logbook/errors.h"
#include "logbook/texttable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace spritlog {

// Messages about the logbook's cells name the record and the column's heading, in German
// (Windows-1252): "Datensatz 3, KM-Stand: '47.100' ist keine ganze Zahl."
std::string CellPlace(int record, int column);

// The whole number in `column` of `record`; Error naming the place otherwise.
int32_t ReadWholeNumber(const TextTable& grid, int column, int record);

// "Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0."
Error ZeroDistanceError(int record);

// `value` when it is finite; otherwise Error "Datensatz 3, Tankkosten: Wert zu groß." (a
// product or quotient out of the double range).
double CheckedCellValue(double value, int record, int column);

// sum + value; Error "Datensatz 3, Liter: Summe zu groß." when the sum leaves the double
// range.
double AddCellValue(double sum, double value, int record, int column);

} // namespace spritlog
