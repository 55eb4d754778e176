#pragma once

namespace spritlog {

// What a view of the open logbook hears from the document. Every change of the logbook goes
// through LogbookDocument, which tells each listener after the change is made, also when
// the change stopped halfway with an error: the cells written so far stay written. A reset
// and a removal are also announced before they happen, as a Qt model must announce them.
// Rows are table rows (row 0 is the heading row), columns table columns. A listener may
// read the document while it is told, and but must not change the
// logbook.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;

    // The table may have any shape and any cells after this: load, "Neu", undo, redo,
    // import. Between the two the document announces nothing else.
    virtual void tableAboutToBeReset() {}
    virtual void tableReset() {}
    // Cells of rows first..last, columns first..last were written; the shape is the same.
    virtual void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
        (void)firstRow, (void)lastRow, (void)firstColumn, (void)lastColumn;
    }
    // Records were added at rows first..last, always at the end of the table.
    virtual void recordsInserted(int firstRow, int lastRow) { (void)firstRow, (void)lastRow; }
    // The records at rows first..last go; after the second call the ones after them have
    // moved up.
    virtual void recordsAboutToBeRemoved(int firstRow, int lastRow) {
        (void)firstRow, (void)lastRow;
    }
    virtual void recordsRemoved(int firstRow, int lastRow) { (void)firstRow, (void)lastRow; }
    // Row 0 (the column headings) or column 0 (the record numbers) was written.
    virtual void headingsChanged() {}
    // The station table was built anew.
    virtual void stationTableChanged() {}
    // isModified, canUndo or canRedo may have changed.
    virtual void modifiedChanged() {}
    // The current name changed.
    virtual void fileNameChanged() {}
};

} // namespace spritlog
