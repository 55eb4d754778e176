#pragma once

#include "logbook/energies.h"
#include "logbook/texttable.h"

#include <xlsxwriter.h>

#include <vector>

namespace spritlog {

// The workbook's consumption chart of a logbook whose records show their units: one line per
// energy, each with its own average, over the records 2..n as the chart of a logbook of
// litres draws them.

// One line: an energy with at least one consumption among records 2..n, and the average of
// its consumption cells that hold a value.
struct EnergyLine {
    Energy energy;
    double average = 0;
};

// The lines of `grid` (derived columns current), in the order litres, kg, kWh.
std::vector<EnergyLine> EnergyLinesOf(const TextTable& grid);

// Fills the hidden helper sheet `helpers` and puts the chart of EnergyLinesOf(grid) on
// `charts`. `helpers` gets the dates of records 2..n+1 as texts in column A (one category a
// record), and two columns a line: its consumption where a record of its energy has one, as
// a formula over Tankbuch's Verbrauch and Einheit (the other cells stay blank, which the
// line passes over), and its average in every row. `points` = n.
void WriteEnergyConsumptionChart(lxw_workbook* book, lxw_worksheet* helpers, lxw_worksheet* charts,
                                 const TextTable& grid, int points);

} // namespace spritlog
