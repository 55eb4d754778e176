#include "import/roadtrip.h"

#include "import/apptable.h"

namespace spritlog::import {

namespace {

constexpr std::string_view kMagic = "ROAD TRIP CSV";

std::string_view FirstLine(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    return Trim(text.substr(0, end));
}

// The separator and decimal mark the first line names: ",." by default.
NumberStyle StyleOf(std::string_view first, char& separator) {
    separator = ',';
    char point = '.';
    const std::size_t open = first.find('"');
    if (open != std::string_view::npos && open + 3 < first.size() + 1 &&
        first.find('"', open + 1) == open + 3) {
        separator = first[open + 1];
        point = first[open + 2];
    }
    return NumberStyle{point, 0};
}

// A section title: a line with one field of capitals ("FUEL RECORDS", "VEHICLE").
bool IsTitle(const CsvRow& row) {
    if (row.fields.empty() || Trim(row.fields[0]).empty())
        return false;
    for (std::size_t i = 1; i < row.fields.size(); ++i) {
        if (!Trim(row.fields[i]).empty())
            return false;
    }
    for (const char c : Trim(row.fields[0])) {
        if (c >= 'a' && c <= 'z')
            return false;
    }
    return true;
}

} // namespace

bool LooksLikeRoadTrip(std::string_view text) {
    return LowerAscii(FirstLine(text).substr(0, kMagic.size())) == LowerAscii(kMagic);
}

void ParseRoadTrip(ImportResult& result, std::string_view text) {
    char separator = ',';
    AppFormat f;
    f.style = StyleOf(FirstLine(text), separator);
    CsvDialect dialect = ExportDialect(separator);
    dialect.backslashQuotes = false;
    dialect.singleQuotes = false;
    const std::vector<CsvRow> rows = ReadCsvRows(text, dialect);
    // Titles stand after an empty line (the first after the version lines).
    const CsvRow* fuelHeader = nullptr;
    std::vector<const CsvRow*> fuelRows;
    bool afterBlank = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const CsvRow& row = rows[i];
        if (RowIsBlank(row)) {
            afterBlank = true;
            continue;
        }
        if (!afterBlank || !IsTitle(row) || i + 1 >= rows.size())
            continue;
        afterBlank = false;
        const std::string title(Trim(row.fields[0]));
        const CsvRow* header = &rows[i + 1];
        const std::vector<const CsvRow*> below = RowsBelow(rows, header, true);
        if (NormaliseName(title) == "fuelrecords" && fuelHeader == nullptr) {
            fuelHeader = header;
            fuelRows = below;
        } else if (!below.empty()) {
            NoteSkippedSection(result, title, static_cast<int>(below.size()));
        }
    }
    if (fuelHeader == nullptr) {
        AddProblem(result, 0, "Der Abschnitt \"FUEL RECORDS\" fehlt.");
        return;
    }
    const std::vector<std::string>& h = fuelHeader->fields;
    AppColumns& c = f.columns;
    c.odometer = FindColumn(h, "odometer");
    c.trip = FindColumn(h, "tripdistance");
    c.date = FindColumn(h, "date");
    c.quantity = FindColumn(h, "fillamount");
    c.volumeUnit = FindColumn(h, "fillunits");
    c.unitPrice = FindColumn(h, "priceperunit");
    c.total = FindColumn(h, "totalprice");
    c.partial = FindColumn(h, "partialfill");
    c.missed = FindColumn(h, "reset");
    c.note = FindColumn(h, "note notes");
    c.grade = FindColumn(h, "octane fueltype grade");
    c.station = FindColumn(h, "location");
    // The odometer caption names the unit: "Odometer (mi)" or "Odometer (km)".
    f.distance = DistanceFromText(BracketedUnit(FieldAt(h, c.odometer)));
    // The economy column is named by its unit: "MPG", "L/100km", "km/L".
    const int economy = FindColumn(h, "mpg l100km kml");
    if (economy >= 0) {
        c.consumption = economy;
        const std::string name = NormaliseName(FieldAt(h, economy));
        f.consumptionUnit = name == "mpg" ? "mpg" : name == "kml" ? "km/l" : "l/100km";
    }
    ReadAppTable(result, *fuelHeader, fuelRows, f);
}

} // namespace spritlog::import
