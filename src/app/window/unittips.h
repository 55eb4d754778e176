#pragma once

#include "logbook/energies.h"

#include <QString>

#include <optional>

namespace spritlog {

// What a cell of p_Grid says about the unit of its record, as part of its tool tip: the
// quantity, the price and the consumption of a record of kilograms or kilowatt-hours name
// their unit ("Menge in kWh", "Preis in EUR/kWh", "Verbrauch in kWh/100KM"); AdBlue's
// quantity and consumption say that it counts in the costs alone. Litres, the table's own
// unit, and every other column say nothing: an empty text.
QString UnitTip(int column, std::optional<Energy> energy);

} // namespace spritlog
