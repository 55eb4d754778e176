#pragma once

#include "arguments.h"
#include "logbook/texttable.h"
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

// The logbook as the window holds it after loading FILE.
struct LoadedLogbook {
    TextTable grid;
    TextTable prepareGrid;
};

// Loads `file` as the window's start-up does: the fixed and the stored note headers, then
// LoadLogbook with the chart source in the shape `chartBasis`. Throws Notice for a missing
// file and Error for everything LoadLogbook fails with.
LoadedLogbook LoadForCli(const std::string& file, int chartBasis, const Settings& settings);

// Runs `call` (not Help or Version) and gives the text for stdout. Nothing is printed here,
// so a failing command leaves stdout empty.
std::string RunCommand(const Invocation& call);

// The printout of `book` into a PDF file; needs a QGuiApplication.
void PrintToPdf(const LoadedLogbook& book, const std::string& currentFileName,
                const std::string& pdfPath);

} // namespace spritlog::cli
