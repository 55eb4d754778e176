#pragma once

#include "import/refuelling.h"

#include <vector>

namespace spritlog::import {

// The odometer held against the service's own distance ("Teil-Km"), in logbook order. A
// record's reading R is checked against two figures from its neighbours: A, the reading
// before plus its own distance, and B, the reading after less the next record's distance.
// Two figures agree when they differ by at most 1 % of the distance, and by at least 2 km
// (the services round odometers to whole km and trip meters to tenths).
// - R agrees with A: nothing to do.
// - A and B agree with each other but not with R: R is a typo. The record takes A rounded
//   to whole km, and the summary says "Zeile 25: KM-Stand 21690 passt nicht zu Teil-Km
//   513,00, übernommen: 216190".
// - R agrees with B and lies beyond A: the car went further than the trip meter counted
//   since the record before, so refuellings are missing between; the record gets the mark
//   "Fehlende Betankung" (if it has none) and the summary says so.
// Anything else (the first and the last record, a record or neighbour without a distance,
// two readings in doubt at once) stays as it is.
void CheckOdometersAgainstTrips(ImportResult& result, std::vector<ParsedRecord>& records);

} // namespace spritlog::import
