#include "logbook/records.h"

#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

namespace spritlog {

namespace {

constexpr int kInputColumns[] = {ColDatum,      ColKmStand, ColLiter, ColLiterpreis, ColBenzin,
                                 ColTankstelle, ColOrt,     ColNote1, ColNote2,      ColNote3};

} // namespace

bool IsEmptyRecord(const TextTable& grid, int row) {
    for (int column : kInputColumns)
        if (!IsBlank(grid.cell(column, row)))
            return false;
    return true;
}

int NextRecordTakingPart(const TextTable& grid, int row) {
    const int n = RecordCount(grid);
    while (row <= n && IsEmptyRecord(grid, row))
        ++row;
    return row;
}

int RecordsTakingPart(const TextTable& grid) {
    int count = 0;
    ForEachRecordTakingPart(grid, [&count](int) { ++count; });
    return count;
}

} // namespace spritlog
