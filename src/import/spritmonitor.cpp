#include "import/spritmonitor.h"

#include "import/refuelling.h"
#include "import/values.h"
#include "logbook/conventions.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace spritlog::import {

namespace {

// Both real German headers (13 and 20 columns) and the English one; the trip, tyres,
// roads, driving style, consumption and trip computer columns are the service's own
// figures, which the logbook computes afresh or has no place for.
constexpr ColumnNames kNames[] = {
    {FDate, "date datum tankdatum"},
    {FOdometer, "odometer odo mileage kmstand kilometerstand tachostand"},
    {FQuantity, "quantity spritmenge menge tankmenge kraftstoffmenge liter litre litres liters"},
    {FTotal, "totalprice total kosten gesamtpreis gesamtkosten betrag"},
    {FCurrency, "currency w\xE4hrung"},
    {FType, "type tankart typ art betankungsart"},
    {FFuel, "fuel kraftstoff kraftstoffart kraftstoffsorte sorte spritsorte benzin"},
    {FNote, "note bemerkung notes notiz anmerkung kommentar comment"},
    {FCompany, "company tankstelle firma gesellschaft anbieter marke station"},
    {FLocation, "location ort standort"},
    {FArea, "area gro\xDFraum region gebiet"},
};

constexpr const char* kPartial = "Teilbetankung";
constexpr const char* kMissed = "Fehlende Betankung";
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
        marks.emplace_back(kPartial);
        return true;
    }
    if (value == "3" || value == "first" || value == "erstbetankung") {
        marks.emplace_back(kFirst);
        return true;
    }
    if (value == "0" || value == "invalid" || value == "missed" || value == "ung\xFCltig" ||
        value == "fehlend" || value == "fehlende betankung") {
        marks.emplace_back(kMissed);
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
    static constexpr Code kCodes[] = {
        {1, "Diesel"},      {4, "Premium Diesel"}, {6, "Normal"}, {7, "Super"},
        {8, "SuperPlus"},   {12, "LPG"},           {13, "CNG"},   {14, "CNG"},
        {18, "Premium 95"}, {19, "Strom"},         {20, "E10"},   {22, "Premium 100+"},
        {25, "GTL Diesel"}, {26, "HVO100"},
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
    return map && (*map)[FDate] >= 0 && (*map)[FOdometer] >= 0 && (*map)[FQuantity] >= 0;
}

bool MayHaveSpritmonitorHeader(std::string_view text) {
    const auto map = HeaderColumns(text);
    if (!map)
        return false;
    const auto known =
        std::count_if(map->begin(), map->end(), [](int index) { return index >= 0; });
    return (*map)[FDate] >= 0 && known >= 2;
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
        raw.date = FieldText(row, map, FDate);
        raw.odometer = FieldText(row, map, FOdometer);
        raw.quantity = FieldText(row, map, FQuantity);
        raw.total = FieldText(row, map, FTotal);
        raw.grade = SpritmonitorGrade(FieldText(row, map, FFuel));
        raw.station = FieldText(row, map, FCompany);
        raw.place = FieldText(row, map, FLocation);
        if (raw.place.empty())
            raw.place = FieldText(row, map, FArea);
        raw.note = FieldText(row, map, FNote);
        const std::string_view type = FieldText(row, map, FType);
        if (!ReadType(type, raw.marks)) {
            AddProblem(result, row.line,
                       "Tankart " + Quoted(type) +
                           " ist unbekannt (erwartet 1 voll, 2 teilweise, 3 erste oder 0 "
                           "ung\xFCltig)");
            continue;
        }
        // The price is in the currency of the day; one that is not the euro is said.
        const std::string currency(FieldText(row, map, FCurrency));
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
