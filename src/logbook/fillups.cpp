#include "logbook/fillups.h"

#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace spritlog {

namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The words are ASCII, so folding ASCII letters is all the case that matters, whatever the
// process locale.
char FoldedAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (FoldedAscii(text[i]) != FoldedAscii(word[i]))
            return false;
    return true;
}

void NoteMarks(std::string_view note, FillUpMarks& marks) {
    while (!note.empty()) {
        const std::size_t split = note.find_first_of(",;");
        const std::string_view part = Trimmed(note.substr(0, split));
        marks.partial = marks.partial || StartsWithWord(part, kPartialWord);
        marks.missedBefore = marks.missedBefore || StartsWithWord(part, kMissedWord);
        if (split == std::string_view::npos)
            break;
        note.remove_prefix(split + 1);
    }
}

// The note cut at "," and ";"; each part keeps the separator that ends it.
std::vector<std::string_view> Parts(std::string_view note) {
    std::vector<std::string_view> parts;
    while (!note.empty()) {
        const std::size_t split = note.find_first_of(",;");
        const std::size_t length = split == std::string_view::npos ? note.size() : split + 1;
        parts.push_back(note.substr(0, length));
        note.remove_prefix(length);
    }
    return parts;
}

void ClearConsumption(TextTable& grid, int row) {
    grid.setCell(ColVerbrauch, row, {});
    grid.setCell(ColKostenKm, row, {});
}

// One unit's walk through the records: the last full fill-up and the partial ones since.
class IntervalWalk {
public:
    IntervalWalk(TextTable& grid, Energy unit, bool everyRecordFull)
        : grid_(grid), unit_(unit), everyRecordFull_(everyRecordFull) {}

    // The record before `row` among those taking part: 0 when there is none, kOtherUnit when
    // it is of another unit, kPassedOver when it has no litres to count.
    static constexpr int kOtherUnit = -1;
    static constexpr int kPassedOver = -2;

    void visit(int row, int previousTakingPart, bool readable) {
        const FillUpMarks marks = everyRecordFull_ ? FillUpMarks{} : MarksOf(grid_, row);
        if (marks.missedBefore) {
            // What was filled before this record is unknown: nothing since the last full tank
            // can be closed, and this record's own figures are unknown too. Without a readable
            // reading it opens no interval either.
            clearPending();
            ClearConsumption(grid_, row);
            const bool opens = readable && !marks.partial;
            start_ = opens ? row : 0;
            unknownStart_ = !opens;
            return;
        }
        // A full tank without a readable reading closes nothing: its fuel counts for the
        // interval the next full tank closes, as a partial fill-up's does.
        if (marks.partial || !readable) {
            if (start_ == 0) {
                ClearConsumption(grid_, row);
                unknownStart_ = true;
            } else {
                pending_.push_back(row);
            }
            return;
        }
        if (start_ == 0) {
            // The first full tank of this unit: its per-record figure measures from a record
            // of another unit, or is the record's own as the per-record pass left it.
            if (unit_ != Energy::Litre || previousTakingPart == kOtherUnit || unknownStart_)
                ClearConsumption(grid_, row);
        } else if (!pending_.empty() || previousTakingPart != start_) {
            close(row);
        }
        start_ = row;
        pending_.clear();
    }

    // Partial fill-ups after the last full one: their interval is not closed yet.
    void finish() { clearPending(); }
    // Goes on as after visiting `row`, a full fill-up of this unit with a readable reading.
    void resumeAfter(int row) { start_ = row; }
    std::vector<CellIssue>& issues() { return issues_; }

private:
    void clearPending() {
        for (int row : pending_)
            ClearConsumption(grid_, row);
        pending_.clear();
    }

    void close(int row) {
        const int64_t distance = static_cast<int64_t>(TextToInteger(grid_.cell(ColKmStand, row))) -
                                 TextToInteger(grid_.cell(ColKmStand, start_));
        pending_.push_back(row);
        if (distance == 0) {
            issues_.push_back(ZeroDistanceIssue(row));
            clearPending();
            return;
        }
        double fuel = 0;
        double cost = 0;
        bool costKnown = true; // a fill-up without a price leaves the interval's cost unknown
        for (int r : pending_) {
            fuel = AddCellValue(fuel, TextToNumber(grid_.cell(ColLiter, r)), r, ColLiter);
            costKnown = costKnown && !grid_.cell(ColTankkosten, r).empty();
            cost = AddCellValue(cost, TextToNumber(grid_.cell(ColTankkosten, r)), r, ColTankkosten);
        }
        const double perHundred = 100.0 / static_cast<double>(distance);
        const std::string consumption = NumberToText(
            CheckedCellValue(fuel * 100.0 / static_cast<double>(distance), row, ColVerbrauch), 2);
        const std::string costs =
            costKnown ? NumberToText(CheckedCellValue(cost * perHundred, row, ColKostenKm), 2)
                      : std::string();
        int32_t reading = 0;
        for (int r : pending_) {
            // A record without a readable reading keeps its own cells empty.
            if (!TryTextToInteger(grid_.cell(ColKmStand, r), reading))
                continue;
            grid_.setCell(ColVerbrauch, r, consumption);
            grid_.setCell(ColKostenKm, r, costs);
        }
    }

