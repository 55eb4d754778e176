#include "analysis/stationrating.h"

#include "logbook/conventions.h"
#include "logbook/floatops.h"
#include "logbook/logbooktable.h"

#include <array>
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

void WriteAverages(TextTable& info, int row, const std::array<double, 4>& sums, double divisor) {
    for (std::size_t i = 0; i < sums.size(); ++i)
        info.setCell(3 + static_cast<int>(i), row, NumberToText(Divide(sums[i], divisor), 2));
}

} // namespace

std::vector<StationGroup> GroupStations(const TextTable& grid, int lastRecord) {
    std::vector<StationGroup> groups;
    std::unordered_map<std::string, std::size_t> indexOfKey;
    for (int r = 1; r <= lastRecord; ++r) {
        std::string key = GroupKey(grid, r);
        auto found = indexOfKey.find(key);
        if (found == indexOfKey.end()) {
            found = indexOfKey.emplace(key, groups.size()).first;
            groups.push_back(StationGroup{std::move(key), 0, {}});
        }
        StationGroup& group = groups[found->second];
        ++group.count;
        for (std::size_t i = 0; i < kStationAveragedColumns.size(); ++i)
            group.sums[i] += TextToNumber(grid.cell(kStationAveragedColumns[i], r));
    }
    return groups;
}

void BuildStationRating(const TextTable& grid, TextTable& info) {
    info.setColumnCount(kStationColumns);
    info.setRowCount(2);
    info.clearCells();
    for (int c = 0; c < kStationColumns; ++c)
        info.setCell(c, 0, kStationColumnInfo[c].header);

    const int n = RecordCount(grid);

    const std::vector<StationGroup> groups = GroupStations(grid, n - 1);

    std::array<double, 4> totals{};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const StationGroup& group = groups[g];
        // Values are finite, so a sum is either finite or has overflowed to infinity.
        for (double sum : group.sums)
            CheckedResult(sum);
        const int row = static_cast<int>(g) + 1;
        info.appendRow();
        info.setCell(0, row, IntegerToText(row));
        info.setCell(1, row, group.key);
        info.setCell(2, row, IntegerToText(group.count));
        WriteAverages(info, row, group.sums, group.count);
        for (std::size_t i = 0; i < totals.size(); ++i)
            totals[i] = Add(totals[i], group.sums[i]);
    }

    // Every participating record weighs the same here, not every group.
    const int row = static_cast<int>(groups.size()) + 1;
    info.appendRow();
    info.setCell(1, row, "Durchschnitt");
    info.setCell(2, row, IntegerToText(n - 1));
    WriteAverages(info, row, totals, n - 1);
}

} // namespace spritlog
