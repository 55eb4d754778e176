#pragma once

#include "logbook/texttable.h"

#include <QAbstractTableModel>

#include <functional>

namespace spritlog {

// Shows a text table whose row 0 is the header row: model row i is table row i + 1. Column
// 0 holds the row headers (model column j is table column j + 1), or, for a table whose
// first column has a heading of its own, is a column like the others (model column j is
// table column j). Read only; the table belongs to the document and is changed through the
// methods below so the views hear about every change. The model never caches cell texts,
// only the shape it last announced.
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

    // Runs `change`, which may reshape the table, as a model reset; the views are told
    // also when it throws, since the cells it changed so far stay changed.
    void resetWith(const std::function<void()>& change);
    // Runs `change`, which writes cells of table columns first..last in any record row
    // without reshaping the table, and tells the views.
    void changeColumns(int firstColumn, int lastColumn, const std::function<void()>& change);
    // One cell was written.
    void cellChanged(int tableColumn, int tableRow);
    // Row 0 or column 0 was written.
    void headersChanged();

protected:
    const TextTable& table_;
    // The table column that model column 0 shows.
    const int columnOffset_;
    // The shape the views know; catches up with the table through the notifications.
    int rows_ = 0;
    int columns_ = 0;

    bool holds(const QModelIndex& index) const;
    // Announces rows the table gained at its end.
    void announceAppendedRows();
};

} // namespace spritlog
