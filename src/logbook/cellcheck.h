#pragma once

#include <string>
#include <string_view>

namespace spritlog {

// Whether the text of an input cell can be read as its column needs: KM-Stand a whole
// number (TryTextToInteger), Liter and Literpreis a number (TryTextToNumber), Datum a real
// calendar date written dd.mm.yyyy. The calculation still reads a malformed text as 0; this
// only tells the user. An empty cell, or one of blanks alone, is never a problem, and
// neither is any cell of the other columns.
enum class CellProblem { None, NotANumber, NotADate };

CellProblem CheckCell(int column, std::string_view text);
// The columns CheckCell looks at: Datum, KM-Stand, Liter and Literpreis.
bool ColumnIsChecked(int column);

// The note the window gives a cell with `problem` (Windows-1252): "Keine gültige Zahl",
// "Kein gültiges Datum (TT.MM.JJJJ)"; empty for None.
std::string CellProblemText(CellProblem problem);

// The status bar's note of `count` cells with a problem (Windows-1252): "1 ungültige
// Zelle", "2 ungültige Zellen"; empty for 0.
std::string InvalidCellsText(int count);

// Whether `text` is exactly dd.mm.yyyy (two-digit day and month, four-digit year from 0001)
// and names a day of the Gregorian calendar: "29.02.2024" yes, "29.02.2025" and "1.2.2025"
// no.
bool IsValidDate(std::string_view text);

// A date as typed with a one- or two-digit day and month and a two- or four-digit year
// ("1.2.25", "1.2.2025", "01.02.25") written as dd.mm.yyyy, a two-digit year taken as 20yy:
// "01.02.2025". Every other text, and a completion that is no real date ("31.2.25"), comes
// back unchanged.
std::string CompleteDate(std::string_view text);

// A whole number typed with thousands dots, as Germans write odometer readings ("47.100",
// "1.234.567", "-12.500"): one to three digits, then groups of a dot and exactly three
// digits, comes back without the dots. Every other text comes back unchanged, so "47.10" or
// "4.7100" stay what they are (and stay invalid).
std::string CompleteWholeNumber(std::string_view text);

} // namespace spritlog
