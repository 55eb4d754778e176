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
    return Error(ZeroDistanceIssue(record).message);
}

CellIssue NotAWholeNumberIssue(const TextTable& grid, int column, int record) {
    return {record, column,
            CellPlace(record, column) + ": '" + VisibleText(grid.cell(column, record)) +
                "' ist keine ganze Zahl."};
}

CellIssue NotANumberIssue(const TextTable& grid, int column, int record) {
    return {record, column,
            CellPlace(record, column) + ": '" + VisibleText(grid.cell(column, record)) +
                "' ist keine Zahl."};
}

CellIssue ZeroDistanceIssue(int record) {
    return {record, ColVerbrauch,
            CellPlace(record, ColVerbrauch) + ": nicht berechenbar, KM ist 0."};
}

std::string CellIssuesStatusText(const std::vector<CellIssue>& issues) {
    if (issues.empty())
        return {};
    const std::size_t count = issues.size();
    return IntegerToText(static_cast<int64_t>(count)) +
           (count == 1 ? " ung\xFCltige Zelle: " : " ung\xFCltige Zellen: ") +
           issues.front().message;
}

std::string CellIssuesBoxText(const std::vector<CellIssue>& issues) {
    constexpr std::size_t kShown = 10;
    std::string text;
    for (std::size_t i = 0; i < issues.size() && i < kShown; ++i) {
        if (i > 0)
            text += '\n';
        text += issues[i].message;
    }
    if (issues.size() > kShown)
        text += "\nund " + IntegerToText(static_cast<int64_t>(issues.size() - kShown)) + " weitere";
    return text;
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