    TextTable& grid_;
    Energy unit_;
    bool everyRecordFull_;
    int start_ = 0;             // the last full fill-up, 0 before the first
    bool unknownStart_ = false; // fuel went in before the first full fill-up
    std::vector<int> pending_;
    std::vector<CellIssue> issues_;
};

} // namespace

std::string WithMark(std::string_view note, std::string_view word) {
    std::string marked(word);
    if (!Trimmed(note).empty())
        marked.append("; ").append(Trimmed(note));
    return marked;
}

std::string WithoutMark(std::string_view note, std::string_view word) {
    std::string result;
    bool changed = false;
    // A part that goes leaves the blanks before it, and the next part's go instead.
    bool dropBlanks = false;
    for (std::string_view part : Parts(note)) {
        if (dropBlanks)
            part.remove_prefix(std::min(part.size(), part.find_first_not_of(' ')));
        dropBlanks = false;
        const bool separated = !part.empty() && (part.back() == ',' || part.back() == ';');
        const std::string_view text = separated ? part.substr(0, part.size() - 1) : part;
        const std::string_view trimmed = Trimmed(text);
        if (!StartsWithWord(trimmed, word)) {
            result += part;
            continue;
        }
        changed = true;
        result.append(text.substr(0, text.find_first_not_of(' ')));
        const std::string_view rest = Trimmed(trimmed.substr(word.size()));
        if (rest.empty()) {
            dropBlanks = true;
            continue;
        }
        result.append(rest);
        if (separated)
            result += part.back();
    }
    if (!changed)
        return std::string(note);
    // No blanks at the start, and no separator left at the end by a last part that went.
    std::string_view tidy = Trimmed(result);
    while (!tidy.empty() && (tidy.back() == ',' || tidy.back() == ';' || tidy.back() == ' '))
        tidy.remove_suffix(1);
    return std::string(tidy);
}

FillUpMarks MarksOf(const TextTable& grid, int row) {
    FillUpMarks marks;
    for (int column : {ColNote1, ColNote2, ColNote3})
        NoteMarks(grid.cell(column, row), marks);
    return marks;
}

namespace {

// Whether the interval walk counts `row`: a record without litres is passed over as if it took
// no part. Gives whether its reading can be read.
bool CountsLitres(const TextTable& grid, int row, bool& readable) {
    int32_t reading = 0;
    readable = TryTextToInteger(grid.cell(ColKmStand, row), reading);
    return IsNumberText(grid.cell(ColLiter, row));
}

// The walks of the units over the records taking part in first..last, each record of a unit
// seen by that unit's walk.
class Walks {
public:
    explicit Walks(TextTable& grid, bool everyRecordFull = false)
        : grid_(grid), walks_{IntervalWalk(grid, Energy::Litre, everyRecordFull),
                              IntervalWalk(grid, Energy::Kilogram, everyRecordFull),
                              IntervalWalk(grid, Energy::KilowattHour, everyRecordFull)} {}

    void resumeAfter(int row, Energy unit) {
        const auto u = static_cast<std::size_t>(unit);
        walks_[u].resumeAfter(row);
        previous_ = row;
        previousOfUnit_[u] = row;
    }

    void walk(int first, int last) {
        for (int row = NextRecordTakingPart(grid_, first); row <= last;
             row = NextRecordTakingPart(grid_, row + 1))
            visit(row);
    }

    std::vector<CellIssue> finish(bool atEnd) {
        std::vector<CellIssue> issues;
        for (IntervalWalk& walk : walks_) {
            if (atEnd)
                walk.finish();
            issues.insert(issues.end(), walk.issues().begin(), walk.issues().end());
        }
        return issues;
    }

private:
    void visit(int row) {
        const std::optional<Energy> energy = EnergyOfRecord(grid_, row);
        if (!energy) {
            // AdBlue: every walk sees a record of another unit before its next one.
            previous_ = row;
            previousPassedOver_ = false;
            return;
        }
        bool readable = false;
        if (!CountsLitres(grid_, row, readable)) {
            previousPassedOver_ = true;
            return;
        }
        const auto unit = static_cast<std::size_t>(*energy);
        // A walk sees the record before this one only when it is of its own unit.
        int before = previousOfUnit_[unit] == previous_ ? previous_ : IntervalWalk::kOtherUnit;
        if (previousPassedOver_ && before != IntervalWalk::kOtherUnit)
            before = IntervalWalk::kPassedOver;
        walks_[unit].visit(row, before, readable);
        previousOfUnit_[unit] = row;
        previous_ = row;
        previousPassedOver_ = false;
    }

    TextTable& grid_;
    std::array<IntervalWalk, 3> walks_;
    // The last record that took part, and the last of each unit, so that a walk knows whether
    // a record of another unit, or one passed over, lies between two of its own.
    int previous_ = 0;
    bool previousPassedOver_ = false;
    std::array<int, 3> previousOfUnit_{};
};

} // namespace

std::vector<CellIssue> ApplyFullTankIntervals(TextTable& grid, ConsumptionRule rule) {
    Walks walks(grid, rule == ConsumptionRule::PerRecord);
    walks.walk(1, RecordCount(grid));
    return walks.finish(true);
}

std::vector<CellIssue> ApplyFullTankIntervalsAfter(TextTable& grid, int anchor, Energy unit,
                                                   int last) {
    Walks walks(grid);
    if (anchor > 0)
        walks.resumeAfter(anchor, unit);
    walks.walk(anchor + 1, last);
    return walks.finish(last >= RecordCount(grid));
}

} // namespace spritlog
