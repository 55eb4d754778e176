#include "import/fuelio.h"

#include "import/csvreader.h"
#include "import/refuelling.h"
#include "import/values.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace spritlog::import {

namespace {

constexpr ColumnNames kLogNames[] = {
    {FDate, "data date datum"},
    {FOdometer, "odo odometer kmstand"},
    {FQuantity, "fuel litres liters volume kg m3"},
    {FFull, "full"},
    {FMissed, "missed"},
    {FTotal, "price totalprice"},
    {FUnitPrice, "volumeprice"},
    {FLocation, "city"},
    {FNote, "notes note"},
    {FFuel, "fueltype"},
    {FStation, "stationid"},
    {FTank, "tanknumber"},
    {FLatitude, "latitude"},
    {FLongitude, "longitude"},
};

enum class Quantity { Unknown, Litres, UsGallons, ImperialGallons, Kilograms, CubicMetres };

double LitresPer(Quantity unit) {
    switch (unit) {
    case Quantity::UsGallons:
        return kLitresPerUsGallon;
    case Quantity::ImperialGallons:
        return kLitresPerImperialGallon;
    default:
        return 1;
    }
}

// The log's quantity column: "Fuel (litres)", "Fuel (us gallons)", "Fuel (imp gallons)",
// or for a gas car the unit alone, "kg".
Quantity QuantityFromHeader(std::string_view header) {
    const std::string name = NormaliseName(header);
    if (name == "kg")
        return Quantity::Kilograms;
    if (name == "m3" || LowerAscii(Trim(header)) == "m\xB3")
        return Quantity::CubicMetres;
    const std::string unit = BracketedUnit(header);
    if (unit.empty())
        return Quantity::Unknown;
    if (unit == "litres" || unit == "liters" || unit == "l")
        return Quantity::Litres;
    if (unit.find("us") != std::string::npos && unit.find("gal") != std::string::npos)
        return Quantity::UsGallons;
    if ((unit.find("imp") != std::string::npos || unit.find("uk") != std::string::npos) &&
        unit.find("gal") != std::string::npos)
        return Quantity::ImperialGallons;
    if (unit == "kg")
        return Quantity::Kilograms;
    if (unit == "m3" || unit == "m\xB3")
        return Quantity::CubicMetres;
    return Quantity::Unknown;
}

// FuelUnit and FuelUnitTank2 of "## Vehicle" (0, 1 and 4 are seen with their column names
// in real backups; 2 follows the app's list of units).
Quantity QuantityFromCode(std::string_view code) {
    const auto value = ReadInteger(code);
    if (!value)
        return Quantity::Unknown;
    switch (*value) {
    case 0:
        return Quantity::Litres;
    case 1:
        return Quantity::UsGallons;
    case 2:
        return Quantity::ImperialGallons;
    case 4:
        return Quantity::Kilograms;
    default:
        return Quantity::Unknown;
    }
}

const char* UnitSuffix(Quantity unit) {
    switch (unit) {
    case Quantity::Kilograms:
        return " (kg)";
    case Quantity::CubicMetres:
        return " (m\xB3)";
    default:
        return "";
    }
}

struct Vehicle {
    std::string distUnit, fuelUnit, fuelUnitTank2, tank1Type, tank2Type;
};

struct Station {
    std::string name;
    std::string latitude, longitude;
};

bool HasPosition(const std::string& latitude, const std::string& longitude) {
    const auto lat = ReadDecimal(latitude, '.', 0);
    const auto lon = ReadDecimal(longitude, '.', 0);
    return lat && lon && (*lat != 0 || *lon != 0);
}

// "## Log" and the like, quoted or not, possibly with separators after it.
std::optional<std::string> SectionName(const CsvRow& row) {
    if (row.fields.empty())
        return std::nullopt;
    const std::string_view first = Trim(row.fields[0]);
    if (first.substr(0, 2) != "##")
        return std::nullopt;
    return LowerAscii(Trim(first.substr(2)));
}

bool HasLogSection(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() == '"')
            line.remove_prefix(1);
        line = Trim(line);
        if (line.substr(0, 2) != "##")
            continue;
        line = Trim(line.substr(2));
        if (LowerAscii(line.substr(0, 3)) != "log")
            continue;
        // Only a closing quote and separators may follow; a ";" or anything else means a
        // cell of some other file that happens to start like this.
        line.remove_prefix(3);
        if (!line.empty() && line.front() == '"')
            line.remove_prefix(1);
        if (line.find_first_not_of(", \t\r") == std::string_view::npos)
            return true;
    }
    return false;
}

