#include "logbook/recalculation.h"

#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <algorithm>
#include <cstdint>

namespace spritlog {
namespace {

// What the interval walk sees of a record: whether it counts (has litres), its unit, and
// whether it is a full fill-up that closes a chain (readable reading, not partial).
struct FillUp {
    bool counts = false;
    Energy unit = Energy::Litre;
    bool closes = false;
};

FillUp FillUpAt(const TextTable& grid, int row) {
    FillUp fill;
    if (IsEmptyRecord(grid, row) || !IsNumberText(grid.cell(ColLiter, row)))
        return fill;
    // AdBlue is in no chain: the walk passes over it.
    const std::optional<Energy> energy = EnergyOfRecord(grid, row);
    if (!energy)
        return fill;
    fill.counts = true;
    fill.unit = *energy;
    int32_t reading = 0;
    fill.closes =
        TryTextToInteger(grid.cell(ColKmStand, row), reading) && !MarksOf(grid, row).partial;
    return fill;
}

// The units the part of the walk meets; more than one cannot be told apart from the rest.
class OneUnit {
public:
    bool add(const FillUp& fill) {
        if (!fill.counts)
            return true;
        if (!unit_)
            unit_ = fill.unit;
        return *unit_ == fill.unit;
    }
    Energy unit() const { return unit_.value_or(Energy::Litre); }

private:
    std::optional<Energy> unit_;
};

// The interval part around `changed`: the full fill-up before it (0 for none) and the first
// after it (RecordCount for none); none when it holds records of two units.
std::optional<RowSpan> IntervalPart(const TextTable& grid, RowSpan changed, OneUnit& units) {
    const int n = RecordCount(grid);
    RowSpan part{0, n};
    for (int row = changed.first - 1; row >= 1; --row) {
        const FillUp fill = FillUpAt(grid, row);
        if (!units.add(fill))
            return std::nullopt;
        if (fill.closes) {
            part.first = row;
            break;
        }
    }
    for (int row = changed.first; row <= n; ++row) {
        const FillUp fill = FillUpAt(grid, row);
        if (!units.add(fill))
            return std::nullopt;
        if (row > changed.last && fill.closes) {
            part.last = row;
            break;
        }
    }
    return part;
}

void ReplaceIssues(std::vector<CellIssue>& issues, RowSpan rows, std::vector<CellIssue> fresh) {
    issues.erase(std::remove_if(issues.begin(), issues.end(),
                                [&](const CellIssue& issue) {
                                    return issue.record >= rows.first && issue.record <= rows.last;
                                }),
                 issues.end());
    issues.insert(issues.end(), fresh.begin(), fresh.end());
    SortIssues(issues);
}

} // namespace

std::optional<RowSpan> RecalculateChangedRows(TextTable& grid, ConsumptionRule rule,
                                              RowSpan changed, bool gradeChanged,
                                              std::vector<CellIssue>& issues) {
    const int n = RecordCount(grid);
    changed.first = std::max(1, changed.first);
    changed.last = std::min(n, changed.last);
    // Records no longer there have no issues.
    issues.erase(std::remove_if(issues.begin(), issues.end(),
                                [n](const CellIssue& issue) { return issue.record > n; }),
                 issues.end());
    if (changed.first > changed.last)
        return RowSpan{};
    std::vector<CellIssue> fresh;
    if (rule == ConsumptionRule::PerRecord) {
        // Each energy measures from its own records before: a change reaches records far
        // after it, so such a logbook is calculated whole.
        if (BeyondLitres(grid))
            return std::nullopt;
        const int last = ComputeDerivedValuesFrom(grid, PassStartAt(grid, changed.first),
                                                  changed.last + 1, fresh);
        ReplaceIssues(issues, {changed.first, last}, std::move(fresh));
        return RowSpan{changed.first, last};
    }
    // A changed grade moves a record from one unit's chain to another's.
    OneUnit units;
    const std::optional<RowSpan> part =
        gradeChanged ? std::nullopt : IntervalPart(grid, changed, units);
    if (!part)
        return std::nullopt;
    const RowSpan rows{part->first + 1, part->last};
    // The records up to the closing full fill-up get their own figures first; the walk then
    // gives the ones inside an interval theirs.
    ComputeDerivedValuesFrom(grid, PassStartAt(grid, rows.first), rows.last, fresh);
    std::vector<CellIssue> walked =
        ApplyFullTankIntervalsAfter(grid, part->first, units.unit(), rows.last);
    fresh.insert(fresh.end(), walked.begin(), walked.end());
    ReplaceIssues(issues, rows, std::move(fresh));
    return rows;
}

} // namespace spritlog
