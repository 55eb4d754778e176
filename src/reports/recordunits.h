#pragma once

#include "logbook/texttable.h"

#include <string_view>

namespace spritlog {

// The unit of every record in the outputs. A logbook of litres alone is written as it always
// was; one with kilograms, kilowatt-hours or AdBlue among its records gets an "Einheit" for
// each record, so that "40" and "40" in the column Liter are not read as the same thing.

inline constexpr const char* kUnitCaption = "Einheit";

// Whether the outputs of `grid` show each record's unit: any record taking part is of
// another energy than litres, or AdBlue.
bool ShowsRecordUnits(const TextTable& grid);

// The unit of the record in `row` as the outputs write it: "Liter", "kg" or "kWh" (AdBlue
// "Liter"); empty for a record that takes no part, which has no grade to tell.
std::string_view RecordUnitText(const TextTable& grid, int row);

} // namespace spritlog
