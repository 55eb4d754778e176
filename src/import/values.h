#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace spritlog::import {

// The values of other programs' files: texts, numbers with either decimal mark, dates,
// units. Locale independent.

bool IsBlank(char c);
bool IsDigit(char c);
std::string_view Trim(std::string_view text);
// Lower case ASCII, for the few keyword values.
std::string LowerAscii(std::string_view text);
// A field's text inside a message, cut short so a runaway field cannot flood the box.
std::string Quoted(std::string_view text);

// Lower case letters and digits only; whatever stands in brackets (units, "optional") is
// dropped. "Total price" -> "totalprice", "Odo (km)" -> "odo", "Währung" -> "währung".
std::string NormaliseName(std::string_view text);
// What stands in the first brackets, lower case: "Odo (mi)" -> "mi".
std::string BracketedUnit(std::string_view text);
// Whether `name` is one of the blank-separated `names`.
bool IsOneOf(std::string_view name, std::string_view names);

// "[+-]digits[<point>digits]", where the integer digits may be grouped by `grouping` in
// threes (0: no grouping). Nothing else: no exponent, no "inf", no second point.
std::optional<double> ReadDecimal(std::string_view text, char point, char grouping);
// A whole number of at most four digits.
bool ReadSmallNumber(std::string_view digits, int& value);
// A whole number, possibly negative ("-1").
std::optional<long> ReadInteger(std::string_view text);

// The shortest text with "." that reads back as `value`, without exponent or padding.
std::string NumberCell(double value);
// `value` rounded to `decimals` places, trailing zeros dropped ("43.002", "40").
std::string RoundedCell(double value, int decimals);

struct DateValue {
    std::string cell; // "dd.MM.yyyy"
    int64_t key = 0;  // orders by day and time of day
};
// "d.M.yyyy" or "yyyy-M-d", either with an optional time "H:MM[:SS]" after a blank or
// "T"; only real calendar days.
std::optional<DateValue> ReadDate(std::string_view text);

// Conversion factors into the logbook's kilometres and litres (exact by definition).
inline constexpr double kKmPerMile = 1.609344;
inline constexpr double kLitresPerUsGallon = 3.785411784;
inline constexpr double kLitresPerImperialGallon = 4.54609;

} // namespace spritlog::import
