#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// Fuelly's web export: "," separated, a header "car_name, model, mpg, odometer, miles,
// gallons, price, ..., fuelup_date, ..., missed_fuelup, partial_fuelup, ..., brand" (a
// metric account: "km/l", "km", "litres"), one row per refuelling of every car, newest
// first.
bool LooksLikeFuelly(std::string_view text);
void ParseFuelly(ImportResult& result, std::string_view text);

} // namespace spritlog::import
