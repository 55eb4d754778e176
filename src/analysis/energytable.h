#pragma once

#include "logbook/fillups.h"
#include "logbook/texttable.h"

#include <string>
#include <vector>

namespace spritlog {

// Each energy of the logbook `grid` (derived columns current) and the car as a whole, as a
// table of texts: the caption row "Energie, Menge, Kosten, Verbrauch, Kosten je KM", a row per
// energy with records taking part (Liter, kg, kWh, then AdBlue), then "Gesamt".
// Menge is the sum of the quantities, Kosten the sum of the Tankkosten, Verbrauch the average
// the statistics show as "Verbrauch" over that energy's records alone, Kosten je KM that
// average times the energy's average price (cents). AdBlue has no Verbrauch and no Kosten je
// KM. Gesamt: all costs, and the sum of the energies' Kosten je KM (none where one of them
// has none). Numbers with two decimals and a dot, nothing before them; a value that cannot be
// computed is the empty text. Throws Error for an overflowing sum.
std::vector<std::vector<std::string>> EnergyTable(const TextTable& grid,
                                                  ConsumptionRule rule = ConsumptionRule::FullTank);

} // namespace spritlog
