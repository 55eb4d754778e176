#pragma once

#include "cli/arguments.h"
#include "document/logbookdocument.h"
#include "platform/settings.h"

#include <stdexcept>
#include <string>

namespace spritlog::cli {

// A notice the window shows in a plain message box ("Datei nicht gefunden!", "Zu wenige
// Einträge verfügbar"): not an error, so its text is printed as it is. Windows-1252.
class Notice : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the tool takes from the window's settings: the note headers and Backupspeichern of
// the twelve, and how consumption is computed.
struct CliSettings {
    Settings values;
    FullTankIntervals fullTank;
};

// Loads `file` into `book` as the window's start-up does: the fixed and the stored note
// headers and the way consumption is computed, then the load with the chart source in the shape of
// the book's chart basis. Throws Notice for a missing file and Error for everything the load fails
// with.
void LoadForCli(LogbookDocument& book, const std::string& file, const CliSettings& settings);

// Runs `call` (not Help or Version) and gives the text for stdout. Nothing is printed here,
// so a failing command leaves stdout empty.
std::string RunCommand(const Invocation& call);

// The printout of `book` into a PDF file; needs a QGuiApplication.
void PrintToPdf(const LogbookDocument& book, const std::string& pdfPath);

// The readable report of `book` (the window's report at its start: chart view 1, zoom
// "Bereich") into a PDF file; needs a QApplication.
void ReportToPdf(const LogbookDocument& book, const std::string& pdfPath);

// Chart view `call.view` as a picture file, drawn by the window's chart code; needs a
// QApplication.
void ChartToPicture(const LogbookDocument& book, const Invocation& call);

} // namespace spritlog::cli
