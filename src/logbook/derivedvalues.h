#pragma once

#include "logbook/texttable.h"

namespace spritlog {

// Fills the derived columns KM, Verbrauch, Kosten/Km and Tankkosten of `grid`.
// Stops at the first error (Error with the exact message); cells written so far stay.
void ComputeDerivedValues(TextTable& grid);

} // namespace spritlog
