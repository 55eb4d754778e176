#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// LubeLogger's fuel records export: "Date,Odometer,FuelConsumed,Cost,FuelEconomy,
// IsFillToFull,MissedFuelUp,Notes,Tags" and the user's extra fields after them. The file
// names no units (they are the user's settings there), so they are asked.
bool LooksLikeLubeLogger(std::string_view text);
void ParseLubeLogger(ImportResult& result, std::string_view text);

} // namespace spritlog::import
