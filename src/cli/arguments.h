#pragma once

#include "logbook/energies.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace spritlog::cli {

enum class Command {
    Help,
    Version,
    Table,
    Source,
    Stats,
    Stations,
    Chart,
    Export,
    Print,
    Import,
    Report,
    Years,
    Energies
};

// One call of the tool, as the command line gives it. Texts are the bytes of the arguments
// (UTF-8 file names).
struct Invocation {
    Command command = Command::Help;
    std::string file;
    bool perMonth = false;                   // --monat
    bool statsWindow = false;                // --window
    int view = 0;                            // chart view 1..7
    int zoomIndex = 1;                       // 0 "100%", 1 "Bereich"
    std::string format;                      // export: csv, htm, slg, xlsx, spritmonitor
    std::optional<std::string> exportTarget; // --to
    std::string pdfTarget;                   // --pdf
    std::string importSource;                // import: the CSV file to read
    std::string importMapping;               // import: --spalten, the column mapping
    std::string pictureTarget;               // chart: --png or --svg
    bool pictureSvg = false;                 // --svg
    int pictureWidth = 1200;                 // --size
    int pictureHeight = 800;
    std::optional<int> monthsOf;  // years: --monate JAHR
    std::optional<Energy> energy; // chart: --energie, one energy's series
};

// A command line that names no valid call; the text is German and UTF-8.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `args` without the program name.
Invocation ParseArguments(const std::vector<std::string>& args);

} // namespace spritlog::cli
