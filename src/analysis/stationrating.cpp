#include "analysis/stationrating.h"

#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/errors.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <array>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

namespace spritlog {

namespace {

std::string GroupKey(const TextTable& grid, int row) {
    std::string key(grid.cell(ColTankstelle, row));
    key += " (";
    key += grid.cell(ColBenzin, row);
    key += ')';
    return key;
}

void WriteAverages(TextTable& info, int row, const StationGroup& group) {
    for (std::size_t i = 0; i < group.sums.size(); ++i) {
        if (group.values[i] > 0)
            info.setCell(3 + static_cast<int>(i), row,
                         NumberToText(group.sums[i] / group.values[i], 2));
    }
}

} // namespace

std::vector<StationGroup> GroupStations(const TextTable& grid) {
    std::vector<StationGroup> groups;
    std::unordered_map<std::string, std::size_t> indexOfKey;
    ForEachRecordTakingPart(grid, [&](int r) {
        std::string key = GroupKey(grid, r);
        auto found = indexOfKey.find(key);
        if (found == indexOfKey.end()) {
            found = indexOfKey.emplace(key, groups.size()).first;
            groups.push_back(StationGroup{std::move(key), 0, {}, {}, EnergyOfRecord(grid, r)});
        }
        StationGroup& group = groups[found->second];
        ++group.count;
        for (std::size_t i = 0; i < kStationAveragedColumns.size(); ++i) {
            const std::string_view text = grid.cell(kStationAveragedColumns[i], r);
            if (text.empty())
                continue;
            group.sums[i] =
                AddCellValue(group.sums[i], TextToNumber(text), r, kStationAveragedColumns[i]);
            ++group.values[i];
        }
    });
    return groups;
}

namespace {

// The groups of `energy` added up; with `everyRecord` every group's count and costs too.
StationGroup StationTotals(const std::vector<StationGroup>& groups, Energy energy, bool everyRecord,
                           std::string key) {
    // Every record weighs the same here, not every group; the sums are added group by group.
    StationGroup totals{std::move(key), 0, {}, {}, energy};
    for (const StationGroup& group : groups) {
        const bool ofEnergy = group.energy == energy;
        if (!ofEnergy && !everyRecord)
            continue;
        totals.count += group.count;
        for (std::size_t i = 0; i < totals.sums.size(); ++i) {
            // Consumption and price of another energy are not mixed into this one's.
            const int column = kStationAveragedColumns[i];
            if (!ofEnergy && (column == ColVerbrauch || column == ColLiterpreis))
                continue;
            totals.sums[i] += group.sums[i];
            totals.values[i] += group.values[i];
            if (!std::isfinite(totals.sums[i]))
                throw Error("Tankstellen, " + totals.key + ", " +
                            kLogbookColumnInfo[kStationAveragedColumns[i]].header +
                            ": Summe zu gro\xDF.");
        }
    }
    return totals;
}

} // namespace

std::vector<StationGroup> StationAverages(const std::vector<StationGroup>& groups) {
    EnergyMix mix;
    for (const StationGroup& group : groups) {
        if (group.energy)
            mix.records[static_cast<int>(*group.energy)] += group.count;
        else
            mix.adBlue += group.count;
    }
    if (mix.count() <= 1)
        return {StationTotals(groups, mix.main(), true, "Durchschnitt")};
    std::vector<StationGroup> averages;
    for (int e = 0; e < kEnergies; ++e) {
        const auto energy = static_cast<Energy>(e);
        if (mix.has(energy))
            averages.push_back(StationTotals(
                groups, energy, false, std::string("Durchschnitt ") + WordsOf(energy).quantity));
    }
    return averages;
}

void BuildStationRating(const TextTable& grid, TextTable& info) {
    info.setColumnCount(kStationColumns);
    info.setRowCount(2);
    info.clearCells();
    for (int c = 0; c < kStationColumns; ++c)
        info.setCell(c, 0, kStationColumnInfo[c].header);

    const std::vector<StationGroup> groups = GroupStations(grid);
    const std::vector<StationGroup> averages = StationAverages(groups);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const StationGroup& group = groups[g];
        const int row = static_cast<int>(g) + 1;
        info.appendRow();
        info.setCell(0, row, IntegerToText(row));
        info.setCell(1, row, group.key);
        info.setCell(2, row, IntegerToText(group.count));
        WriteAverages(info, row, group);
    }
    for (const StationGroup& totals : averages) {
        // The last row stays empty: each average row goes in before it.
        const int row = info.rowCount() - 1;
        info.appendRow();
        info.setCell(1, row, totals.key);
        info.setCell(2, row, IntegerToText(totals.count));
        WriteAverages(info, row, totals);
    }
}

} // namespace spritlog
