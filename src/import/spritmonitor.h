#pragma once

#include "import/csvimport.h"
#include "import/csvreader.h"

#include <vector>

namespace spritlog::import {

// Spritmonitor's refuellings export ("Betankungen"): ";" separated, a header line in
// German or English, decimal comma, newest first.
std::vector<CsvRow> ReadSpritmonitorRows(std::string_view text);
// A header with the three columns every refuelling needs.
bool IsSpritmonitorHeader(const CsvRow& header);
// A date column and something else we know: a header that lacks a column.
bool CouldBeSpritmonitorHeader(const CsvRow& header);
const CsvRow* FirstContentRow(const std::vector<CsvRow>& rows);
void ParseSpritmonitor(ImportResult& result, const std::vector<CsvRow>& rows, const CsvRow& header);

// The service's fuel sort as its name; "Sorte N" for a number we do not know, any other
// text as it stands.
std::string SpritmonitorGrade(std::string_view text);

} // namespace spritlog::import
