#include "import/gasbuddy.h"

#include "import/apptable.h"

namespace spritlog::import {

bool LooksLikeGasBuddy(std::string_view text) {
    return CommaHeaderHas(text, {"stationlink", "quantity", "date"});
}

void ParseGasBuddy(ImportResult& result, std::string_view text) {
    const CommaTable table(text);
    const std::vector<CsvRow>& rows = table.rows;
    const CsvRow* header = table.header;
    if (header == nullptr)
        return;
    const std::vector<std::string>& h = header->fields;
    AppFormat f;
    AppColumns& c = f.columns;
    c.date = FindColumn(h, "date");
    c.station = FindColumn(h, "location");
    c.place = FindColumn(h, "city");
    c.total = FindColumn(h, "totalcost");
    c.grade = FindColumn(h, "fueltype");
    c.quantity = FindColumn(h, "quantity");
    c.volumeUnit = FindColumn(h, "unit");
    c.vehicle = FindColumn(h, "vehicle");
    c.unitPrice = FindColumn(h, "unitprice");
    c.odometer = FindColumn(h, "odometer");
    c.full = FindColumn(h, "fillup");
    const std::vector<const CsvRow*> below = RowsBelow(rows, header, false);
    // The odometer's unit is the one of the economy ("MPG": miles, "L/100km", "km/L":
    // kilometres); the file names it nowhere else.
    const int economy = FindColumn(h, "fueleconomy");
    const int economyUnit = FindColumn(h, "fueleconomyunit");
    std::string unit;
    for (const CsvRow* row : below) {
        if (unit.empty())
            unit = LowerAscii(FieldAt(row->fields, economyUnit));
    }
    if (unit == "mpg") {
        f.distance = DistanceUnit::Miles;
    } else if (unit == "l/100km" || unit == "km/l") {
        f.distance = DistanceUnit::Kilometres;
    }
    if (!unit.empty() && economy >= 0) {
        c.consumption = economy;
        f.consumptionUnit = unit;
    }
    ReadAppTable(result, *header, below, f);
}

} // namespace spritlog::import
