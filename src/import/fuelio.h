#pragma once

#include "import/csvimport.h"

#include <string>
#include <string_view>

namespace spritlog::import {

// Fuelio's backup CSV: sections "## Vehicle", "## Log", "## FavStations", ... with ","
// separated, quoted fields; or only the log table with its header line.
bool LooksLikeFuelio(std::string_view text);
void ParseFuelio(ImportResult& result, std::string_view text);

// FuelType (or a tank type of "## Vehicle") as a grade; empty for none chosen.
std::string FuelioGrade(std::string_view code);

} // namespace spritlog::import
