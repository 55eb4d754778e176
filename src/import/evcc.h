#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// The charging sessions a wallbox controller exports: "," separated, a header line of
// German or English captions (columns found by caption, later versions add some), dot
// decimals, times "yyyy-MM-dd HH:MM:SS". One record per session with an odometer reading;
// sessions without one go into the next session that has one.
bool LooksLikeEvcc(std::string_view text);
void ParseEvcc(ImportResult& result, std::string_view text);

} // namespace spritlog::import