// The log's header line without the section line before it: "Data,Odo (km),Fuel
// (litres),..." as older exports and cut files have it.
bool IsLogHeader(const CsvRow& row) {
    if (row.fields.size() < 3)
        return false;
    const ColumnMap map = MapColumns(row.fields, kLogNames);
    return map[FDate] == 0 && NormaliseName(row.fields[0]) == "data" && map[FOdometer] >= 0 &&
           NormaliseName(row.fields[static_cast<std::size_t>(map[FOdometer])]) == "odo" &&
           map[FQuantity] >= 0;
}

// "Full": 1 a full tank, 0 a partial one, 2 a partial one whose tank level the app
// worked out (it comes with a TankCalc figure). Only the full tank is one.
bool ReadFull(std::string_view text, bool& partial) {
    const std::string value = LowerAscii(text);
    if (value.empty() || value == "1" || value == "true") {
        partial = false;
        return true;
    }
    if (value == "0" || value == "false" || value == "2") {
        partial = true;
        return true;
    }
    return false;
}

bool ReadFlag(std::string_view text, bool& value) {
    const std::string flag = LowerAscii(text);
    if (flag == "1" || flag == "true") {
        value = true;
        return true;
    }
    if (flag.empty() || flag == "0" || flag == "false") {
        value = false;
        return true;
    }
    return false;
}

struct TankUse {
    Quantity unit = Quantity::Unknown;
    std::string grade;
    bool used = false;
};

} // namespace

std::string FuelioGrade(std::string_view code) {
    const auto value = ReadInteger(code);
    if (!value)
        return std::string(Trim(code));
    if (*value <= 0)
        return {}; // none chosen
    // The hundreds are the kind of fuel (the tank types of "## Vehicle" are 100, 500, ...);
    // the units digits a grade of it.
    switch (*value / 100) {
    case 1:
        return "Benzin";
    case 2:
        return "Diesel";
    case 3:
        return "Autogas";
    case 5:
        return "Erdgas";
    default:
        return "Sorte " + IntegerToText(static_cast<int64_t>(*value));
    }
}

bool LooksLikeFuelio(std::string_view text) {
    if (HasLogSection(text))
        return true;
    for (const CsvRow& row : ReadCsvRows(text, ExportDialect(','), 1)) {
        if (!RowIsBlank(row))
            return IsLogHeader(row);
    }
    return false;
}

