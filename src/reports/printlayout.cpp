#include "reports/printlayout.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "reports/recordunits.h"

namespace spritlog {

namespace {

PrintLine LineAt(int lineNumber, bool bold, std::string text) {
    return PrintLine{kPrintLeft, lineNumber * kPrintLinePitch, bold, std::move(text)};
}

} // namespace

std::string PrintRowText(const TextTable& grid, int row, bool units) {
    std::string text;
    for (int c = ColNumber; c <= ColNote3; ++c) {
        std::string cell(grid.cell(c, row));
        // The unit goes into the quantity's own 20 characters: no column moves.
        if (units && c == ColLiter && row > 0 && !cell.empty())
            cell.append(" ").append(RecordUnitText(grid, row));
        text += PadRight(cell, kPrintCellWidth);
    }
    return text;
}

std::vector<PrintPage> BuildPrintLayout(const TextTable& grid, const std::string& currentFileName) {
    std::vector<PrintPage> pages(1);
    // The heading is printed on the first page only, so it always says "Seite 1".
    pages.back().lines.push_back(
        PrintLine{kPrintLeft, 0, true,
                  "Spritlog - " + ShortenPath(Utf8ToCp1252(currentFileName), 40) + " - Seite 1"});
    // Line 1 stays blank; line 2 holds the column headings, line 3 and 4 stay blank.
    if (grid.rowCount() > 0)
        pages.back().lines.push_back(LineAt(2, true, PrintRowText(grid, 0)));

    const int records = grid.rowCount() > 0 ? grid.rowCount() - 1 : 0;
    const bool units = ShowsRecordUnits(grid);
    int line = kPrintFirstRecordLine - 1;
    for (int r = 1; r <= records; ++r) {
        if (++line > kPrintLastLine) {
            line = 1;
            pages.emplace_back();
        }
        pages.back().lines.push_back(LineAt(line, false, PrintRowText(grid, r, units)));
    }
    return pages;
}

} // namespace spritlog
