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

// The records 1..lastRecord grouped by "Tankstelle (Benzin)", groups in the order their key
// first occurs, keys compared byte for byte. Each group counts its records and sums their
// Verbrauch, Literpreis, Tankkosten and Kosten/Km (in that order), adding in record order, so
// the sums equal those of a separate scan per key. A sum may have overflowed to infinity;
// whoever writes the group reports that.
inline constexpr std::array<int, 4> kStationAveragedColumns = {ColVerbrauch, ColLiterpreis,
                                                               ColTankkosten, ColKostenKm};
struct StationGroup {
    std::string key;
    int count = 0;
    std::array<double, 4> sums{};
};
std::vector<StationGroup> GroupStations(const TextTable& grid, int lastRecord);

// Rewrites `info` from the logbook `grid` (derived columns current): row 0 the headers,
// rows 1..G the groups "Tankstelle (Benzin)" of records 1..n-1 in the order they first
// occur, row G+1 "Durchschnitt" over all those records, row G+2 empty. Keys are compared
// byte for byte; there is no limit on the number of groups.
// With a single record the average row divides 0 by 0: Error "Invalid floating point
// operation" after "Durchschnitt" and the count 0 are written. Without records the count is
// -1 and the averages are 0.
void BuildStationRating(const TextTable& grid, TextTable& info);

} // namespace spritlog
