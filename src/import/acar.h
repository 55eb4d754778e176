#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// The CSV backup of aCar (and of "Fuelly for Android", its later name): sections
// "Metadata", "Vehicles", "Fill-Up Records", "Event Records", ... each a title line, a
// header and its rows; the fill-ups of every vehicle with their own units
// ("Distance Unit", "Volume Unit"), date and time in columns of their own.
bool LooksLikeACar(std::string_view text);
void ParseACar(ImportResult& result, std::string_view text);

} // namespace spritlog::import
