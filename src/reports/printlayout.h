#pragma once

#include "logbook/texttable.h"

#include <string>
#include <vector>

namespace spritlog {

// The printout as data: positions in 0.1 mm from the top left of the printable area.
inline constexpr const char* kPrintFontFamily = "Courier New";
inline constexpr int kPrintFontHeight = 40; // character cell height, 0.1 mm
inline constexpr int kPrintLeft = 200;      // x of every line
inline constexpr int kPrintLinePitch = 43;  // y of line i is i * pitch
inline constexpr int kPrintCellWidth = 20;  // characters a cell takes at least
inline constexpr int kPrintLastLine = 59;   // last line number of a page
inline constexpr int kPrintFirstRecordLine = 5;

struct PrintLine {
    int x = 0;
    int y = 0;
    bool bold = false;
    std::string text; // Windows-1252
};

struct PrintPage {
    std::vector<PrintLine> lines;
};

// One grid row as a printed line: columns 0..14, each padded to 20 characters. With
// `units`, a record's quantity is followed by its unit ("39.5 kWh"), for a logbook whose
// records are not all of litres (ShowsRecordUnits).
std::string PrintRowText(const TextTable& grid, int row, bool units = false);

// The pages of the printout of `grid`: on page 1 the heading with the shortened file
// name (UTF-8 `currentFileName`), the column headings and up to 55 records; every further
// page up to 59 records.
std::vector<PrintPage> BuildPrintLayout(const TextTable& grid, const std::string& currentFileName);

} // namespace spritlog
