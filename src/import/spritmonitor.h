#pragma once

#include "import/csvimport.h"

#include <string>
#include <string_view>

namespace spritlog::import {

// Spritmonitor's refuellings export ("Betankungen"): ";" separated, a header line in
// German or English, decimal comma, newest first.
// A first line with the three columns every refuelling needs.
bool HasSpritmonitorHeader(std::string_view text);
// A first line with a date column and something else we know: a header that lacks a column.
bool MayHaveSpritmonitorHeader(std::string_view text);
// Reads the records below the first line, taken as the header.
void ParseSpritmonitor(ImportResult& result, std::string_view text);

// The service's fuel sort as its name; "Sorte N" for a number we do not know, any other
// text as it stands.
std::string SpritmonitorGrade(std::string_view text);

} // namespace spritlog::import
