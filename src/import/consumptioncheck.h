#pragma once

#include "import/csvimport.h"

namespace spritlog::import {

// Holds the consumption the logbook will compute for the imported records (from full tank
// to full tank, as the apps compute) against the figure the source states for each of
// them, and lists in the summary every record where the two differ by more than 1 %. The
// oldest record has no distance of its own within the file and is passed over, as is a
// record the logbook gives no figure (after a missed refuelling).
void CompareConsumption(ImportResult& result);

} // namespace spritlog::import
