#pragma once

#include "logbook/linesink.h"
#include "logbook/texttable.h"

namespace spritlog {

// For spreadsheets set up for German: a first line with the captions of columns 1..14
// (row 0), then one line a record, columns 1..14, each followed by ";". A number in
// columns 2..8 is written without blanks and with a decimal comma ("1,709"); every other
// cell, dates included, as it stands. A cell holding ";" or '"' is quoted, with its quotes
// doubled. A logbook with other energies than litres (or AdBlue) gets a fifteenth column,
// "Einheit", with each record's unit (RecordUnitText).
void WriteCsvFile(LineSink& sink, const TextTable& grid);

// The text a cell of `column` gets in that file, before quoting.
std::string CsvCellText(int column, std::string_view text);

} // namespace spritlog
