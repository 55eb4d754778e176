#pragma once

#include "texttable.h"

namespace spritlog {

// Fills the derived columns KM, Verbrauch, Kosten/Km and Tankkosten of `grid`.
// Stops at the first error (Error with the exact message); cells written so far stay.
void ComputeDerivedValues(TextTable& grid);

// The whole pass: the derived values, then the rebuild of the chart source in the shape
// `chartBasis` (0 "Eintrag", 1 "Monat", anything else leaves it empty). When the first
// half fails the chart source keeps its previous contents.
void CalculateValues(TextTable& grid, TextTable& prepareGrid, int chartBasis);

} // namespace spritlog
