#include "app/window/logbookmodel.h"

#include "platform/celltext.h"

namespace spritlog {

LogbookModel::LogbookModel(TextTable& grid, QObject* parent)
    : TextTableModel(grid, parent), grid_(grid) {}

Qt::ItemFlags LogbookModel::flags(const QModelIndex& index) const {
    if (!holds(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (ColumnAcceptsTyping(TableColumn(index)))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool LogbookModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !holds(index) || !ColumnAcceptsTyping(TableColumn(index)))
        return false;
    grid().setCell(TableColumn(index), TableRow(index), QStringToCell(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

int LogbookModel::appendRecord() {
    const int row = AppendRecord(grid());
    announceAppendedRows();
    return row;
}

void LogbookModel::deleteRecord(int row) {
    if (row < 1 || row > RecordCount(grid()) || row > rows_)
        return;
    beginRemoveRows(QModelIndex(), row - 1, row - 1);
    DeleteRecord(grid(), row);
    --rows_;
    endRemoveRows();
}

EnterResult LogbookModel::enter(CellPosition from) {
    const EnterResult result = CursorAfterEnter(grid(), from);
    announceAppendedRows();
    return result;
}

} // namespace spritlog
