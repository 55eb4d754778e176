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
            groups.push_back(StationGroup{
                std::move(key), 0, {}, {}, EnergyOf(grid.cell(ColBenzin, r)) == Energy::Litre});
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

StationGroup StationTotals(const std::vector<StationGroup>& groups) {
    // Every record weighs the same here, not every group; the sums are added group by group.
    StationGroup totals{"Durchschnitt", 0, {}, {}, true};
    for (const StationGroup& group : groups) {
        totals.count += group.count;
        for (std::size_t i = 0; i < totals.sums.size(); ++i) {
            // Consumption and price of kg or kWh are not mixed into the litre averages.
            const int column = kStationAveragedColumns[i];
            if (!group.litres && (column == ColVerbrauch || column == ColLiterpreis))
                continue;
            totals.sums[i] += group.sums[i];
            totals.values[i] += group.values[i];
            if (!std::isfinite(totals.sums[i]))
                throw Error(std::string("Tankstellen, Durchschnitt, ") +
                            kLogbookColumnInfo[kStationAveragedColumns[i]].header +
                            ": Summe zu gro\xDF.");
        }
    }
    return totals;
}

void BuildStationRating(const TextTable& grid, TextTable& info) {
    info.setColumnCount(kStationColumns);
    info.setRowCount(2);
    info.clearCells();
    for (int c = 0; c < kStationColumns; ++c)
        info.setCell(c, 0, kStationColumnInfo[c].header);

    const std::vector<StationGroup> groups = GroupStations(grid);
    const StationGroup totals = StationTotals(groups);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const StationGroup& group = groups[g];
        const int row = static_cast<int>(g) + 1;
        info.appendRow();
        info.setCell(0, row, IntegerToText(row));
        info.setCell(1, row, group.key);
        info.setCell(2, row, IntegerToText(group.count));
        WriteAverages(info, row, group);
    }
    const int row = static_cast<int>(groups.size()) + 1;
    info.appendRow();
    info.setCell(1, row, totals.key);
    info.setCell(2, row, IntegerToText(totals.count));
    WriteAverages(info, row, totals);
}

} // namespace spritlog
