#pragma once

#include "document/logbookdocument.h"

#include <string>

namespace spritlog::cli {

// "energies FILE": each energy of the logbook and the car as a whole, tab-separated with a
// caption line (Energie, Menge, Kosten, Verbrauch, Kosten je KM).
std::string EnergiesCommand(const LogbookDocument& book);

} // namespace spritlog::cli
