#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// Drivvo's export: sections "##Refuelling" (or its translation), "##Expense", "##Service",
// ... each with a header row; every cell quoted, "," separated; a second and a third fuel
// per refuelling, their captions repeated with a digit after the closing quote; "Yes"/"No";
// the efficiency as a text with its unit ("25.158 km/L"). Only the refuellings are taken.
bool LooksLikeDrivvo(std::string_view text);
void ParseDrivvo(ImportResult& result, std::string_view text);

} // namespace spritlog::import
