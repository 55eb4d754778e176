#pragma once

#include "logbook/filestamp.h"
#include "logbook/linesink.h"
#include "logbook/logbookshape.h"
#include "logbook/texttable.h"

#include <string>
#include <string_view>

namespace spritlog {

// Largest record count a file may declare.
inline constexpr long long kMaxRecordCount = 1000000;

// The messages of a file that cannot be a logbook (Windows-1252): its first line is no
// record count, or the count exceeds kMaxRecordCount.
inline constexpr const char* kNotALogbook =
    "Die Datei ist kein Spritlog-Tankbuch. Daten anderer Programme \xFC"
    "bernimmt Datei > Export/Import > Importieren aus CSV...";
inline constexpr const char* kTooManyRecords =
    "Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.";

// Fills `grid` from the native file at `path` (UTF-8); false when the file is missing (a
// directory counts as missing). Throws Error with the I/O message; a failure after the
// count line keeps the new row count and the cells read so far. A successful read leaves
// the stamp of the file in `read`, if given. With `shape`, the file is read to its end and
// its lines are counted there, so that the caller can tell whether they fit the count.
bool ReadLogbookFile(const std::string& path, TextTable& grid, FileStamp* read = nullptr,
                     LogbookShape* shape = nullptr);
// Parses file contents already in memory into the table.
void ParseLogbook(std::string_view bytes, TextTable& grid);

// The native format: the record count, then columns 1-4 and 9-14, one line a cell.
void WriteNativeFile(LineSink& sink, const TextTable& grid);

} // namespace spritlog
