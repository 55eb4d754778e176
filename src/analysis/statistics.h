#pragma once

#include "logbook/energies.h"
#include "logbook/fillups.h"
#include "logbook/texttable.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace spritlog {

// The screen layout shared by the statistics page, the statistics window and the CLI:
// three groups, each a run of rows in screen order. Captions are Windows-1252; they are the
// captions of a logbook of litres, the figures of another energy bring their own.
struct StatisticsRow {
    int label;           // the label number k of Lk
    const char* caption; // the text left of the value
};
struct StatisticsGroup {
    const char* caption;
    int firstRow; // index into kStatisticsRows
    int rowCount;
};

inline constexpr StatisticsRow kStatisticsRows[12] = {
    {1, "Gefahrene KM:"},   {2, "Getankte Liter:"},      {3, "Tankkosten:"},
    {4, "Verbrauch:"},      {6, "Tankf\xFCllung:"},      {5, "Tankkosten:"},
    {7, "KM-Interval:"},    {8, "Kosten je Km:"},        {9, "Min Verbrauch:"},
    {10, "Max Verbrauch:"}, {11, "Max Tankf\xFCllung:"}, {12, "Max KM-Interval:"},
};

inline constexpr StatisticsGroup kStatisticsGroups[3] = {
    {"Aufrechnung", 0, 3},
    {"Durchschnitt", 3, 5},
    {"Rekorde", 8, 4},
};

// The group below the three in a logbook of several energies, and its last line.
inline constexpr const char* kEnergyLinesCaption = "Energien";
inline constexpr const char* kCombinedCaption = "Verbrauch kombiniert:";

// A line of that group: one energy's quantity, average consumption and cost (AdBlue: quantity
// and cost), or the combined consumption. Texts are Windows-1252.
struct StatisticsLine {
    std::string caption;            // "Strom:"
    std::vector<std::string> parts; // figure texts; an empty one where nothing can be computed
    // The parts that hold a figure, blanks in front cut, joined by ", ".
    std::string text() const;
};

// The texts of the value labels L1..L12: number text followed by its unit, " 7.00 L/100KM".
// A figure without values is the empty text: no number, no unit.
struct StatisticsLabels {
    StatisticsLabels();

    std::array<std::string, 12> texts;    // texts[k - 1] belongs to label Lk
    std::array<std::string, 12> captions; // the caption beside Lk, in the words of its energy
    // Below the twelve, in a logbook of several energies: a line per energy (litres, kg, kWh,
    // then AdBlue) and the combined consumption. None in a logbook of one energy.
    std::vector<StatisticsLine> lines;
    // The consumption figures the averages come from: complete intervals from full tank to
    // full tank, each once (every record with a consumption when counted per record).
    int intervals = 0;
    // The energy of L2, L4, L6 and L9-L11 (the main one of several).
    Energy energy = Energy::Litre;

    const std::string& label(int number) const { return texts.at(number - 1); }
    const std::string& caption(int number) const { return captions.at(number - 1); }
};

// The sum of the non-empty cells of one column and how many there are.
struct ColumnTally {
    double sum = 0;
    int count = 0;
};

// The figures of the records of one energy (or of AdBlue). A cell takes part in an average, a
// minimum or a maximum when it is not empty; unreadable cells add 0.
struct EnergyTally {
    int records = 0;
    ColumnTally quantity;    // Liter
    ColumnTally price;       // Literpreis
    ColumnTally cost;        // Tankkosten
    ColumnTally consumption; // Verbrauch, the cells that count (ConsumptionCounts)
    ColumnTally km;          // KM
    double minConsumption = 2147483647.0;
    double maxConsumption = 0;
    double maxQuantity = 0;
    double maxKm = 0;
};

// Sums, counts, minima and maxima over the records that take part: what the statistics
// page, the statistics window and the reports build their figures from. Each energy's
// records are tallied apart (the grade decides, AdBlue is none); costs and distances also
// over all records. From full tank to full tank, a partial fill-up's consumption is its
// interval's, counted once on the record that closes it. Throws Error naming the record
// where a sum overflows.
struct StatisticsSums {
    std::array<EnergyTally, kEnergies> energies;
    EnergyTally adBlue; // no consumption, ever
    ColumnTally tankkosten;
    ColumnTally km;
    double maxKm = 0;
    int records = 0; // records taking part
    int first = 0;   // the first of them, 0 when none
    int last = 0;    // the last of them, 0 when none

    const EnergyTally& of(Energy energy) const { return energies[static_cast<int>(energy)]; }
    EnergyMix mix() const;
};
// Whether the consumption cell of `record` enters the consumption figures under `rule`:
// from full tank to full tank a partial fill-up's interval is counted once, on the record
// that closes it, not on the partial fill-up.
bool ConsumptionCounts(const TextTable& grid, int record, ConsumptionRule rule);

StatisticsSums CollectStatistics(const TextTable& grid,
                                 ConsumptionRule rule = ConsumptionRule::FullTank);

// An energy's average consumption times its average price: what 100 km cost in euros, the
// same number as cents per km. None without a consumption or a price.
std::optional<double> CostPerKm(const EnergyTally& tally);
// The sum of CostPerKm over the energies with records; none when there is no such energy or
// one of them has no cost per km (the sum over the others would claim to be the car's).
std::optional<double> CostPerKmOfCar(const StatisticsSums& sums);

// The twelve figures of the logbook `grid` (derived columns current), one set for every
// place that shows them. Sums and records cover the records taking part, the newest too;
// each average is taken over the cells that hold a value; L1 is the odometer of the last
// record taking part minus that of the first.
// A logbook of one energy (AdBlue aside) shows the figures of quantity and consumption (L2,
// L4, L6, L9-L11) and the price of L8 over that energy's records, in its words; a logbook of
// several shows them for its main energy, L8 for the car (CostPerKmOfCar) and L12 over the
// main energy's records, and adds the lines below. Costs (L3, L5) and distances (L7, and L12
// of one energy) count every record, AdBlue's too. Throws Error for an overflowing sum.
StatisticsLabels ComputeStatistics(const TextTable& grid,
                                   ConsumptionRule rule = ConsumptionRule::FullTank);

} // namespace spritlog
