#pragma once

#include "import/csvimport.h"
#include "import/csvreader.h"

#include <vector>

namespace spritlog::import {

// Fuelio's backup read section by section: "## Vehicle" (the units and tank types),
// "## Log" (the refuellings), "## FavStations" (the names of the stations the log
// refers to by number); every other section is skipped. A file that starts with the
// log's header line is a log without its section line.
void ReadFuelioBackup(ImportResult& result, const std::vector<CsvRow>& rows);

// The log's header line without the section line before it: "Data,Odo (km),Fuel
// (litres),..." as older exports and cut files have it.
bool IsFuelioLogHeader(const CsvRow& row);

} // namespace spritlog::import
