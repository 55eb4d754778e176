#pragma once

#include "logbook/texttable.h"

#include <QAbstractTableModel>

namespace spritlog {

// Shows a text table whose row 0 is the header row: model row i is table row i + 1. Column
// 0 holds the row headers (model column j is table column j + 1), or, for a table whose
// first column has a heading of its own, is a column like the others (model column j is
// table column j). Read only; the table belongs to the document, which tells the model
// after every change through the methods below. The model never caches cell texts, only
// the shape it last announced, so it stays consistent while it catches up.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class ColumnZero { RowHeaders, Cells };

    explicit TextTableModel(const TextTable& table, QObject* parent = nullptr);
    TextTableModel(const TextTable& table, ColumnZero columnZero, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const TextTable& table() const { return table_; }

    // Table coordinates of a model index of a TextTableModel and back.
    static int TableColumn(const QModelIndex& index);
    static int TableRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex cellIndex(int tableColumn, int tableRow) const;

    // The table may have any shape and any cells now.
    void tableReset();
    // The same in two halves, around a change of the table.
    void beginReset();
    void endReset();
    // Cells of table rows first..last, columns first..last were written. A table whose shape
    // the views do not know yet is announced as a reset.
    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn);
    // Table rows first..last were added at the end.
    void rowsInserted(int firstRow, int lastRow);
    // Table rows first..last go (before the change) and have gone (after it); the rows
    // after them moved up.
    void beginRemove(int firstRow, int lastRow);
    void endRemove(int firstRow, int lastRow);
    // Row 0 or column 0 was written.
    void headersChanged();

protected:
    const TextTable& table_;
    // The table column that model column 0 shows.
    const int columnOffset_;
    // The shape the views know; catches up with the table through the notifications.
    int rows_ = 0;
    int columns_ = 0;
    bool resetting_ = false;
    bool removing_ = false;

    bool holds(const QModelIndex& index) const;
    bool knowsShape() const;
};

} // namespace spritlog
