#include "texttable.h"

#include <cassert>
#include <stdexcept>

namespace spritlog {

TextTable::TextTable(int columns, int rows)
    : columns_(columns), rows_(rows),
      cells_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {}

void TextTable::setColumnCount(int columns) {
    if (columns == columns_)
        return;
    std::vector<std::string> cells(static_cast<std::size_t>(columns) *
                                   static_cast<std::size_t>(rows_));
    const int keep = columns < columns_ ? columns : columns_;
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < keep; ++c)
            cells[static_cast<std::size_t>(r) * columns + c] = std::move(at(c, r));
    cells_ = std::move(cells);
    columns_ = columns;
}

void TextTable::setRowCount(int rows) {
    if (rows < 0)
        rows = 0;
    cells_.resize(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows));
    rows_ = rows;
}

void TextTable::appendRow() { setRowCount(rows_ + 1); }

std::string_view TextTable::cell(int column, int row) const { return at(column, row); }

void TextTable::setCell(int column, int row, std::string_view text) {
    // Copy first: `text` may point into this table.
    std::string copy(text);
    at(column, row) = std::move(copy);
}

void TextTable::copyRow(int from, int to, int firstColumn, int lastColumn) {
    for (int c = firstColumn; c <= lastColumn; ++c)
        at(c, to) = at(c, from);
}

void TextTable::clearCells() {
    for (auto& text : cells_)
        std::string().swap(text);
}

std::string& TextTable::at(int column, int row) {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
        throw std::out_of_range("cell outside the table");
    return cells_[static_cast<std::size_t>(row) * columns_ + column];
}

const std::string& TextTable::at(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
        throw std::out_of_range("cell outside the table");
    return cells_[static_cast<std::size_t>(row) * columns_ + column];
}

} // namespace spritlog
