#pragma once

#include "logbook/linesink.h"
#include "logbook/texttable.h"

namespace spritlog {

// One line a record: columns 1..14, each followed by ";". A cell holding ";" or '"' is
// quoted, with its quotes doubled.
void WriteCsvFile(LineSink& sink, const TextTable& grid);

} // namespace spritlog
