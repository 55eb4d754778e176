#pragma once

#include "logbook/linesink.h"
#include "logbook/texttable.h"

#include <functional>
#include <string>
#include <string_view>

namespace spritlog {

// Largest record count a file may declare; a larger one is "Invalid numeric input".
inline constexpr long long kMaxRecordCount = 1000000;

// The message for a system error number: "File not found", "File access denied",
// "Disk full", ..., otherwise "I/O error <n>".
std::string IoErrorMessage(int errorNumber);

// Fills `grid` from the native file at `path` (UTF-8); false when the file is
// missing (a directory counts as missing). Throws Error with the I/O message; a failure after the
// count line keeps the new row count and the cells read so far.
bool ReadLogbookFile(const std::string& path, TextTable& grid);
// Parses file contents already in memory into the table.
void ParseLogbook(std::string_view bytes, TextTable& grid);

// The native format: the record count, then columns 1-4 and 9-14, one line a cell.
void WriteNativeFile(LineSink& sink, const TextTable& grid);

// Puts a new file at `path` (UTF-8) written by `write`, after the optional backup (rename
// to the name with "bak" for its last three characters, never replacing one). The file is
// replaced only once it has been written completely; any failure, `write`'s own included,
// leaves it as it was. Throws Error on every failure.
void ReplaceFile(const std::string& path, bool backup, const std::function<void(LineSink&)>& write);

} // namespace spritlog
