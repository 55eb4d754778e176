#include "reports/csvexport.h"

#include "logbook/logbooktable.h"

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

} // namespace

void WriteCsvFile(LineSink& sink, const TextTable& grid) {
    const int records = grid.rowCount() > 0 ? grid.rowCount() - 1 : 0;
    std::string line;
    for (int r = 1; r <= records; ++r) {
        line.clear();
        for (int c = ColDatum; c <= ColNote3; ++c) {
            AppendCsvCell(line, grid.cell(c, r));
            line.push_back(';');
        }
        sink.writeLine(line);
    }
}

} // namespace spritlog
