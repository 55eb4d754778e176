#include "import/fuelly.h"

#include "import/apptable.h"
#include "logbook/conventions.h"

#include <algorithm>
#include <map>

namespace spritlog::import {

namespace {

// Fuelly takes a refuelling with the distance driven alone; its odometer cell is then
// empty. The reading is the one before (of the same car, by date) plus that distance.
std::vector<CsvRow> WithOdometers(ImportResult& result, const std::vector<const CsvRow*>& rows,
                                  const AppColumns& c) {
    std::vector<CsvRow> out;
    out.reserve(rows.size());
    for (const CsvRow* row : rows)
        out.push_back(*row);
    if (c.odometer < 0 || c.trip < 0 || c.date < 0)
        return out;
    std::vector<std::string> dates;
    for (const CsvRow& row : out)
        dates.emplace_back(FieldAt(row.fields, c.date));
    const bool monthFirst = !SlashDatesDayFirst(dates);
    std::vector<std::pair<int64_t, std::size_t>> byDate;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto date = ReadAppDate(FieldAt(out[i].fields, c.date), monthFirst);
        byDate.emplace_back(date ? date->key : 0, i);
    }
    std::stable_sort(byDate.begin(), byDate.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::map<std::string, double> last; // by car
    int filled = 0;
    for (const auto& [key, i] : byDate) {
        CsvRow& row = out[i];
        const std::string car(FieldAt(row.fields, c.vehicle));
        const auto reading = ReadDecimal(FieldAt(row.fields, c.odometer), '.', 0);
        const auto trip = ReadDecimal(FieldAt(row.fields, c.trip), '.', 0);
        if (reading) {
            last[car] = *reading;
        } else if (FieldAt(row.fields, c.odometer).empty() && trip && last.count(car) > 0 &&
                   static_cast<std::size_t>(c.odometer) < row.fields.size()) {
            last[car] += *trip;
            row.fields[static_cast<std::size_t>(c.odometer)] = RoundedCell(last[car], 3);
            ++filled;
        }
    }
    if (filled > 0)
        result.summary.notices.push_back(
            "KM-Stand aus der gefahrenen Strecke errechnet (die Datei hat keinen): " +
            IntegerToText(filled) + (filled == 1 ? " Betankung" : " Betankungen") + ".");
    return out;
}

} // namespace

bool LooksLikeFuelly(std::string_view text) {
    return CommaHeaderHas(text, {"fuelupdate", "odometer carname"});
}

void ParseFuelly(ImportResult& result, std::string_view text) {
    const CommaTable table(text);
    const std::vector<CsvRow>& rows = table.rows;
    const CsvRow* header = table.header;
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
    const std::vector<CsvRow> filled = WithOdometers(result, RowsBelow(rows, header, false), c);
    std::vector<const CsvRow*> pointers;
    for (const CsvRow& row : filled)
        pointers.push_back(&row);
    ReadAppTable(result, *header, pointers, f);
}

} // namespace spritlog::import
