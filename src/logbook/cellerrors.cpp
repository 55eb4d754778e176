#include "logbook/cellerrors.h"

#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

#include <cmath>

namespace spritlog {

std::string CellPlace(int record, int column) {
    return "Datensatz " + IntegerToText(record) + ", " + kLogbookColumnInfo[column].header;
}

int32_t ReadWholeNumber(const TextTable& grid, int column, int record) {
    const std::string_view text = grid.cell(column, record);
    int32_t value = 0;
    if (!TryTextToInteger(text, value))
        throw Error(CellPlace(record, column) + ": '" + VisibleText(text) +
                    "' ist keine ganze Zahl.");
    return value;
}

Error ZeroDistanceError(int record) {
    return Error(CellPlace(record, ColVerbrauch) + ": nicht berechenbar, KM ist 0.");
}

double CheckedCellValue(double value, int record, int column) {
    if (!std::isfinite(value))
        throw Error(CellPlace(record, column) + ": Wert zu gro\xDF.");
    return value;
}

double AddCellValue(double sum, double value, int record, int column) {
    const double result = sum + value;
    if (!std::isfinite(result))
        throw Error(CellPlace(record, column) + ": Summe zu gro\xDF.");
    return result;
}

} // namespace spritlog
