#pragma once

#include "import/appvalues.h"
#include "import/csvreader.h"
#include "import/refuelling.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace spritlog::import {

// The refuellings table of a phone or web app: a header row naming the columns and the
// rows under it. Each format says which column holds what and in which units; the reading
// is the same for all of them.

// Column indices into the header, -1 for none.
struct AppColumns {
    int date = -1, time = -1, odometer = -1, trip = -1, quantity = -1, unitPrice = -1, total = -1;
    int full = -1;    // yes: a full tank
    int partial = -1; // yes (or the column's own word, "Partial"): a partial one
    int missed = -1;  // yes (or "Reset"): refuellings missing before this one
    int consumption = -1;
    int station = -1, place = -1, note = -1, grade = -1;
    int vehicle = -1;                       // the vehicle's name, for exports of several
    int distanceUnit = -1, volumeUnit = -1; // units given row by row
};

struct AppFormat {
    AppColumns columns;
    NumberStyle style{'.', 0};
    // The file's units; Unknown where a row gives its own (columns above) or nobody does
    // (then the user is asked).
    DistanceUnit distance = DistanceUnit::Unknown;
    VolumeUnit volume = VolumeUnit::Unknown;
    // How the consumption column writes its figures: "mpg", "km/l", "l/100km"; empty for
    // a text with its unit in each cell ("25.158 km/L").
    std::string consumptionUnit;
    bool totalFirst = true; // see RawRecord::totalFirst
    // Dates with "/" (or "-" and the year last): -1 told from the dates themselves (month
    // first unless one cannot be), 0 month first, 1 day first.
    int dayFirst = -1;
    RecordOrder order = RecordOrder::ByDate;
};

// The rows after `header` that are not blank: to the end of the file, or with
// `section` to the first blank row.
std::vector<const CsvRow*> RowsBelow(const std::vector<CsvRow>& rows, const CsvRow* header,
                                     bool section);
// The first row that is not blank; nullptr for none.
const CsvRow* FirstContentRow(const std::vector<CsvRow>& rows);

// Whether the first line of the comma-separated `text` has a column for each of `captions`
// (each as FindColumn takes it).
bool CommaHeaderHas(std::string_view text, std::initializer_list<const char*> captions);

// A comma-separated export with a header line: its rows, and the first that is not blank
// (nullptr for none), which points into them.
struct CommaTable {
    explicit CommaTable(std::string_view text);
    CommaTable(const CommaTable&) = delete;
    CommaTable& operator=(const CommaTable&) = delete;

    std::vector<CsvRow> rows;
    const CsvRow* header = nullptr;
};

// Reads `rows` (the data rows, blank ones already left out) below `header`, checks and
// converts them and stores the records; every bad field is a problem of its own.
void ReadAppTable(ImportResult& result, const CsvRow& header,
                  const std::vector<const CsvRow*>& rows, AppFormat format);

} // namespace spritlog::import
