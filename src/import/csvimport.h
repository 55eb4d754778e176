#pragma once

#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// Reading the logbook of another program (or a CSV export of our own) into the records of
// the logbook table. Parsing never touches a table: the window and the command-line tool
// parse first, and only a clean result is appended.

enum class ImportFormat {
    Unknown,
    SpritlogCsv,  // our own export: 14 fields a line, each followed by ";"
    Spritmonitor, // fuelings export: ";" separated with a header line, decimal comma
    Fuelio,       // backup CSV: sections "## Log", "## FavStations", ... "," separated
    Fuelly,       // web export: "car_name, model, mpg, odometer, ..." "," separated
    Drivvo,       // sections "##Refuelling", "##Expense", ..., every cell quoted
    RoadTrip,     // "ROAD TRIP CSV" and sections "FUEL RECORDS", "VEHICLE", ...
    ACar,         // aCar / Fuelly for Android: "Metadata", "Vehicles", "Fill-Up Records"
    LubeLogger,   // fuel export: "Date,Odometer,FuelConsumed,Cost,FuelEconomy,..."
    GasBuddy,     // fuel log: "Date (UTC), Location, Station Link, ..."
    Evcc,         // charging sessions: "Startzeit,Endzeit,Ladepunkt,...", "," separated
    Mapped,       // any other CSV, read by the user's column mapping
};

// What the user chose where a file does not say: the vehicle of an export that holds
// several, the units of columns that name none.
enum class DistanceUnit { Unknown, Kilometres, Miles };
enum class VolumeUnit { Unknown, Litres, UsGallons, ImperialGallons };
struct ImportOptions {
    std::string vehicle; // empty: the first the file names
    DistanceUnit distance = DistanceUnit::Unknown;
    VolumeUnit volume = VolumeUnit::Unknown;
    // A column mapping (see import/columnmapping.h): the file is read by it, whatever it
    // looks like. Empty: the format is recognised from the content.
    std::string mapping;
};

// "Spritlog-CSV", "Spritmonitor", "Fuelio"; empty for Unknown.
const char* ImportFormatName(ImportFormat format);

struct ImportRecord {
    int line = 0; // where the record starts in the file, counting from 1
    // The source's own consumption in litres (or kg, kWh) per 100 km; 0: none.
    double sourceConsumption = 0;
    // Indexed by logbook column. Only the input columns 1..4 and 9..14 are filled, with
    // Windows-1252 texts as a user would type them.
    std::array<std::string, kLogbookColumns> cells;
};

struct ImportProblem {
    int line = 0;       // 0: the file as a whole
    std::string reason; // German, Windows-1252
};

// At most this many problems are kept; problemCount counts them all.
inline constexpr int kMaxImportProblems = 20;
// A logbook with more records cannot be loaded again, so neither file nor append may
// produce one.
inline constexpr int kMaxImportRecords = 1000000;

// What the user should know about a clean result beyond its records.
struct ImportSummary {
    struct Duplicate {
        int line = 0;  // the line that was skipped
        int first = 0; // the line it repeats
    };
    std::vector<Duplicate> duplicates;
    // Refuellings the logbook has already, left out: the line and the logbook's record.
    struct Known {
        int line = 0;
        int record = 0;
    };
    std::vector<Known> inLogbook;
    // "Meilen in km", "US-Gallonen in Liter"
    std::vector<std::string> conversions;
    // Whatever else matters: quantities that are no litres, odd orders. Windows-1252.
    std::vector<std::string> notices;
    // Cells in which a character without a Windows-1252 byte became "?".
    int replacedCells = 0;
    // Records whose consumption the source states and ours could be held against it.
    int consumptionCompared = 0;
    // "Zeile 12: 7,31 statt 6,90 l/100 km": ours and the source's differ by more than 1 %.
    std::vector<std::string> consumptionDeviations;
    // Sections or record kinds of the file that are no refuellings: "##Expense (1 Zeile)".
    std::vector<std::string> skippedSections;
};

// What the file leaves to the user: its vehicles (more than one: which one is taken), and
// whether the units of distance or quantity could not be told.
struct ImportQuestions {
    std::vector<std::string> vehicles;
    std::string vehicle; // the one taken
    bool distance = false;
    bool volume = false;
    bool any() const { return vehicles.size() > 1 || distance || volume; }
};

struct ImportResult {
    ImportFormat format = ImportFormat::Unknown;
    // In the order they go into the logbook. Empty whenever there is a problem: a file
    // with one bad line is not imported at all.
    std::vector<ImportRecord> records;
    std::vector<ImportProblem> problems;
    int problemCount = 0;
    ImportSummary summary;
    ImportOptions options; // as the parse was asked
    // No format recognised the content (a column mapping may still read it).
    bool unrecognised = false;
    ImportQuestions questions;

    bool ok() const { return problemCount == 0; }
};

// Recognises the format from the content and reads every record. UTF-8 input (with or
// without byte-order mark) is converted to Windows-1252; anything else is taken as
// Windows-1252. Works on arbitrary bytes in linear time.
ImportResult ParseImportFile(std::string_view bytes, const ImportOptions& options = {});

// "Zeile 7: KM-Stand \"12a\" ist keine ganze Zahl", or the bare reason for line 0.
std::string ImportProblemText(const ImportProblem& problem);
// What to tell the user after a failed parse: that nothing was imported, the first
// `shown` problems one a line, and how many more there are. Lines separated by "\n".
std::string ImportFailureMessage(const ImportResult& result, int shown = 5);
// "12 Datensätze importiert (Spritmonitor)."
std::string ImportSuccessMessage(const ImportResult& result);
// What a clean result holds, one line each, Windows-1252: the format, the number of
// refuellings, the first and last date, the odometer range, the units converted, the
// duplicates skipped, grades and stations, then the notices.
std::vector<std::string> ImportSummaryLines(const ImportResult& result);

// Appends the records of a clean result after the existing ones; does nothing for a
// result with problems. Throws Error ("Mit dem Import hätte das Tankbuch mehr als 1.000.000
// Datensätze.", with `maxRecords` grouped) before touching the table when the logbook would
// grow beyond `maxRecords`. The caller then runs CalculateValues and
// UpdateStatusBar.
void AppendImportedRecords(TextTable& grid, const ImportResult& result,
                           int maxRecords = kMaxImportRecords);

} // namespace spritlog
