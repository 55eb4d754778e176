#pragma once

#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

#include <array>
#include <string>
#include <vector>

namespace spritlog {

// The station table p_Info: one row per pair of filling station and fuel grade.
struct StationColumn {
    const char* header;
    int width; // pixels
};
inline constexpr int kStationColumns = 7;
inline constexpr StationColumn kStationColumnInfo[kStationColumns] = {
    {"Nr", 25},        {"Tankstelle - Benzin", 115}, {"Anzahl", 40},
    {"Verbrauch", 55}, {"Literpreis", 55},           {"Tankosten", 55},
    {"Kosten/Km", 55},
};

// The records taking part grouped by "Tankstelle (Benzin)", groups in the order their key
// first occurs, keys compared byte for byte. Each group counts its records and, per column
// Verbrauch, Literpreis, Tankkosten and Kosten/Km (in that order), sums the cells that hold a
// value and counts them, adding in record order. Throws Error naming the record where a sum
// overflows.
inline constexpr std::array<int, 4> kStationAveragedColumns = {ColVerbrauch, ColLiterpreis,
                                                               ColTankkosten, ColKostenKm};
struct StationGroup {
    std::string key;
    int count = 0;
    std::array<double, 4> sums{};
    std::array<int, 4> values{}; // non-empty cells per column
    bool litres = true;          // a grade in litres (not kg or kWh)
};
std::vector<StationGroup> GroupStations(const TextTable& grid);
// The "Durchschnitt" row: every group's count, sums and value counts added up, group by
// group. Throws Error when a total overflows.
StationGroup StationTotals(const std::vector<StationGroup>& groups);

// Rewrites `info` from the logbook `grid` (derived columns current): row 0 the headers,
// rows 1..G the groups, row G+1 "Durchschnitt" over all records taking part ("Anzahl" their
// number, 0 when none), row G+2 empty. An average without values is an empty cell. There is
// no limit on the number of groups. Throws Error when a sum overflows, before any group row
// is written.
void BuildStationRating(const TextTable& grid, TextTable& info);

} // namespace spritlog
