#include "import/spritmonitor.h"

#include "import/refuelling.h"
#include "import/values.h"
#include "logbook/conventions.h"
#include "logbook/fillups.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace spritlog::import {

namespace {

// Both real German headers (13 and 20 columns) and the English one; the trip, tyres,
// roads, driving style, consumption and trip computer columns are the service's own
// figures, which the logbook computes afresh or has no place for.
constexpr ColumnNames kNames[] = {
    {DateField, "date datum tankdatum"},
    {OdometerField, "odometer odo mileage kmstand kilometerstand tachostand"},
    {TripField, "teilkm trip tripkm"},
    {QuantityField,
     "quantity spritmenge menge tankmenge kraftstoffmenge liter litre litres liters"},
    {TotalField, "totalprice total kosten gesamtpreis gesamtkosten betrag"},
    {CurrencyField, "currency w\xE4hrung"},
    {TypeField, "type tankart typ art betankungsart"},
    {FuelField, "fuel kraftstoff kraftstoffart kraftstoffsorte sorte spritsorte benzin"},
    {NoteField, "note bemerkung notes notiz anmerkung kommentar comment"},
    {CompanyField, "company tankstelle firma gesellschaft anbieter marke station"},
    {LocationField, "location ort standort"},
    {AreaField, "area gro\xDFraum region gebiet"},
    {ConsumptionField, "consumption verbrauch"},
};

constexpr const char* kFirst = "Erstbetankung";

// "Tankart": 1 a full tank, 2 a partial one, 3 the first refuelling of the vehicle, 0 one
// marked invalid because refuellings before it are missing. Only a full tank after a full
// tank gives a true consumption.
bool ReadType(std::string_view text, std::vector<std::string>& marks) {
    const std::string value = LowerAscii(text);
    if (value.empty() || value == "1" || value == "full" || value == "voll" ||
        value == "vollbetankung" || value == "volltankung")
        return true;
    if (value == "2" || value == "partial" || value == "teil" || value == "teilbetankung") {
        marks.emplace_back(kPartialWord);
        return true;
    }
    if (value == "3" || value == "first" || value == "erstbetankung") {
        marks.emplace_back(kFirst);
        return true;
    }
    if (value == "0" || value == "invalid" || value == "missed" || value == "ung\xFCltig" ||
        value == "fehlend" || value == "fehlende betankung") {
        marks.emplace_back(kMissedWord);
        return true;
    }
    return false;
}

const CsvRow* FirstContentRow(const std::vector<CsvRow>& rows) {
    for (const CsvRow& row : rows) {
        if (!RowIsBlank(row))
            return &row;
    }
    return nullptr;
}

// The columns the first line that is not blank names; nullopt for a file without one.
std::optional<ColumnMap> HeaderColumns(std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(';'), 1);
    const CsvRow* header = FirstContentRow(rows);
    if (header == nullptr)
        return std::nullopt;
    return MapColumns(header->fields, kNames);
}

} // namespace

std::string SpritmonitorGrade(std::string_view text) {
    struct Code {
        int code;
        const char* name;
    };
    // Electricity, gas and hydrogen carry their energy in the name (the logbook reads kWh and
    // kilograms from the grade's first word); AdBlue is named as such, so it counts in no
    // consumption.
    static constexpr Code kCodes[] = {
        {1, "Diesel"},        {4, "Premium Diesel"}, {6, "Normal"},        {7, "Super"},
        {8, "SuperPlus"},     {12, "Autogas (LPG)"}, {13, "Erdgas (CNG)"}, {14, "Bio-Erdgas (CNG)"},
        {18, "Premium 95"},   {19, "Strom"},         {20, "E10"},          {21, "AdBlue"},
        {22, "Premium 100+"}, {23, "Wasserstoff"},   {24, "\xD6kostrom"},  {25, "GTL Diesel"},
        {26, "HVO100"},
    };
    const auto code = ReadInteger(text);
    if (!code)
        return std::string(text);
    for (const Code& entry : kCodes) {
        if (entry.code == *code)
            return entry.name;
    }
    return "Sorte " + IntegerToText(static_cast<int64_t>(*code));
}

bool HasSpritmonitorHeader(std::string_view text) {
    const auto map = HeaderColumns(text);
    return map && (*map)[DateField] >= 0 && (*map)[OdometerField] >= 0 &&
           (*map)[QuantityField] >= 0;
}

bool MayHaveSpritmonitorHeader(std::string_view text) {
    const auto map = HeaderColumns(text);
    if (!map)
        return false;
    const auto known =
        std::count_if(map->begin(), map->end(), [](int index) { return index >= 0; });
    return (*map)[DateField] >= 0 && known >= 2;
}

void ParseSpritmonitor(ImportResult& result, std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(';'));
    const CsvRow* first = FirstContentRow(rows);
    if (first == nullptr)
        return; // recognised files have a header
    const CsvRow& header = *first;
    const ColumnMap map = MapColumns(header.fields, kNames);
    if (header.fault != CsvFault::None)
        AddProblem(result, header.line, FaultReason(header));
    RequireColumns(result, header.line, map);
    if (!result.ok())
        return;
    const NumberStyle style{',', '.'};
    std::vector<ParsedRecord> parsed;
    bool afterHeader = false;
    for (const CsvRow& row : rows) {
        if (&row == &header) {
            afterHeader = true;
            continue;
        }
        if (!afterHeader || RowIsBlank(row))
            continue;
        if (row.fault != CsvFault::None) {
            AddProblem(result, row.line, FaultReason(row));
            continue;
        }
        if (!CheckFieldCount(result, row, header.fields.size()))
            continue;
        RawRecord raw;
        raw.line = row.line;
        raw.date = FieldText(row, map, DateField);
        raw.odometer = FieldText(row, map, OdometerField);
        raw.trip = FieldText(row, map, TripField);
        raw.quantity = FieldText(row, map, QuantityField);
        raw.total = FieldText(row, map, TotalField);
        raw.grade = SpritmonitorGrade(FieldText(row, map, FuelField));
        raw.station = FieldText(row, map, CompanyField);
        raw.place = FieldText(row, map, LocationField);
        if (raw.place.empty())
            raw.place = FieldText(row, map, AreaField);
        raw.note = FieldText(row, map, NoteField);
        // Litres per 100 km from full tank to full tank, the partial ones inside summed.
        if (const auto own = ReadDecimal(FieldText(row, map, ConsumptionField), ',', '.'))
            raw.sourceConsumption = *own;
        const std::string_view type = FieldText(row, map, TypeField);
        if (!ReadType(type, raw.marks)) {
            AddProblem(result, row.line,
                       "Tankart " + Quoted(type) +
                           " ist unbekannt (erwartet 1 voll, 2 teilweise, 3 erste oder 0 "
                           "ung\xFCltig)");
            continue;
        }
        // The price is in the currency of the day; one that is not the euro is said.
        const std::string currency(FieldText(row, map, CurrencyField));
        if (!currency.empty() && currency != "EUR" && currency != "\x80")
            raw.marks.push_back("Preis in " + currency);
        if (auto record = BuildRecord(result, raw, style)) {
            if (TooManyRecords(result, parsed.size() + 1))
                return;
            parsed.push_back(std::move(*record));
        }
    }
    if (result.ok())
        StoreRecords(result, parsed, RecordOrder::ByDate);
}

} // namespace spritlog::import
