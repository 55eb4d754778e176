#pragma once

#include "import/csvimport.h"
#include "import/values.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog::import {

// Values the phone and web apps write beyond the plain ones: US dates and times, yes and
// no in several languages, their own consumption figures, their vehicles and units.

// "yyyy-M-d", "yyyy/M/d", "d.M.yyyy", or with slashes month first (`monthFirst`) or day
// first, the year with two or four digits; a time "H:MM[:SS]" may follow after a blank or
// "T", with "AM"/"PM" for a 12-hour clock; a trailing "Z" (UTC) is passed over.
std::optional<DateValue> ReadAppDate(std::string_view text, bool monthFirst);
// Whether slash dates are day first: only when one of them cannot be month first.
bool SlashDatesDayFirst(const std::vector<std::string>& dates);
bool HasSlashDate(const std::vector<std::string>& dates);

// "Yes"/"No" and their translations, "true"/"false", "1"/"0"; nullopt for anything else.
std::optional<bool> ReadYesNo(std::string_view text);

// A consumption figure in litres (or kg, kWh) per 100 km: `unit` is how the source writes
// it ("km/L", "L/100km", "mpg", "mpg (UK)", "MPG"); `imperial` tells which gallon a bare
// "mpg" counts. 0 for a figure of 0, an unknown unit or nonsense.
double ConsumptionPer100(double figure, std::string_view unit, bool imperial = false);
// "25.158 km/L" read as a figure and its unit; 0 when it is none.
double ConsumptionText(std::string_view text);

// The vehicles of an export, in the order the file names them; the one chosen in the
// options, else the first. More than one is said in the summary.
std::string ChooseVehicle(ImportResult& result, const std::vector<std::string>& names);

// The unit of the odometer and of the quantity where the file does not say it: the user's
// choice, else `fallback`, and the question stays open in the result.
DistanceUnit AskDistance(ImportResult& result, DistanceUnit fallback);
VolumeUnit AskVolume(ImportResult& result, VolumeUnit fallback);
double KmPer(DistanceUnit unit);
double LitresPer(VolumeUnit unit);
// "Meilen in km", "US-Gallonen in Liter", "Preise je Gallone in Preise je Liter" as the
// units call for, each once.
void NoteConversions(ImportResult& result, DistanceUnit distance, VolumeUnit volume, bool prices);
// A quantity unit as a file writes it: "Gal", "gal (US)", "Imp Gal", "L", "litres", ...
// Unknown for anything else.
VolumeUnit VolumeFromText(std::string_view text);
DistanceUnit DistanceFromText(std::string_view text);

// The first column whose normalised name (see NormaliseName) is one of `names`; -1 none.
int FindColumn(const std::vector<std::string>& header, std::string_view names);
// The trimmed field `index` of `fields`; empty for a column the row does not have.
std::string_view FieldAt(const std::vector<std::string>& fields, int index);

// Rows of a section that is no refuelling, named in the summary: "##Expense (1 Zeile)".
void NoteSkippedSection(ImportResult& result, std::string_view name, int rows);

} // namespace spritlog::import
