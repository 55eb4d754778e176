// Logbooks for the tests, built one way: a record is the list of its cells in the order of
// the columns the test names (by default the input columns as the native file stores them).
#pragma once

#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

namespace spritlog::test {

using Columns = std::vector<int>;

// The input columns in the order the native file stores them.
inline const Columns kInputColumns = {ColDatum,      ColKmStand, ColLiter, ColLiterpreis, ColBenzin,
                                      ColTankstelle, ColOrt,     ColNote1, ColNote2,      ColNote3};

// Where each input cell stands in a record of kInputColumns.
enum Field : std::size_t {
    Datum,
    KmStand,
    Liter,
    Literpreis,
    Benzin,
    Tankstelle,
    Ort,
    Note1,
    Note2,
    Note3
};

// One record: its cells in the order of the columns the logbook is built with; a shorter
// record leaves the remaining columns empty.
using Record = std::vector<std::string>;

// A logbook with the usual header row whose records fill `columns`; every other cell of a
// record stays empty.
inline TextTable LogbookOf(const Columns& columns, const std::vector<Record>& records) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(static_cast<int>(records.size()) + 1);
    for (std::size_t r = 0; r < records.size(); ++r)
        for (std::size_t i = 0; i < records[r].size() && i < columns.size(); ++i)
            grid.setCell(columns[i], static_cast<int>(r) + 1, records[r][i]);
    return grid;
}

inline TextTable LogbookOf(const std::vector<Record>& records) {
    return LogbookOf(kInputColumns, records);
}

// As LogbookOf, with the cells a logbook holds beside the figures: record numbers, and in
// the free-text columns the records do not give a date in March 2026, grade, station, place
// and notes. A test about the figures sees from them whether the code under test leaves the
// rest alone.
inline TextTable EverydayLogbookOf(const Columns& columns, const std::vector<Record>& records) {
    TextTable grid = LogbookOf(columns, records);
    const int freeText[] = {ColDatum, ColBenzin, ColTankstelle, ColOrt,
                            ColNote1, ColNote2,  ColNote3};
    for (int row = 1; row < grid.rowCount(); ++row) {
        const std::string n = std::to_string(row);
        const std::string texts[] = {"0" + std::to_string(row % 9 + 1) + ".03.2026",
                                     "Super",
                                     "Aral",
                                     "K\xF6ln",
                                     "note1 " + n,
                                     "note2 " + n,
                                     "note3 " + n};
        grid.setCell(ColNumber, row, n + ".");
        for (std::size_t i = 0; i < std::size(freeText); ++i)
            if (std::find(columns.begin(), columns.end(), freeText[i]) == columns.end())
                grid.setCell(freeText[i], row, texts[i]);
    }
    return grid;
}

// Records whose every cell says where it is: "c<column>r<row>", record numbers in column 0.
inline TextTable MarkedLogbook(int records) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(records + 1);
    for (int row = 1; row <= records; ++row) {
        grid.setCell(ColNumber, row, std::to_string(row) + ".");
        for (int column = 1; column < kLogbookColumns; ++column)
            grid.setCell(column, row, "c" + std::to_string(column) + "r" + std::to_string(row));
    }
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
