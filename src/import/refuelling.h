#pragma once

#include "import/csvimport.h"
#include "import/csvreader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog::import {

// What the formats of the phone apps share: problems, columns found by name, one
// refuelling checked and converted, and the records put in order.

void AddProblem(ImportResult& result, int line, std::string reason);
// The reason for a row the reader could not take apart.
std::string FaultReason(const CsvRow& row);
bool TooManyRecords(ImportResult& result, std::size_t count);

// The columns the phone apps' files may have, found by their header names.
enum Field : int {
    DateField,
    OdometerField,
    TripField,
    QuantityField,
    TotalField,
    UnitPriceField,
    CurrencyField,
    TypeField,
    FullField,
    MissedField,
    FuelField,
    NoteField,
    CompanyField,
    StationField,
    LocationField,
    AreaField,
    TankField,
    LatitudeField,
    LongitudeField,
    ConsumptionField, // the service's own figure
    ExcludedField,    // distance driven on another tank
    FieldCount
};

struct ColumnNames {
    Field field;
    const char* names; // normalised (see NormaliseName), separated by blanks
};

// Column index of each field, -1 when the header has none; the first matching column wins.
using ColumnMap = std::array<int, FieldCount>;

ColumnMap NoColumns();
ColumnMap MapColumns(const std::vector<std::string>& header, const ColumnNames* table,
                     std::size_t count);
template <std::size_t N>
ColumnMap MapColumns(const std::vector<std::string>& header, const ColumnNames (&table)[N]) {
    return MapColumns(header, table, N);
}
std::string_view FieldText(const CsvRow& row, const ColumnMap& map, Field field);
// A data row must have the header's number of fields; fields beyond it are accepted only
// when empty (a trailing separator).
bool CheckFieldCount(ImportResult& result, const CsvRow& row, std::size_t expected);
// Date, odometer and quantity: the columns every refuelling needs.
void RequireColumns(ImportResult& result, int line, const ColumnMap& map);

struct NumberStyle {
    char point;
    char grouping;
};

// One refuelling as the file has it, with what the format knows about its units.
struct RawRecord {
    int line = 0;
    std::string_view date, odometer, quantity, total, unitPrice, station, place, note;
    std::string_view trip; // the service's own distance since the refuelling before
    std::string grade;
    std::vector<std::string> marks; // for the third note: "Teilbetankung", ...
    double kmPerUnit = 1;           // odometer unit
    double litresPerUnit = 1;       // quantity unit; the price is per quantity unit
    // The source's own consumption, litres per 100 km; 0 none.
    double sourceConsumption = 0;
    // The total is what was paid: the price per litre is chosen to give it to the cent,
    // even where the source also has a price per unit.
    bool totalFirst = false;
};

struct ParsedRecord {
    ImportRecord record;
    int32_t odometer = 0;
    int64_t dateKey = 0;
    std::string total; // as written, for telling duplicates apart
    // The service's own distance since the refuelling before, when it gives one: 0 none.
    double trip = 0;
    std::string tripText; // as written
};

// The price per litre, with three to five decimals, for which litres x price gives `total`
// to the cent as the logbook's Tankkosten are rounded; three decimals where none does.
std::string PriceForTotal(std::string_view litresCell, double total, double litresExact);

// Checks and converts every field; each bad one is a problem of its own.
std::optional<ParsedRecord> BuildRecord(ImportResult& result, const RawRecord& raw,
                                        NumberStyle style);

enum class RecordOrder {
    ByDate,     // the order of the service's own lists
    ByOdometer, // the order the app computes in
};
// Skips repeated refuellings, refuses two different ones at one odometer reading, puts the
// rest in order and notes what looks wrong in it.
void StoreRecords(ImportResult& result, std::vector<ParsedRecord>& parsed, RecordOrder order);

} // namespace spritlog::import
