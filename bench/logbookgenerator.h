#pragma once

#include <string>

namespace spritlog::bench {

// Writes a realistic native logbook of `records` refuellings to `path`: dates spread over
// up to forty years (several refuellings a day in the largest ones), rising odometer
// readings, litres that follow the distance, prices that follow the years, four fuel
// grades, a dozen station brands (or `distinctStations` numbered stations when not 0),
// German places with umlauts and occasional note texts. The same arguments always give
// the same bytes; nothing is held in memory, so any size can be written.
void WriteGeneratedLogbook(const std::string& path, int records, int distinctStations = 0);

} // namespace spritlog::bench
