#pragma once

#include "logbook/cellerrors.h"
#include "logbook/energies.h"
#include "logbook/texttable.h"

#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// How a refuelling was made, as its notes tell: a partial fill-up ("Teilbetankung") or one
// after a fill-up that was never recorded ("Fehlende Betankung"). A note carries a mark when
// one of its parts (separated by "," or ";") begins with the word, case-insensitively, blanks
// around it aside; the importer writes "Teilbetankung, Fehlende Betankung" for both.
struct FillUpMarks {
    bool partial = false;
    bool missedBefore = false;
};
FillUpMarks MarksOf(const TextTable& grid, int row);

// The words that mark a refuelling in its notes, as the importer and the window
// writes them.
inline constexpr std::string_view kPartialWord = "Teilbetankung";
inline constexpr std::string_view kMissedWord = "Fehlende Betankung";

// `note` with `word` put at its start, a text already there kept after "; ":
// "Urlaub" gives "Teilbetankung; Urlaub", an empty note the word alone.
std::string WithMark(std::string_view note, std::string_view word);

// `note` without the mark `word`: every part (the notes' parts are separated by "," or ";")
// that begins with the word, case-insensitively and blanks aside, loses the word, and a part
// left empty goes with its separator. "Teilbetankung; Urlaub" gives "Urlaub",
// "Urlaub; Teilbetankung" gives "Urlaub". A note without the mark comes back as it is.
std::string WithoutMark(std::string_view note, std::string_view word);

// How the consumption is computed: every record by itself, or from full tank to full tank
// (the setting "Verbrauch von Volltank zu Volltank rechnen", on by default).
enum class ConsumptionRule { PerRecord, FullTank };

// Consumption from full tank to full tank, after the per-record pass: an interval runs from
// one full fill-up to the next of the same unit. Its distance is the odometer difference,
// its fuel and cost those of the partial fill-ups inside it and the closing full one. Every
// record of an interval with a partial fill-up shows the interval's Verbrauch and Kosten/Km
// (cost per 100 km); partial fill-ups after the last full one, and a record after a missed
// fill-up, have none (the latter opens the next interval). Records of other units are
// passed over by an interval. A logbook without marks and with litres only is left as the
// per-record pass made it. KM and Tankkosten stay each record's own. A record without
// litres (empty or no number) is passed over, and one whose reading cannot be read closes no
// interval: the next full fill-up has no consumption. AdBlue is in no interval and breaks
// none: it is passed over like a record of another unit. An interval of distance 0 gets none
// and is given back as an issue; throws Error only for a value beyond the range of numbers.
// Under the rule PerRecord the same walk takes every record as a full fill-up, so that each
// energy measures from its own record before.
std::vector<CellIssue> ApplyFullTankIntervals(TextTable& grid,
                                              ConsumptionRule rule = ConsumptionRule::FullTank);
// The same walk over the records after `anchor` up to `last` only, going on as the whole walk
// does after `anchor`, a full fill-up of `unit` with a readable reading and litres (0: from the
// first record). Every record with litres up to `last` must be of `unit`; partial fill-ups still
// open at `last` keep their figures unless `last` is the last record.
std::vector<CellIssue> ApplyFullTankIntervalsAfter(TextTable& grid, int anchor, Energy unit,
                                                   int last);

} // namespace spritlog
