#pragma once

#include "import/csvimport.h"

#include <string_view>

namespace spritlog::import {

// Our own CSV export: 14 fields a line, each followed by ";"; a field that starts with '"'
// is quoted, its quotes doubled. Since it is written for German spreadsheets its first line
// holds the captions and its numbers a decimal comma; older files have neither. Both are
// read. A fifteenth field, "Einheit" in the captions, holds the record's unit; the grade
// tells it again, so it is not taken.
bool HasSpritlogCsvCaptions(std::string_view text);
bool LooksLikeSpritlogCsv(std::string_view text);
void ParseSpritlogCsv(ImportResult& result, std::string_view text);

} // namespace spritlog::import
