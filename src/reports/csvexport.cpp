#include "reports/csvexport.h"

#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "reports/recordunits.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace spritlog {

namespace {

// A ";" or '"' inside a cell would split or garble the line for every reader, so such a
// cell goes between quotes with its own quotes doubled. Every other cell stays as typed.
void AppendCsvCell(std::string& line, std::string_view text) {
    // One pass over the bytes; find_first_of would search the two characters for each one.
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == ';' || c == '"'; })) {
        line.append(text);
        return;
    }
    line.push_back('"');
    for (const char c : text) {
        if (c == '"')
            line.push_back('"');
        line.push_back(c);
    }
    line.push_back('"');
}

bool IsNumberColumn(int column) {
    return column >= ColKmStand && column <= ColTankkosten;
}

} // namespace

std::string CsvCellText(int column, std::string_view text) {
    if (!IsNumberColumn(column))
        return std::string(text);
    // The derived columns are padded with blanks, which would make a spreadsheet take the
    // number for a text; a German one reads "1.709" as 1709.
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string(text);
    const std::string_view bare = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (!IsNumberText(bare))
        return std::string(text);
    std::string written(bare);
    std::replace(written.begin(), written.end(), '.', ',');
    return written;
}

void WriteCsvFile(LineSink& sink, const TextTable& grid) {
    if (grid.rowCount() < 1)
        return;
    // Appended after the notes, so that the fourteen columns keep their places for every
    // sheet and script that reads them.
    const bool units = ShowsRecordUnits(grid);
    std::string line;
    for (int c = ColDatum; c <= ColNote3; ++c) {
        AppendCsvCell(line, grid.cell(c, 0));
        line.push_back(';');
    }
    if (units)
        line.append(kUnitCaption).push_back(';');
    sink.writeLine(line);
    for (int r = 1; r < grid.rowCount(); ++r) {
        line.clear();
        for (int c = ColDatum; c <= ColNote3; ++c) {
            AppendCsvCell(line, CsvCellText(c, grid.cell(c, r)));
            line.push_back(';');
        }
        if (units)
            line.append(RecordUnitText(grid, r)).push_back(';');
        sink.writeLine(line);
    }
}

} // namespace spritlog
