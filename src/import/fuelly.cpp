#include "import/fuelly.h"

#include "import/apptable.h"

namespace spritlog::import {

bool LooksLikeFuelly(std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','), 1);
    const CsvRow* header = FirstContentRow(rows);
    return header != nullptr && FindColumn(header->fields, "fuelupdate") >= 0 &&
           FindColumn(header->fields, "odometer carname") >= 0;
}

void ParseFuelly(ImportResult& result, std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','));
    const CsvRow* header = FirstContentRow(rows);
    if (header == nullptr)
        return;
    const std::vector<std::string>& h = header->fields;
    AppFormat f;
    AppColumns& c = f.columns;
    c.vehicle = FindColumn(h, "carname");
    c.date = FindColumn(h, "fuelupdate");
    c.time = FindColumn(h, "fueluptime time");
    c.odometer = FindColumn(h, "odometer");
    c.trip = FindColumn(h, "miles km kilometers kilometres");
    c.quantity = FindColumn(h, "gallons litres liters");
    c.unitPrice = FindColumn(h, "price");
    c.note = FindColumn(h, "notes note");
    c.station = FindColumn(h, "brand");
    c.missed = FindColumn(h, "missedfuelup");
    c.partial = FindColumn(h, "partialfuelup");
    c.consumption = FindColumn(h, "mpg kml l100km");
    f.totalFirst = false; // no total: Fuelly keeps the price per unit
    // The distance and quantity columns are named by their units. Fuelly's gallons are US
    // ones unless the user says otherwise: the file does not tell.
    const std::string distance = NormaliseName(FieldAt(h, c.trip));
    const std::string consumption = NormaliseName(FieldAt(h, c.consumption));
    f.distance = distance == "miles" || (distance.empty() && consumption == "mpg")
                     ? DistanceUnit::Miles
                     : DistanceUnit::Kilometres;
    if (NormaliseName(FieldAt(h, c.quantity)) == "gallons") {
        f.volume = AskVolume(result, VolumeUnit::UsGallons);
    } else {
        f.volume = VolumeUnit::Litres;
    }
    f.consumptionUnit = consumption == "kml" ? "km/l" : consumption == "l100km" ? "l/100km" : "mpg";
    ReadAppTable(result, *header, RowsBelow(rows, header, false), f);
}

} // namespace spritlog::import
