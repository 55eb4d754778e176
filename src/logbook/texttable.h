#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// A grid of text cells addressed as (column, row), like the logbook table on screen.
// Cells hold Windows-1252 bytes exactly as typed or loaded. Row 0 is the header row.
class TextTable {
public:
    explicit TextTable(int columns = 0, int rows = 0);

    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }

    // Keeps the cells that still fit; new cells are empty.
    void setColumnCount(int columns);
    void setRowCount(int rows);
    // Appends one empty row.
    void appendRow();
    // Removes every row from `rows` on, keeping the ones above.
    void truncateRows(int rows) { setRowCount(rows); }

    // The view stays valid until the table is next changed.
    std::string_view cell(int column, int row) const;
    void setCell(int column, int row, std::string_view text);
    // Copies the cells of columns [firstColumn, lastColumn] of row `from` into row `to`.
    void copyRow(int from, int to, int firstColumn, int lastColumn);
    // Empties every cell, keeping the shape.
    void clearCells();

private:
    std::string& at(int column, int row);
    const std::string& at(int column, int row) const;

    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::string> cells_; // row-major
};

} // namespace spritlog
