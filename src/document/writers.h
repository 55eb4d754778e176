#pragma once

#include "logbook/linesink.h"
#include "logbook/texttable.h"
#include "reports/reportcontext.h"

#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// The kinds of file the logbook is saved as.
// Spritmonitor's layout is a second kind of ".csv" file: it is chosen by the command, never
// by the ending.
enum class WriterKind { Native, Csv, Html, Xlsx, Spritmonitor };

// What a writer writes from.
struct WriteJob {
    const TextTable& table;
    const std::string& path;        // the target, UTF-8
    const std::string& logbookName; // the logbook's current name; empty without one
    const ReportContext& report;
};

// One kind of file the logbook is saved as: the endings that select it and how it writes.
// A writer either gives lines or, when its library writes to a file name, fills a file.
struct Writer {
    WriterKind kind;
    // Lower case, with the dot. The native file is written for every name no other writer
    // claims; its ".slg" only names it in the file dialogs.
    std::vector<std::string_view> endings;
    const char* caption; // the kind of file as the file dialogs name it
    void (*writeLines)(LineSink& sink, const WriteJob& job);
    void (*fillFile)(const std::string& file, const WriteJob& job);
};

// Every writer, the native one first.
std::vector<const Writer*> AllWriters();
// The writer whose ending `path` has (.csv, .htm, .html, .xlsx), case-insensitively; any
// other name is a native logbook file.
const Writer& WriterForName(std::string_view path);
// Which kind of file WriterForName chooses.
WriterKind WriterFor(std::string_view path);
// The writer of `kind`, whatever its endings.
const Writer& WriterOfKind(WriterKind kind);
// Where "Exportieren für Spritmonitor" writes by default: the logbook's name with
// "-spritmonitor.csv" in place of its extension ("auto.slg" -> "auto-spritmonitor.csv"),
// so that it lies beside the CSV export without replacing it.
std::string SpritmonitorExportName(std::string_view logbookName);

} // namespace spritlog
