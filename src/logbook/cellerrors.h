#pragma once

#include "logbook/errors.h"
#include "logbook/texttable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// A cell the calculation could not read, or a figure it could not compute, with its German
// message (Windows-1252). Such a cell spoils only the derived cells of its own record.
struct CellIssue {
    int record = 0;
    int column = 0;
    std::string message; // "Datensatz 3, Liter: '4o' ist keine Zahl."
    bool operator==(const CellIssue& other) const {
        return record == other.record && column == other.column && message == other.message;
    }
};
// "Datensatz 3, KM-Stand: '47.1o0' ist keine ganze Zahl."
CellIssue NotAWholeNumberIssue(const TextTable& grid, int column, int record);
// "Datensatz 3, Liter: '4o' ist keine Zahl."
CellIssue NotANumberIssue(const TextTable& grid, int column, int record);
// "Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0."
CellIssue ZeroDistanceIssue(int record);

// The status bar's note while typing: "1 ungültige Zelle: Datensatz 3, KM-Stand: ..." (the
// first issue named, the count of all); empty without issues.
std::string CellIssuesStatusText(const std::vector<CellIssue>& issues);
// The one box at F5 and at load: every message on a line of its own, at most ten, then
// "und N weitere"; empty without issues.
std::string CellIssuesBoxText(const std::vector<CellIssue>& issues);

} // namespace spritlog
