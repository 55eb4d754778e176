#pragma once

#include "../logbook/texttable.h"

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

// Rewrites `info` from the logbook `grid` (derived columns current): row 0 the headers,
// rows 1..G the groups "Tankstelle (Benzin)" of records 1..n-1 in the order they first
// occur, row G+1 "Durchschnitt" over all those records, row G+2 empty. Keys are compared
// byte for byte; there is no limit on the number of groups.
// With a single record the average row divides 0 by 0: Error "Invalid floating point
// operation" after "Durchschnitt" and the count 0 are written. Without records the count is
// -1 and the averages are 0.
void BuildStationRating(const TextTable& grid, TextTable& info);

} // namespace spritlog
