#pragma once

#include "logbook/logbooktable.h"
#include "logbook/texttable.h"

#include <climits>
#include <cstddef>
#include <string>
#include <vector>

namespace spritlog {

// A block of the table's cells, from `firstRow` and `firstColumn` on. A change that adds or
// removes rows (or columns) takes its block to the end of the table, so that putting the
// block back also gives the table its old shape.
struct TableRegion {
    static constexpr int kToEnd = INT_MAX;
    int firstRow = 1;
    int lastRow = kToEnd; // inclusive
    int firstColumn = 0;
    int lastColumn = kToEnd; // inclusive

    static TableRegion Cell(CellPosition cell) {
        return {cell.row, cell.row, cell.column, cell.column};
    }
    // Every column of the records from `row` to the end.
    static TableRegion RecordsFrom(int row) { return {row, kToEnd, 0, kToEnd}; }
};

// The cells of a region and the shape of the table around them.
class TableSnapshot {
public:
    TableSnapshot(const TextTable& table, const TableRegion& region);

    // Gives the table the shape it had and writes the cells back.
    void restore(TextTable& table) const;
    // The first cell, row by row, where two snapshots of the same region differ; the
    // region's first cell when only the shape differs.
    CellPosition firstDifference(const TableSnapshot& other) const;

    bool operator==(const TableSnapshot& other) const;

    // The shape of the table and the region's cells, as table rows and columns.
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    int firstRow() const { return firstRow_; }
    int lastRow() const { return firstRow_ + height_ - 1; }
    int firstColumn() const { return firstColumn_; }
    int lastColumn() const { return firstColumn_ + width_ - 1; }
    bool operator!=(const TableSnapshot& other) const { return !(*this == other); }

private:
    int columns_ = 0;
    int rows_ = 0;
    int firstRow_ = 0;
    int firstColumn_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::string> cells_; // row by row
};

// One step of the history: the region before and after, and the cell the cursor goes to
// when the step is undone or redone.
struct TableChange {
    TableSnapshot before;
    TableSnapshot after;
    CellPosition cursor;
};

// The undo history of a table: the steps in order, how many of them are done, and which
// of those counts marks the state last saved (as QUndoStack keeps its clean index).
class EditHistory {
public:
    // Forgets the steps that were undone; when the saved state was among them it can no
    // longer be reached.
    void push(TableChange change);
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // Puts the table back as it was before the last step done (after the next one undone)
    // and gives that step's cursor. Only when canUndo (canRedo).
    CellPosition undo(TextTable& table);
    CellPosition redo(TextTable& table);
    // The step undo (redo) would take back (do again). Only when canUndo (canRedo).
    const TableChange& stepToUndo() const { return steps_[done_ - 1]; }
    const TableChange& stepToRedo() const { return steps_[done_]; }

    // No steps; the state at hand counts as saved.
    void clear();
    // The state at hand is the saved one.
    void setClean() { clean_ = static_cast<std::ptrdiff_t>(done_); }
    bool isClean() const { return clean_ == static_cast<std::ptrdiff_t>(done_); }

    std::size_t count() const { return steps_.size(); }
    std::size_t index() const { return done_; }

private:
    std::vector<TableChange> steps_;
    std::size_t done_ = 0;
    std::ptrdiff_t clean_ = 0; // -1 when the saved state is gone
};

} // namespace spritlog
