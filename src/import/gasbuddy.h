#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// GasBuddy's fuel log export: "Date (UTC), Location, Station Link, Address, City, State,
// Country, Total Cost, Currency, Fuel Type, Quantity, Unit, Vehicle, Unit price, Odometer,
// Fuel Economy, Fuel Economy Unit, Fillup"; the quantity's unit row by row, the vehicles
// of the account in one file.
bool LooksLikeGasBuddy(std::string_view text);
void ParseGasBuddy(ImportResult& result, std::string_view text);

} // namespace spritlog::import
