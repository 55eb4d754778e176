#include "import/lubelogger.h"

#include "import/apptable.h"

namespace spritlog::import {

bool LooksLikeLubeLogger(std::string_view text) {
    return CommaHeaderHas(text, {"fuelconsumed", "odometer", "date"});
}

void ParseLubeLogger(ImportResult& result, std::string_view text) {
    const CommaTable table(text);
    const std::vector<CsvRow>& rows = table.rows;
    const CsvRow* header = table.header;
    if (header == nullptr)
        return;
    const std::vector<std::string>& h = header->fields;
    AppFormat f;
    AppColumns& c = f.columns;
    c.date = FindColumn(h, "date");
    c.odometer = FindColumn(h, "odometer");
    c.quantity = FindColumn(h, "fuelconsumed");
    c.total = FindColumn(h, "cost");
    c.consumption = FindColumn(h, "fueleconomy");
    c.full = FindColumn(h, "isfilltofull");
    c.missed = FindColumn(h, "missedfuelup");
    c.note = FindColumn(h, "notes");
    f.distance = AskDistance(result, DistanceUnit::Kilometres);
    f.volume = AskVolume(result, VolumeUnit::Litres);
    // The economy follows the same settings: litres per 100 km for a metric vehicle, miles
    // per US gallon, or miles per imperial gallon where the fuel is bought by the litre or
    // the imperial gallon (the British setting).
    if (f.distance == DistanceUnit::Kilometres)
        f.consumptionUnit = f.volume == VolumeUnit::Litres ? "l/100km" : "";
    else
        f.consumptionUnit = f.volume == VolumeUnit::UsGallons ? "mpg" : "mpg(uk)";
    if (f.consumptionUnit.empty())
        c.consumption = -1;
    ReadAppTable(result, *header, RowsBelow(rows, header, false), f);
}

} // namespace spritlog::import
