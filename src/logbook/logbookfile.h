#pragma once

#include "../reports/reportcontext.h"
#include "linesink.h"
#include "texttable.h"

#include <functional>
#include <string>
#include <string_view>

namespace spritlog {

// Largest record count a file may declare; a larger one is "Invalid numeric input".
inline constexpr long long kMaxRecordCount = 1000000;

// What the window (or the command-line tool) does at the points where loading talks to
// the user.
struct LoadHooks {
    // A notice such as "Datei nicht gefunden!" (Windows-1252).
    std::function<void(std::string_view)> notice;
    // Runs where the load refreshes the status bar (after the table is filled).
    std::function<void()> statusBar;
};

// Fills `grid` from the native file at `path` (UTF-8) and ends with CalculateValues, which
// also rebuilds `prepareGrid` in the shape `chartBasis` (0 per record, 1 per month).
// A missing file gives the notice "Datei nicht gefunden!" and leaves the table as it was.
// Throws Error with the I/O message on every other failure.
void LoadLogbook(const std::string& path, TextTable& grid, TextTable& prepareGrid, int chartBasis,
                 const LoadHooks& hooks);

// Reads only the table part (no CalculateValues, no hooks); false when the file is
// missing (a directory counts as missing). Throws like LoadLogbook; a failure after the
// count line keeps the new row count and the cells read so far.
bool ReadLogbookFile(const std::string& path, TextTable& grid);
// Parses file contents already in memory into the table.
void ParseLogbook(std::string_view bytes, TextTable& grid);

struct SaveOptions {
    bool backup = false; // the setting Backupspeichern
    ReportContext report;
};

// The native format: the record count, then columns 1-4 and 9-14, one line a cell.
void WriteNativeFile(LineSink& sink, const TextTable& grid);

// Which writer a file name selects, by its ending, case-insensitively.
enum class WriterKind { Native, Csv, Html };
WriterKind WriterFor(std::string_view path);

// Writes the logbook to `path` (UTF-8) in the format its ending selects, after the optional
// backup (rename to *.bak, never replacing one). The file is replaced only once it has been
// written completely; any failure, a writer's own included, leaves it as it was. Throws
// Error on every failure; the caller refreshes the status bar.
void SaveLogbook(const std::string& path, const TextTable& grid, const SaveOptions& options);

} // namespace spritlog
