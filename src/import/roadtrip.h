#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// Road Trip's data file: a first line "ROAD TRIP CSV" with the separator and the decimal
// mark in quotes (",."), then sections ("FUEL RECORDS", "MAINTENANCE RECORDS", "VEHICLE",
// ...) separated by empty lines, each a title line, a header and its rows. The fuel
// section's columns are found by caption; "Partial Fill" and "Reset" mark a refuelling.
bool LooksLikeRoadTrip(std::string_view text);
void ParseRoadTrip(ImportResult& result, std::string_view text);

} // namespace spritlog::import
