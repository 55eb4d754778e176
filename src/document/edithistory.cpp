#include "document/edithistory.h"

#include <algorithm>

namespace spritlog {

TableSnapshot::TableSnapshot(const TextTable& table, const TableRegion& region)
    : columns_(table.columnCount()), rows_(table.rowCount()),
      firstRow_(std::max(0, region.firstRow)), firstColumn_(std::max(0, region.firstColumn)) {
    const int lastRow = std::min(region.lastRow, rows_ - 1);
    const int lastColumn = std::min(region.lastColumn, columns_ - 1);
    height_ = std::max(0, lastRow - firstRow_ + 1);
    width_ = std::max(0, lastColumn - firstColumn_ + 1);
    cells_.reserve(static_cast<std::size_t>(height_) * static_cast<std::size_t>(width_));
    for (int row = firstRow_; row <= lastRow; ++row)
        for (int column = firstColumn_; column <= lastColumn; ++column)
            cells_.emplace_back(table.cell(column, row));
}

void TableSnapshot::restore(TextTable& table) const {
    if (table.columnCount() != columns_)
        table.setColumnCount(columns_);
    if (table.rowCount() != rows_)
        table.setRowCount(rows_);
    auto cell = cells_.begin();
    for (int row = firstRow_; row < firstRow_ + height_; ++row)
        for (int column = firstColumn_; column < firstColumn_ + width_; ++column)
            table.setCell(column, row, *cell++);
}

CellPosition TableSnapshot::firstDifference(const TableSnapshot& other) const {
    if (width_ == 0 || width_ != other.width_)
        return {firstColumn_, firstRow_};
    // Past the cells both hold, the first row only one of them has.
    const std::size_t shared = std::min(cells_.size(), other.cells_.size());
    std::size_t i = 0;
    while (i < shared && cells_[i] == other.cells_[i])
        ++i;
    const int offset = static_cast<int>(i);
    return {firstColumn_ + offset % width_, firstRow_ + offset / width_};
}

bool TableSnapshot::operator==(const TableSnapshot& other) const {
    return columns_ == other.columns_ && rows_ == other.rows_ && firstRow_ == other.firstRow_ &&
           firstColumn_ == other.firstColumn_ && width_ == other.width_ &&
           height_ == other.height_ && cells_ == other.cells_;
}

void EditHistory::push(TableChange change) {
    if (clean_ > static_cast<std::ptrdiff_t>(done_))
        clean_ = -1;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back(std::move(change));
    ++done_;
}

CellPosition EditHistory::undo(TextTable& table) {
    const TableChange& step = steps_[--done_];
    step.before.restore(table);
    return step.cursor;
}

CellPosition EditHistory::redo(TextTable& table) {
    const TableChange& step = steps_[done_++];
    step.after.restore(table);
    return step.cursor;
}

void EditHistory::clear() {
    steps_.clear();
    done_ = 0;
    clean_ = 0;
}

} // namespace spritlog
