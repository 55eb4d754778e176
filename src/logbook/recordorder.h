#pragma once

#include "logbook/texttable.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace spritlog {

// Where a record belongs in time: its day (days since 1.1.1970) and its odometer reading.
struct RecordKey {
    int64_t day = 0;
    // Without a valid reading the record comes after the others of its day.
    int64_t odometer = 0;
    bool operator<(const RecordKey& other) const {
        return day != other.day ? day < other.day : odometer < other.odometer;
    }
};

// The day of a date cell "dd.mm.yyyy" (a real calendar day), counted from 1.1.1970; nullopt
// for any other text.
std::optional<int64_t> DayOfDateCell(std::string_view text);
// The key of a record with these cells; nullopt when `date` is no valid date.
std::optional<RecordKey> KeyOfCells(std::string_view date, std::string_view odometer);
// The key of record `row`; nullopt when its Datum is no valid date.
std::optional<RecordKey> KeyOfRecord(const TextTable& grid, int row);
// Whether record `row` has no input at all (Datum to Anmerkung3 without the derived cells).
bool RecordIsEmpty(const TextTable& grid, int row);

// "Nach Datum sortieren": the records in order by date, then odometer; a stable sort, so
// records of the same day and reading keep their order. A record without a valid date keeps
// its place behind the record before it and moves with it (those before the first dated
// record stay first), and the empty records at the end stay at the end. Gives for each old
// row its new one (index 0 unused).
std::vector<int> SortRecordsByDate(TextTable& grid);

// The first record whose KM-Stand is lower than that of the nearest record before it with a
// valid KM-Stand; 0 for none.
int FirstOdometerDrop(const TextTable& grid);
// Whether record `row` reads lower than the nearest record before it with a valid reading,
// or the nearest record after it with a valid reading reads lower than `row`.
bool OdometerDropAround(const TextTable& grid, int row);

} // namespace spritlog
