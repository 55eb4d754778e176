#pragma once

#include "logbook/linesink.h"
#include "logbook/texttable.h"

#include <string>
#include <string_view>

namespace spritlog::import {

// The logbook as Spritmonitor's German refuellings export lays it out (the 20 columns
// "Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;Währung;Tankart;...;Ort"), so that the service,
// or this program's Spritmonitor import, takes the records back. UTF-8 like the service's
// files, decimal comma, texts in quotes, one line a record in the logbook's order; records
// without any input are left out.
// - Teil-Km: the distance from the record before; Kosten: Liter x Literpreis, unrounded,
//   so that the price per litre comes back as it was.
// - Tankart: 2 for a partial fill-up, 0 after a missed one (that mark wins when a record
//   has both), 3 for a note "Erstbetankung", else 1; the marks leave the notes.
// - Kraftstoff: the service's number for a grade it knows by that name, else the name.
// - Währung: EUR, or the currency of a mark "Preis in CHF" the import left.
// - Bemerkung: the notes that are left, joined by "; ".
void WriteSpritmonitorFile(LineSink& sink, const TextTable& grid);

// A number cell of the logbook in the service's form: decimal comma, at least `decimals`
// places ("40" -> "40,00", "1.709" -> "1,709"); empty when the cell holds no number.
std::string SpritmonitorNumber(std::string_view cell, int decimals);

} // namespace spritlog::import
