#pragma once

#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

#include <string>
#include <vector>

namespace spritlog::test {

// The input columns in the order the native file stores them.
inline constexpr int kInputColumns[10] = {1, 2, 3, 4, 9, 10, 11, 12, 13, 14};

// One record as the file holds it: the ten input cells in file order.
using Record = std::vector<std::string>;

inline TextTable LogbookOf(const std::vector<Record>& records) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(static_cast<int>(records.size()) + 1);
    for (std::size_t r = 0; r < records.size(); ++r)
        for (std::size_t i = 0; i < records[r].size(); ++i)
            grid.setCell(kInputColumns[i], static_cast<int>(r) + 1, records[r][i]);
    return grid;
}

// Every cell of rows 1..records holds "old"; the headers are the usual ones.
inline TextTable OldLogbook(int records) {
    TextTable grid = NewLogbookTable();
    grid.setCell(ColNote1, 0, "Fahrer");
    grid.setRowCount(records + 1);
    for (int row = 1; row <= records; ++row)
        for (int column = 0; column < kLogbookColumns; ++column)
            grid.setCell(column, row, "old");
    return grid;
}

inline std::vector<std::string> AllCells(const TextTable& grid) {
    std::vector<std::string> cells;
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < grid.columnCount(); ++column)
            cells.emplace_back(grid.cell(column, row));
    return cells;
}

} // namespace spritlog::test
