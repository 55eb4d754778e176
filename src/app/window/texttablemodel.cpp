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

// Runs `after` when leaving the scope, also by an exception.
template <typename F> class Finally {
public:
    explicit Finally(F f) : f_(std::move(f)) {}
    ~Finally() { f_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F f_;
};

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

void TextTableModel::resetWith(const std::function<void()>& change) {
    beginResetModel();
    Finally end([this] {
        rows_ = ModelRows(table_);
        columns_ = ModelColumns(table_, columnOffset_);
        endResetModel();
    });
    change();
}

void TextTableModel::changeColumns(int firstColumn, int lastColumn,
                                   const std::function<void()>& change) {
    Finally tell([this, firstColumn, lastColumn] {
        announceAppendedRows();
        if (rows_ > 0 && columns_ > 0) {
            const int first = std::clamp(firstColumn - columnOffset_, 0, columns_ - 1);
            const int last = std::clamp(lastColumn - columnOffset_, 0, columns_ - 1);
            emit dataChanged(index(0, first), index(rows_ - 1, last));
        }
    });
    change();
}

void TextTableModel::cellChanged(int tableColumn, int tableRow) {
    const QModelIndex changed = cellIndex(tableColumn, tableRow);
    if (changed.isValid())
        emit dataChanged(changed, changed);
}

void TextTableModel::headersChanged() {
    if (columns_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    if (rows_ > 0)
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

void TextTableModel::announceAppendedRows() {
    const int rows = ModelRows(table_);
    if (rows <= rows_)
        return;
    beginInsertRows(QModelIndex(), rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
}

} // namespace spritlog
