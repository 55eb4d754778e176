#pragma once

#include "logbook/texttable.h"

namespace spritlog {

// Fills the derived columns KM, Verbrauch, Kosten/Km and Tankkosten of every record that
// takes part, the newest too. KM is measured from the record before that takes part; the
// first one has no KM of its own (its cell is read as it stands). Empty records get empty
// derived cells. Stops at the first error (Error naming record and column); cells written
// so far stay.
void ComputeDerivedValues(TextTable& grid);

} // namespace spritlog
