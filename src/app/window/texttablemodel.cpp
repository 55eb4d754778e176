#include "app/window/texttablemodel.h"

#include "platform/celltext.h"

#include <algorithm>

namespace spritlog {
namespace {

int ModelRows(const TextTable& table) {
    return std::max(0, table.rowCount() - 1);
}

int ModelColumns(const TextTable& table, int columnOffset) {
    return std::max(0, table.columnCount() - columnOffset);
}

} // namespace

TextTableModel::TextTableModel(const TextTable& table, QObject* parent)
    : TextTableModel(table, ColumnZero::RowHeaders, parent) {}

TextTableModel::TextTableModel(const TextTable& table, ColumnZero columnZero, QObject* parent)
    : QAbstractTableModel(parent), table_(table),
      columnOffset_(columnZero == ColumnZero::RowHeaders ? 1 : 0), rows_(ModelRows(table)),
      columns_(ModelColumns(table, columnOffset_)) {}

int TextTableModel::TableColumn(const QModelIndex& index) {
    // The index knows its model, so callers need not know how that model lays out column 0.
    const auto* model = qobject_cast<const TextTableModel*>(index.model());
    return index.column() + (model ? model->columnOffset_ : 1);
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

bool TextTableModel::holds(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rows_ &&
           index.column() < columns_ && TableRow(index) < table_.rowCount() &&
           index.column() + columnOffset_ < table_.columnCount();
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!holds(index) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return CellToQString(table_.cell(index.column() + columnOffset_, TableRow(index)));
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return QVariant();
    if (orientation == Qt::Horizontal) {
        const int column = section + columnOffset_;
        if (section >= columns_ || column >= table_.columnCount() || table_.rowCount() < 1)
            return QVariant();
        return CellToQString(table_.cell(column, 0));
    }
    if (columnOffset_ == 0 || section >= rows_ || section + 1 >= table_.rowCount() ||
        table_.columnCount() < 1)
        return QVariant();
    return CellToQString(table_.cell(0, section + 1));
}

QModelIndex TextTableModel::cellIndex(int tableColumn, int tableRow) const {
    return index(tableRow - 1, tableColumn - columnOffset_);
}

bool TextTableModel::knowsShape() const {
    return rows_ == ModelRows(table_) && columns_ == ModelColumns(table_, columnOffset_);
}

void TextTableModel::tableReset() {
    beginReset();
    endReset();
}

void TextTableModel::beginReset() {
    if (resetting_)
        return;
    resetting_ = true;
    beginResetModel();
}

void TextTableModel::endReset() {
    rows_ = ModelRows(table_);
    columns_ = ModelColumns(table_, columnOffset_);
    if (!resetting_)
        beginResetModel();
    resetting_ = false;
    endResetModel();
}

void TextTableModel::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    if (resetting_ || removing_)
        return;
    if (!knowsShape()) {
        tableReset();
        return;
    }
    if (rows_ <= 0 || columns_ <= 0)
        return;
    const int top = std::clamp(firstRow - 1, 0, rows_ - 1);
    const int bottom = std::clamp(lastRow - 1, top, rows_ - 1);
    const int left = std::clamp(firstColumn - columnOffset_, 0, columns_ - 1);
    const int right = std::clamp(lastColumn - columnOffset_, left, columns_ - 1);
    emit dataChanged(index(top, left), index(bottom, right));
}

void TextTableModel::rowsInserted(int firstRow, int lastRow) {
    if (resetting_)
        return;
    const int count = lastRow - firstRow + 1;
    if (count <= 0 || firstRow - 1 != rows_ || rows_ + count != ModelRows(table_) ||
        columns_ != ModelColumns(table_, columnOffset_)) {
        tableReset();
        return;
    }
    beginInsertRows(QModelIndex(), firstRow - 1, lastRow - 1);
    rows_ += count;
    endInsertRows();
}

void TextTableModel::beginRemove(int firstRow, int lastRow) {
    if (resetting_ || removing_ || !knowsShape() || firstRow < 1 || lastRow < firstRow ||
        lastRow > rows_)
        return;
    removing_ = true;
    beginRemoveRows(QModelIndex(), firstRow - 1, lastRow - 1);
}

void TextTableModel::endRemove(int firstRow, int lastRow) {
    if (resetting_)
        return;
    if (!removing_) {
        tableReset();
        return;
    }
    removing_ = false;
    rows_ -= lastRow - firstRow + 1;
    endRemoveRows();
    // A removal that did not go as announced.
    if (!knowsShape())
        tableReset();
}

void TextTableModel::headersChanged() {
    if (columns_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    if (rows_ > 0)
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

} // namespace spritlog
