#include "app/window/logbookmodel.h"

#include "platform/celltext.h"

namespace spritlog {

LogbookModel::LogbookModel(LogbookDocument& document, QObject* parent)
    : TextTableModel(document.table(), parent), document_(document) {}

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
    document_.editCell({TableColumn(index), TableRow(index)}, QStringToCell(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

int LogbookModel::appendRecord() {
    const int row = document_.appendRecord();
    announceAppendedRows();
    return row;
}

void LogbookModel::deleteRecord(int row, int column) {
    if (row < 1 || row > document_.recordCount() || row > rows_)
        return;
    beginRemoveRows(QModelIndex(), row - 1, row - 1);
    document_.deleteRecord({column, row});
    --rows_;
    endRemoveRows();
}

EnterResult LogbookModel::enter(CellPosition from) {
    const EnterResult result = document_.enter(from);
    announceAppendedRows();
    return result;
}

} // namespace spritlog
