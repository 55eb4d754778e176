#pragma once

#include "logbook/energies.h"
#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

#include <array>
#include <optional>
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
    // The grade's energy; none for AdBlue, whose records have neither consumption nor cost
    // per km.
    std::optional<Energy> energy = Energy::Litre;
};
std::vector<StationGroup> GroupStations(const TextTable& grid);
// The average rows, the groups' counts, sums and value counts added up group by group:
// - a logbook of one energy (or none) has one row "Durchschnitt" over every record taking
//   part, whose consumption and price are those of that energy alone (AdBlue's price is
//   no price of a fuel);
// - a logbook of several energies has one row "Durchschnitt Liter", "Durchschnitt kg",
//   "Durchschnitt kWh" per energy present, in that order, each over that energy's records
//   alone; AdBlue is in none of them.
// Throws Error when a total overflows.
std::vector<StationGroup> StationAverages(const std::vector<StationGroup>& groups);

// Rewrites `info` from the logbook `grid` (derived columns current): row 0 the headers,
// rows 1..G the groups, then the average rows (StationAverages; with no record taking part
// "Durchschnitt" with "Anzahl" 0), then one empty row. Average rows leave column "Nr"
// empty. An average without values is an empty cell. There is no limit on the number of
// groups. Throws Error when a sum overflows, before any group row is written.
void BuildStationRating(const TextTable& grid, TextTable& info);

} // namespace spritlog
