#pragma once

#include "logbook/texttable.h"

#include <cstdint>
#include <vector>

namespace spritlog {

// How many cells of a logbook table CheckCell finds a problem in, kept up to date from the
// changes of the table: a changed row is checked again, not the whole table. Rows are table
// rows (row 0, the headings, is never counted). A change that does not fit the rows known so
// far (the table changed shape unannounced) checks the whole table again.
class InvalidCells {
public:
    int count() const { return count_; }

    // Checks every record of `table`.
    void rescan(const TextTable& table);
    // Cells of rows first..last, columns first..last were written.
    void cellsChanged(const TextTable& table, int firstRow, int lastRow, int firstColumn,
                      int lastColumn);
    // Rows first..last were added at the end of `table`.
    void rowsInserted(const TextTable& table, int firstRow, int lastRow);
    // Rows first..last were removed from `table`; the ones after them moved up.
    void rowsRemoved(const TextTable& table, int firstRow, int lastRow);

private:
    void checkRow(const TextTable& table, int row);

    // Per table row, one bit for each checked column with a problem.
    std::vector<uint8_t> rows_;
    int count_ = 0;
};

} // namespace spritlog
