#pragma once

#include "import/csvimport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog::import {

// Any other CSV file, read by a mapping the user gives: separator, decimal mark, date
// order, units, and the role of each column. As a text (spritlog-cli import --spalten, and
// what the settings remember), items separated by blanks:
//   trenner=;  dezimal=,  datum=TMJ  kopf=ja  strecke=km  menge=l  1=Datum 2=KM-Stand ...
// trenner: ; , | tab; dezimal: , or .; datum: TMJ (Tag, Monat, Jahr), MTJ or JMT; kopf: ja
// (the first line names the columns) or nein; strecke: km or meilen; menge: l, usgal or
// impgal; a number is a column (from 1) and its role: Datum, KM-Stand, Menge, Literpreis
// (price per unit of the quantity), Gesamtpreis, Sorte, Tankstelle, Ort, Anmerkung, Voll
// (ja/nein: a full tank) or Teilweise (ja/nein: a partial one).
enum class Role {
    None,
    Date,
    Odometer,
    Quantity,
    UnitPrice,
    Total,
    Grade,
    Station,
    Place,
    Note,
    Full,
    Partial,
};

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

struct ColumnMapping {
    char separator = ';';
    char point = ',';
    DateOrder dates = DateOrder::DayMonthYear;
    bool header = true;
    DistanceUnit distance = DistanceUnit::Kilometres;
    VolumeUnit volume = VolumeUnit::Litres;
    std::vector<Role> roles; // by column, from the first
};

// The mapping a text describes; nullopt with a German reason in `error`.
std::optional<ColumnMapping> ReadMapping(std::string_view text, std::string& error);
// The text of a mapping, as ReadMapping reads it.
std::string MappingText(const ColumnMapping& mapping);
// The German name of a role ("KM-Stand"); "" for None.
const char* RoleName(Role role);

// Reads `text` by the mapping in result.options.mapping.
void ParseMappedCsv(ImportResult& result, std::string_view text);

} // namespace spritlog::import
