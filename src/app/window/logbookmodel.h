#pragma once

#include "app/window/texttablemodel.h"

#include "document/cells.h"
#include "document/documentlistener.h"
#include "document/logbookdocument.h"

#include <QColor>

namespace spritlog {

// The model of p_Grid over the table of the window's logbook: the input columns are
// editable in place, the derived columns 5..8 are not. An edit goes to the document, which
// keeps it for undo; the model follows the document's announcements alone. A cell whose
// text CheckCell finds a problem in is shown red with the problem as its tooltip, and the
// model keeps count of those cells. While consumption runs from full tank to full tank, the
// Liter cell of a partial fill-up, and of a record after a missed one, is in italics with a
// tooltip that says why its Verbrauch is what it is; a problem's tooltip comes first. The
// quantity, price and consumption cells of a record of kilograms, kilowatt-hours or AdBlue
// add its unit to their tooltip (UnitTip), which follows the grade as it is typed.
class LogbookModel : public TextTableModel, private DocumentListener {
    Q_OBJECT

public:
    explicit LogbookModel(LogbookDocument& document, QObject* parent = nullptr);
    ~LogbookModel() override;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A text taken into Datum is completed to dd.mm.yyyy first (CompleteDate), in the same
    // step of the history as the edit.
    // KM-Stand takes a number written with thousands dots without them (CompleteWholeNumber).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // The row header shows the record number and, for a marked record, "T" (partial
    // fill-up) or "F" (missed fill-up before it), with the meaning as tool tip and as the
    // text a screen reader reads.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    LogbookDocument& document() const { return document_; }
    // The cells CheckCell finds a problem in.
    int invalidCells() const { return invalid_.count(); }
    // The status bar's note of the cells with a problem: "1 ungültige Zelle: Datensatz 3,
    // KM-Stand: ..." from the calculation, else the count of dates that are none; empty with
    // none.
    QString invalidCellsNote() const;

    // The document computes consumption another way now: the marks' look follows.
    void fullTankIntervalsChanged();

    // The red of a cell with a problem, made readable on the application's base colour (a
    // dark palette gives a lighter red).
    static QColor InvalidTextColour();

signals:
    // The number of cells with a problem, or the note about them, changed.
    void invalidCellsChanged(int count);

private:
    void tableAboutToBeReset() override;
    void tableReset() override;
    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) override;
    void recordsInserted(int firstRow, int lastRow) override;
    void recordsAboutToBeRemoved(int firstRow, int lastRow) override;
    void recordsRemoved(int firstRow, int lastRow) override;
    void headingsChanged() override;
    // The italics or tooltip of the Liter cell of a marked record in `row`.
    QVariant markLook(int row, int role) const;
    // Tells the new count when it differs from the one told last.
    void reportInvalidCells();
    // The calculation's issue about the cell, nullptr when it has none.
    const CellIssue* issueAt(int row, int column) const;

    LogbookDocument& document_;
    InvalidCells invalid_;
    int reportedInvalid_ = 0;
    QString reportedNote_;
};

// The model of the station table p_Info; built anew with the table.
class StationTableModel : public TextTableModel, private DocumentListener {
    Q_OBJECT

public:
    explicit StationTableModel(LogbookDocument& document, QObject* parent = nullptr);
    ~StationTableModel() override;

private:
    void stationTableChanged() override;

    LogbookDocument& document_;
};

} // namespace spritlog