void ParseFuelio(ImportResult& result, std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','));
    enum class Section { Other, Vehicle, Log, Stations };
    Section section = Section::Other;
    bool expectHeader = false;
    bool first = true;
    const CsvRow* logHeader = nullptr;
    const CsvRow* vehicleHeader = nullptr;
    Vehicle vehicle;
    ColumnMap logMap = NoColumns();
    int stationId = -1, stationName = -1, stationLat = -1, stationLon = -1;
    std::unordered_map<std::string, Station> stations;
    struct PendingRecord {
        ParsedRecord parsed;
        std::string stationId, latitude, longitude;
        int tank = 1;
    };
    std::vector<PendingRecord> pending;
    const NumberStyle style{'.', 0};
    Quantity headerUnit = Quantity::Unknown;
    bool headerMiles = false, headerKm = false;
    bool usedMiles = false;
    bool units[6] = {};
    TankUse tanks[2];

    for (const CsvRow& row : rows) {
        if (row.fault != CsvFault::None) {
            // A quote out of place shifts everything after it, whatever section it is in.
            AddProblem(result, row.line, FaultReason(row));
            continue;
        }
        if (const auto name = SectionName(row)) {
            section = *name == "log"           ? Section::Log
                      : *name == "favstations" ? Section::Stations
                      : *name == "vehicle"     ? Section::Vehicle
                                               : Section::Other;
            expectHeader = section != Section::Other;
            first = false;
            continue;
        }
        if (RowIsBlank(row))
            continue;
        if (first) {
            first = false;
            if (IsLogHeader(row)) {
                section = Section::Log;
                expectHeader = true;
            }
        }
        if (section == Section::Other)
            continue;
        if (expectHeader) {
            expectHeader = false;
            if (section == Section::Log) {
                logHeader = &row;
                logMap = MapColumns(row.fields, kLogNames);
                RequireColumns(result, row.line, logMap);
                if (logMap[FQuantity] >= 0)
                    headerUnit =
                        QuantityFromHeader(row.fields[static_cast<std::size_t>(logMap[FQuantity])]);
                if (logMap[FOdometer] >= 0) {
                    const std::string unit =
                        BracketedUnit(row.fields[static_cast<std::size_t>(logMap[FOdometer])]);
                    headerMiles = unit == "mi" || unit == "miles";
                    headerKm = unit == "km";
                }
            } else if (section == Section::Vehicle) {
                vehicleHeader = &row;
            } else {
                stationId = stationName = stationLat = stationLon = -1;
                for (std::size_t i = 0; i < row.fields.size(); ++i) {
                    const std::string name = NormaliseName(row.fields[i]);
                    const int index = static_cast<int>(i);
                    if (stationId < 0 && (name == "stationid" || name == "id"))
                        stationId = index;
                    if (stationName < 0 && (name == "namebrand" || name == "name"))
                        stationName = index;
                    if (stationLat < 0 && name == "latitude")
                        stationLat = index;
                    if (stationLon < 0 && name == "longitude")
                        stationLon = index;
                }
            }
            continue;
        }
        auto cell = [&row](int index) -> std::string {
            if (index < 0 || static_cast<std::size_t>(index) >= row.fields.size())
                return {};
            return std::string(Trim(row.fields[static_cast<std::size_t>(index)]));
        };
        if (section == Section::Vehicle) {
            if (vehicleHeader == nullptr)
                continue;
            for (std::size_t i = 0; i < vehicleHeader->fields.size(); ++i) {
                const std::string name = NormaliseName(vehicleHeader->fields[i]);
                const std::string value = cell(static_cast<int>(i));
                if (name == "distunit")
                    vehicle.distUnit = value;
                else if (name == "fuelunit")
                    vehicle.fuelUnit = value;
                else if (name == "fuelunittank2")
                    vehicle.fuelUnitTank2 = value;
                else if (name == "tank1type")
                    vehicle.tank1Type = value;
                else if (name == "tank2type")
                    vehicle.tank2Type = value;
            }
            vehicleHeader = nullptr; // one vehicle per backup
            continue;
        }
        if (section == Section::Stations) {
            // Only a help for the station names: a station row that cannot be read leaves
            // the name empty.
            if (stationName >= 0) {
                Station station{cell(stationName), cell(stationLat), cell(stationLon)};
                const std::string id = cell(stationId);
                stations.emplace(id.empty() ? "@" + station.latitude + "," + station.longitude : id,
                                 station);
            }
            continue;
        }
        // A log row.
        if (logMap[FDate] < 0 || logMap[FOdometer] < 0 || logMap[FQuantity] < 0)
            continue; // already reported at the header
        if (!CheckFieldCount(result, row, logHeader->fields.size()))
            continue;
        RawRecord raw;
        raw.line = row.line;
        raw.date = FieldText(row, logMap, FDate);
        raw.odometer = FieldText(row, logMap, FOdometer);
        raw.quantity = FieldText(row, logMap, FQuantity);
        raw.total = FieldText(row, logMap, FTotal);
        raw.unitPrice = FieldText(row, logMap, FUnitPrice);
        raw.place = FieldText(row, logMap, FLocation);
        raw.note = FieldText(row, logMap, FNote);
        bool partial = false, missed = false;
        const std::string_view fullText = FieldText(row, logMap, FFull);
        if (!ReadFull(fullText, partial)) {
            AddProblem(result, row.line,
                       "Full " + Quoted(fullText) + " ist unbekannt (erwartet 0, 1 oder 2)");
            continue;
        }
        const std::string_view missedText = FieldText(row, logMap, FMissed);
        if (!ReadFlag(missedText, missed)) {
            AddProblem(result, row.line, "Missed " + Quoted(missedText) + " ist weder 0 noch 1");
            continue;
        }
        if (partial)
            raw.marks.emplace_back("Teilbetankung");
        if (missed)
            raw.marks.emplace_back("Fehlende Betankung");
        const std::string_view tankText = FieldText(row, logMap, FTank);
        int tank = 1;
        if (tankText == "2") {
            tank = 2;
        } else if (!tankText.empty() && tankText != "1") {
            AddProblem(result, row.line, "TankNumber " + Quoted(tankText) + " ist weder 1 noch 2");
            continue;
        }
        // The column's name gives the unit of the first tank; a second tank has its own
        // (a natural-gas car's petrol tank counts litres under the column "kg").
        Quantity unit = headerUnit;
        if (unit == Quantity::Unknown)
            unit = QuantityFromCode(vehicle.fuelUnit);
        if (tank == 2 && QuantityFromCode(vehicle.fuelUnitTank2) != Quantity::Unknown)
            unit = QuantityFromCode(vehicle.fuelUnitTank2);
        if (unit == Quantity::Unknown)
            unit = Quantity::Litres;
        const bool miles = headerMiles || (!headerKm && Trim(vehicle.distUnit) == "1");
        raw.kmPerUnit = miles ? kKmPerMile : 1;
        raw.litresPerUnit = LitresPer(unit);
        std::string grade = FuelioGrade(FieldText(row, logMap, FFuel));
        if (grade.empty())
            grade = FuelioGrade(tank == 2 ? vehicle.tank2Type : vehicle.tank1Type);
        grade += UnitSuffix(unit);
        raw.grade = std::string(Trim(grade));

        if (auto record = BuildRecord(result, raw, style)) {
            if (TooManyRecords(result, pending.size() + 1))
                return;
            usedMiles = usedMiles || miles;
            units[static_cast<std::size_t>(unit)] = true;
            TankUse& use = tanks[static_cast<std::size_t>(tank - 1)];
            if (!use.used || use.grade.empty())
                use.grade = raw.grade;
            use.used = true;
            use.unit = unit;
            pending.push_back({std::move(*record), std::string(FieldText(row, logMap, FStation)),
                               std::string(FieldText(row, logMap, FLatitude)),
                               std::string(FieldText(row, logMap, FLongitude)), tank});
        }
    }
    if (logHeader == nullptr && result.ok()) {
        AddProblem(result, 0, "Der Abschnitt \"## Log\" hat keine Kopfzeile.");
        return;
    }
    if (!result.ok())
        return;

    // The stations come after the log in the file, so names are filled in last: by the
    // station's number, or else by its position (the app renumbers its station list).
    std::unordered_map<std::string, std::string> byPosition;
    for (const auto& [id, station] : stations) {
        if (HasPosition(station.latitude, station.longitude))
            byPosition.emplace(station.latitude + "," + station.longitude, station.name);
    }
    std::vector<ParsedRecord> parsed;
    parsed.reserve(pending.size());
    for (PendingRecord& p : pending) {
        std::string& name = p.parsed.record.cells[ColTankstelle];
        const auto station = stations.find(p.stationId);
        if (!p.stationId.empty() && station != stations.end()) {
            name = station->second.name;
        } else if (HasPosition(p.latitude, p.longitude)) {
            const auto near = byPosition.find(p.latitude + "," + p.longitude);
            if (near != byPosition.end())
                name = near->second;
        }
        parsed.push_back(std::move(p.parsed));
    }

    ImportSummary& summary = result.summary;
    if (usedMiles)
        summary.conversions.emplace_back("Meilen in km");
    if (units[static_cast<std::size_t>(Quantity::UsGallons)])
        summary.conversions.emplace_back("US-Gallonen in Liter");
    if (units[static_cast<std::size_t>(Quantity::ImperialGallons)])
        summary.conversions.emplace_back("britische Gallonen in Liter");
    const bool twoTanks = tanks[0].used && tanks[1].used;
    if (twoTanks)
        summary.notices.push_back("Zwei Tanks in einer Datei: Tank 1 \"" + tanks[0].grade +
                                  "\", Tank 2 \"" + tanks[1].grade + "\".");
    for (int t = 0; t < 2; ++t) {
        const TankUse& use = tanks[static_cast<std::size_t>(t)];
        if (!use.used || (use.unit != Quantity::Kilograms && use.unit != Quantity::CubicMetres))
            continue;
        const char* unitName = use.unit == Quantity::Kilograms ? "Kilogramm" : "Kubikmeter";
        summary.notices.push_back(std::string("Die Mengen ") +
                                  (twoTanks ? (t == 0 ? "von Tank 1 " : "von Tank 2 ") : "") +
                                  "sind " + unitName +
                                  ", keine Liter; sie stehen unver\xE4ndert in der Spalte Liter.");
    }
    StoreRecords(result, parsed, RecordOrder::ByOdometer);
}

} // namespace spritlog::import
