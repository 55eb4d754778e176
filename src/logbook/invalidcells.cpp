#include "logbook/invalidcells.h"

#include "logbook/cellcheck.h"
#include "logbook/logbooktable.h"

#include <algorithm>

namespace spritlog {
namespace {

// The cells with a problem in a row's mask (bits 1 to 4).
int Bits(uint8_t mask) {
    static const int kBits[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    return kBits[(mask >> 1) & 0xF];
}

} // namespace

void InvalidCells::rescan(const TextTable& table) {
    rows_.assign(static_cast<std::size_t>(std::max(0, table.rowCount())), 0);
    count_ = 0;
    for (int row = 1; row < table.rowCount(); ++row)
        checkRow(table, row);
}

void InvalidCells::checkRow(const TextTable& table, int row) {
    uint8_t mask = 0;
    const int lastColumn = std::min<int>(ColLiterpreis, table.columnCount() - 1);
    for (int column = ColDatum; column <= lastColumn; ++column)
        if (CheckCell(column, table.cell(column, row)) != CellProblem::None)
            mask |= static_cast<uint8_t>(1u << column);
    uint8_t& known = rows_[static_cast<std::size_t>(row)];
    count_ += Bits(mask) - Bits(known);
    known = mask;
}

void InvalidCells::cellsChanged(const TextTable& table, int firstRow, int lastRow, int firstColumn,
                                int lastColumn) {
    if (lastColumn < ColDatum || firstColumn > ColLiterpreis)
        return;
    if (rows_.size() != static_cast<std::size_t>(std::max(0, table.rowCount()))) {
        rescan(table);
        return;
    }
    for (int row = std::max(1, firstRow); row <= lastRow && row < table.rowCount(); ++row)
        checkRow(table, row);
}

void InvalidCells::rowsInserted(const TextTable& table, int firstRow, int lastRow) {
    if (firstRow < 1 || lastRow < firstRow || rows_.size() != static_cast<std::size_t>(firstRow) ||
        lastRow + 1 != table.rowCount()) {
        rescan(table);
        return;
    }
    rows_.resize(static_cast<std::size_t>(table.rowCount()), 0);
    for (int row = firstRow; row <= lastRow; ++row)
        checkRow(table, row);
}

void InvalidCells::rowsRemoved(const TextTable& table, int firstRow, int lastRow) {
    const std::size_t removed = static_cast<std::size_t>(lastRow - firstRow + 1);
    if (firstRow < 1 || lastRow < firstRow || static_cast<std::size_t>(lastRow) >= rows_.size() ||
        rows_.size() - removed != static_cast<std::size_t>(std::max(0, table.rowCount()))) {
        rescan(table);
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row)
        count_ -= Bits(rows_[static_cast<std::size_t>(row)]);
    rows_.erase(rows_.begin() + firstRow, rows_.begin() + lastRow + 1);
}

} // namespace spritlog
