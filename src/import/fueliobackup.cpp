#include "import/fueliobackup.h"

#include "import/appvalues.h"
#include "import/csvreader.h"
#include "import/fuelio.h"
#include "import/refuelling.h"
#include "import/values.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace spritlog::import {

namespace {

constexpr ColumnNames kLogNames[] = {
    {DateField, "data date datum"},
    {OdometerField, "odo odometer kmstand"},
    {QuantityField, "fuel litres liters volume kg m3 kwh"},
    {FullField, "full"},
    {MissedField, "missed"},
    {TotalField, "price totalprice"},
    {UnitPriceField, "volumeprice"},
    {LocationField, "city"},
    {NoteField, "notes note"},
    {FuelField, "fueltype"},
    {StationField, "stationid"},
    {TankField, "tanknumber"},
    {LatitudeField, "latitude"},
    {LongitudeField, "longitude"},
    {ConsumptionField, "l100km kml mpg"},
    {ExcludedField, "excludedistance"},
};

constexpr const char* kElectricity = "Strom";

enum class Quantity {
    Unknown,
    Litres,
    UsGallons,
    ImperialGallons,
    Kilograms,
    CubicMetres,
    KilowattHours,
    Count
};

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
// for a gas car the unit alone, "kg", and for an electric car "kWh" alone or in brackets.
Quantity QuantityFromHeader(std::string_view header) {
    const std::string name = NormaliseName(header);
    if (name == "kg")
        return Quantity::Kilograms;
    if (name == "kwh")
        return Quantity::KilowattHours;
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
    if (unit == "kwh")
        return Quantity::KilowattHours;
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

// The ending that makes the grade's energy one the logbook knows; cubic metres it does not.
std::string UnitSuffix(Quantity unit) {
    switch (unit) {
    case Quantity::Kilograms:
        return std::string(" ") + WordsOf(Energy::Kilogram).gradeEnding;
    case Quantity::CubicMetres:
        return " (m\xB3)";
    case Quantity::KilowattHours:
        return std::string(" ") + WordsOf(Energy::KilowattHour).gradeEnding;
    default:
        return "";
    }
}

struct Vehicle {
    std::string distUnit, fuelUnit, fuelUnitTank2, tank1Type, tank2Type, consumptionUnit;
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

enum class Section { Other, Vehicle, Log, Stations };

Section SectionNamed(const std::string& name) {
    if (name == "log")
        return Section::Log;
    if (name == "favstations")
        return Section::Stations;
    if (name == "vehicle")
        return Section::Vehicle;
    return Section::Other;
}

// The trimmed field `index` of `row`; empty for a column the row does not have.
std::string Cell(const CsvRow& row, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= row.fields.size())
        return {};
    return std::string(Trim(row.fields[static_cast<std::size_t>(index)]));
}

// A log row read up to its units, which depend on the vehicle.
struct LogRow {
    RawRecord raw;
    int tank = 1;
};

// The fields of a log row; nullopt when a flag cannot be read (the problem is noted).
std::optional<LogRow> ReadLogRow(ImportResult& result, const CsvRow& row, const ColumnMap& map) {
    LogRow log;
    RawRecord& raw = log.raw;
    raw.line = row.line;
    raw.date = FieldText(row, map, DateField);
    raw.odometer = FieldText(row, map, OdometerField);
    raw.quantity = FieldText(row, map, QuantityField);
    raw.total = FieldText(row, map, TotalField);
    raw.unitPrice = FieldText(row, map, UnitPriceField);
    raw.place = FieldText(row, map, LocationField);
    raw.note = FieldText(row, map, NoteField);
    bool partial = false, missed = false;
    const std::string_view fullText = FieldText(row, map, FullField);
    if (!ReadFull(fullText, partial)) {
        AddProblem(result, row.line,
                   "Full " + Quoted(fullText) + " ist unbekannt (erwartet 0, 1 oder 2)");
        return std::nullopt;
    }
    const std::string_view missedText = FieldText(row, map, MissedField);
    if (!ReadFlag(missedText, missed)) {
        AddProblem(result, row.line, "Missed " + Quoted(missedText) + " ist weder 0 noch 1");
        return std::nullopt;
    }
    if (partial)
        raw.marks.emplace_back(kPartialWord);
    if (missed)
        raw.marks.emplace_back(kMissedWord);
    const std::string_view tankText = FieldText(row, map, TankField);
    if (tankText == "2") {
        log.tank = 2;
    } else if (!tankText.empty() && tankText != "1") {
        AddProblem(result, row.line, "TankNumber " + Quoted(tankText) + " ist weder 1 noch 2");
        return std::nullopt;
    }
    return log;
}

struct PendingRecord {
    ParsedRecord parsed;
    std::string stationId, latitude, longitude;
    int tank = 1;
};

// A backup read row by row, section by section. The stations come after the log in the
// file, so their names are filled in at the end.
class BackupReader {
public:
    explicit BackupReader(ImportResult& result) : result_(result) {}

    // False when reading has to stop (too many records).
    bool read(const CsvRow& row);
    // The records with their station names, in order, and the summary.
    void finish();

private:
    void readHeader(const CsvRow& row);
    void readLogHeader(const CsvRow& row);
    void readStationHeader(const CsvRow& row);
    void readVehicle(const CsvRow& row);
    void readStation(const CsvRow& row);
    bool readLog(const CsvRow& row);
    Quantity unitOf(int tank, const std::string& grade) const;
    double OwnConsumption(const CsvRow& row, int tank) const;
    std::vector<ParsedRecord> namedRecords();
    void summarise();

    ImportResult& result_;
    Section section_ = Section::Other;
    bool expectHeader_ = false;
    bool first_ = true;

    // "## Vehicle": one vehicle per backup, the first data row under the header.
    const CsvRow* vehicleHeader_ = nullptr;
    Vehicle vehicle_;

    // "## Log"
    const CsvRow* logHeader_ = nullptr;
    ColumnMap logMap_ = NoColumns();
    Quantity headerUnit_ = Quantity::Unknown;
    bool headerMiles_ = false, headerKm_ = false;
    std::vector<PendingRecord> pending_;
    bool usedMiles_ = false;
    bool units_[static_cast<std::size_t>(Quantity::Count)] = {};
    int kilowattHourRecords_ = 0;
    TankUse tanks_[2];

    // "## FavStations"
    int stationId_ = -1, stationName_ = -1, stationLat_ = -1, stationLon_ = -1;
    std::unordered_map<std::string, Station> stations_;
};

bool BackupReader::read(const CsvRow& row) {
    if (row.fault != CsvFault::None) {
        // A quote out of place shifts everything after it, whatever section it is in.
        AddProblem(result_, row.line, FaultReason(row));
        return true;
    }
    if (const auto name = SectionName(row)) {
        section_ = SectionNamed(*name);
        expectHeader_ = section_ != Section::Other;
        first_ = false;
        return true;
    }
    if (RowIsBlank(row))
        return true;
    if (first_) {
        first_ = false;
        if (IsFuelioLogHeader(row)) {
            section_ = Section::Log;
            expectHeader_ = true;
        }
    }
    if (section_ == Section::Other)
        return true;
    if (expectHeader_) {
        expectHeader_ = false;
        readHeader(row);
        return true;
    }
    switch (section_) {
    case Section::Vehicle:
        readVehicle(row);
        return true;
    case Section::Stations:
        readStation(row);
        return true;
    case Section::Log:
        return readLog(row);
    case Section::Other:
        break;
    }
    return true;
}

void BackupReader::readHeader(const CsvRow& row) {
    switch (section_) {
    case Section::Log:
        readLogHeader(row);
        break;
    case Section::Vehicle:
        vehicleHeader_ = &row;
        break;
    case Section::Stations:
        readStationHeader(row);
        break;
    case Section::Other:
        break;
    }
}

void BackupReader::readLogHeader(const CsvRow& row) {
    logHeader_ = &row;
    logMap_ = MapColumns(row.fields, kLogNames);
    RequireColumns(result_, row.line, logMap_);
    if (logMap_[QuantityField] >= 0)
        headerUnit_ =
            QuantityFromHeader(row.fields[static_cast<std::size_t>(logMap_[QuantityField])]);
    if (logMap_[OdometerField] >= 0) {
        const std::string unit =
            BracketedUnit(row.fields[static_cast<std::size_t>(logMap_[OdometerField])]);
        headerMiles_ = unit == "mi" || unit == "miles";
        headerKm_ = unit == "km";
    }
}

void BackupReader::readStationHeader(const CsvRow& row) {
    stationId_ = stationName_ = stationLat_ = stationLon_ = -1;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        const std::string name = NormaliseName(row.fields[i]);
        const int index = static_cast<int>(i);
        if (stationId_ < 0 && (name == "stationid" || name == "id"))
            stationId_ = index;
        if (stationName_ < 0 && (name == "namebrand" || name == "name"))
            stationName_ = index;
        if (stationLat_ < 0 && name == "latitude")
            stationLat_ = index;
        if (stationLon_ < 0 && name == "longitude")
            stationLon_ = index;
    }
}

void BackupReader::readVehicle(const CsvRow& row) {
    if (vehicleHeader_ == nullptr)
        return;
    for (std::size_t i = 0; i < vehicleHeader_->fields.size(); ++i) {
        const std::string name = NormaliseName(vehicleHeader_->fields[i]);
        const std::string value = Cell(row, static_cast<int>(i));
        if (name == "distunit")
            vehicle_.distUnit = value;
        else if (name == "fuelunit")
            vehicle_.fuelUnit = value;
        else if (name == "fuelunittank2")
            vehicle_.fuelUnitTank2 = value;
        else if (name == "tank1type")
            vehicle_.tank1Type = value;
        else if (name == "tank2type")
            vehicle_.tank2Type = value;
        else if (name == "consumptionunit")
            vehicle_.consumptionUnit = value;
    }
    vehicleHeader_ = nullptr; // one vehicle per backup
}

void BackupReader::readStation(const CsvRow& row) {
    // Only a help for the station names: a station row that cannot be read leaves the name
    // empty.
    if (stationName_ < 0)
        return;
    Station station{Cell(row, stationName_), Cell(row, stationLat_), Cell(row, stationLon_)};
    const std::string id = Cell(row, stationId_);
    stations_.emplace(id.empty() ? "@" + station.latitude + "," + station.longitude : id, station);
}

// The column's name gives the unit of the first tank; a second tank has its own
// (FuelUnitTank2: a natural-gas car's petrol tank counts litres under the column "kg"), or
// else the one its fuel is sold in. Electricity is counted in kWh whatever the columns say.
Quantity BackupReader::unitOf(int tank, const std::string& grade) const {
    const std::optional<Energy> energy = EnergyOf(grade);
    if (energy == Energy::KilowattHour)
        return Quantity::KilowattHours;
    Quantity unit = headerUnit_;
    if (unit == Quantity::Unknown)
        unit = QuantityFromCode(vehicle_.fuelUnit);
    if (tank == 2) {
        const Quantity own = QuantityFromCode(vehicle_.fuelUnitTank2);
        const bool volume = unit == Quantity::Litres || unit == Quantity::UsGallons ||
                            unit == Quantity::ImperialGallons;
        if (own != Quantity::Unknown)
            unit = own;
        else if (energy == Energy::Kilogram)
            unit = Quantity::Kilograms;
        else if (!volume)
            unit = Quantity::Litres;
    }
    if (unit == Quantity::Unknown)
        unit = Quantity::Litres;
    return unit;
}

// The app's figure for the first tank where it stands on the whole distance (nothing
// driven on the other tank excluded): l/100km, km/l, or mpg in the vehicle's gallons
// (ConsumptionUnit 2 imperial, else US).
double BackupReader::OwnConsumption(const CsvRow& row, int tank) const {
    const auto excluded = ReadDecimal(FieldText(row, logMap_, ExcludedField), '.', 0);
    const auto figure = ReadDecimal(FieldText(row, logMap_, ConsumptionField), '.', 0);
    if (tank != 1 || (excluded && *excluded != 0) || !figure || logMap_[ConsumptionField] < 0)
        return 0;
    const std::string name =
        NormaliseName(logHeader_->fields[static_cast<std::size_t>(logMap_[ConsumptionField])]);
    const char* unit = name == "l100km" ? "l/100km" : name == "kml" ? "km/l" : "mpg";
    return ConsumptionPer100(*figure, unit, Trim(vehicle_.consumptionUnit) == "2");
}

bool BackupReader::readLog(const CsvRow& row) {
    if (logMap_[DateField] < 0 || logMap_[OdometerField] < 0 || logMap_[QuantityField] < 0)
        return true; // already reported at the header
    if (!CheckFieldCount(result_, row, logHeader_->fields.size()))
        return true;
    std::optional<LogRow> log = ReadLogRow(result_, row, logMap_);
    if (!log)
        return true;
    RawRecord& raw = log->raw;
    std::string grade = FuelioGrade(FieldText(row, logMap_, FuelField));
    if (grade.empty())
        grade = FuelioGrade(log->tank == 2 ? vehicle_.tank2Type : vehicle_.tank1Type);
    const Quantity unit = unitOf(log->tank, grade);
    const bool miles = headerMiles_ || (!headerKm_ && Trim(vehicle_.distUnit) == "1");
    raw.kmPerUnit = miles ? kKmPerMile : 1;
    raw.litresPerUnit = LitresPer(unit);
    // Electricity is never read as litres, whatever fuel the row names.
    if (unit == Quantity::KilowattHours)
        grade = kElectricity;
    grade += UnitSuffix(unit);
    raw.grade = std::string(Trim(grade));

    raw.sourceConsumption = OwnConsumption(row, log->tank);
    auto record = BuildRecord(result_, raw, NumberStyle{'.', 0});
    if (!record)
        return true;
    if (TooManyRecords(result_, pending_.size() + 1))
        return false;
    usedMiles_ = usedMiles_ || miles;
    units_[static_cast<std::size_t>(unit)] = true;
    if (unit == Quantity::KilowattHours)
        ++kilowattHourRecords_;
    TankUse& use = tanks_[static_cast<std::size_t>(log->tank - 1)];
    if (!use.used || use.grade.empty())
        use.grade = raw.grade;
    use.used = true;
    use.unit = unit;
    pending_.push_back({std::move(*record), std::string(FieldText(row, logMap_, StationField)),
                        std::string(FieldText(row, logMap_, LatitudeField)),
                        std::string(FieldText(row, logMap_, LongitudeField)), log->tank});
    return true;
}

// The station names by the station's number, or else by its position (the app renumbers
// its station list).
std::vector<ParsedRecord> BackupReader::namedRecords() {
    std::unordered_map<std::string, std::string> byPosition;
    for (const auto& [id, station] : stations_) {
        if (HasPosition(station.latitude, station.longitude))
            byPosition.emplace(station.latitude + "," + station.longitude, station.name);
    }
    std::vector<ParsedRecord> parsed;
    parsed.reserve(pending_.size());
    for (PendingRecord& p : pending_) {
        std::string& name = p.parsed.record.cells[ColTankstelle];
        const auto station = stations_.find(p.stationId);
        if (!p.stationId.empty() && station != stations_.end()) {
            name = station->second.name;
        } else if (HasPosition(p.latitude, p.longitude)) {
            const auto near = byPosition.find(p.latitude + "," + p.longitude);
            if (near != byPosition.end())
                name = near->second;
        }
        parsed.push_back(std::move(p.parsed));
    }
    return parsed;
}

void BackupReader::summarise() {
    ImportSummary& summary = result_.summary;
    if (usedMiles_)
        summary.conversions.emplace_back("Meilen in km");
    if (units_[static_cast<std::size_t>(Quantity::UsGallons)])
        summary.conversions.emplace_back("US-Gallonen in Liter");
    if (units_[static_cast<std::size_t>(Quantity::ImperialGallons)])
        summary.conversions.emplace_back("britische Gallonen in Liter");
    const bool twoTanks = tanks_[0].used && tanks_[1].used;
    if (twoTanks)
        summary.notices.push_back("Zwei Tanks in einer Datei: Tank 1 \"" + tanks_[0].grade +
                                  "\", Tank 2 \"" + tanks_[1].grade + "\".");
    if (kilowattHourRecords_ > 0)
        summary.notices.push_back(IntegerToText(kilowattHourRecords_) +
                                  (kilowattHourRecords_ == 1 ? " Betankung" : " Betankungen") +
                                  " in kWh als \x84" + kElectricity +
                                  " (kWh)\x93 \xFC"
                                  "bernommen");
    for (int t = 0; t < 2; ++t) {
        const TankUse& use = tanks_[static_cast<std::size_t>(t)];
        if (!use.used || (use.unit != Quantity::Kilograms && use.unit != Quantity::CubicMetres))
            continue;
        const char* unitName = use.unit == Quantity::Kilograms ? "Kilogramm" : "Kubikmeter";
        summary.notices.push_back(std::string("Die Mengen ") +
                                  (twoTanks ? (t == 0 ? "von Tank 1 " : "von Tank 2 ") : "") +
                                  "sind " + unitName +
                                  ", keine Liter; sie stehen unver\xE4ndert in der Spalte Liter.");
    }
}

void BackupReader::finish() {
    if (logHeader_ == nullptr && result_.ok()) {
        AddProblem(result_, 0, "Der Abschnitt \"## Log\" hat keine Kopfzeile.");
        return;
    }
    if (!result_.ok())
        return;
    std::vector<ParsedRecord> parsed = namedRecords();
    summarise();
    StoreRecords(result_, parsed, RecordOrder::ByOdometer);
}
} // namespace

bool IsFuelioLogHeader(const CsvRow& row) {
    if (row.fields.size() < 3)
        return false;
    const ColumnMap map = MapColumns(row.fields, kLogNames);
    return map[DateField] == 0 && NormaliseName(row.fields[0]) == "data" &&
           map[OdometerField] >= 0 &&
           NormaliseName(row.fields[static_cast<std::size_t>(map[OdometerField])]) == "odo" &&
           map[QuantityField] >= 0;
}

void ReadFuelioBackup(ImportResult& result, const std::vector<CsvRow>& rows) {
    BackupReader reader(result);
    for (const CsvRow& row : rows) {
        if (!reader.read(row))
            return;
    }
    reader.finish();
}

} // namespace spritlog::import
