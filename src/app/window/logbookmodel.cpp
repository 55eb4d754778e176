#include "app/window/logbookmodel.h"

#include "platform/celltext.h"

namespace spritlog {

LogbookModel::LogbookModel(LogbookDocument& document, QObject* parent)
    : TextTableModel(document.table(), parent), document_(document) {
    document_.addListener(this);
}

LogbookModel::~LogbookModel() {
    document_.removeListener(this);
}

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
    return true;
}

void LogbookModel::tableAboutToBeReset() {
    beginReset();
}

void LogbookModel::tableReset() {
    endReset();
}

void LogbookModel::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    TextTableModel::cellsChanged(firstRow, lastRow, firstColumn, lastColumn);
}

void LogbookModel::recordsInserted(int firstRow, int lastRow) {
    rowsInserted(firstRow, lastRow);
}

void LogbookModel::recordsAboutToBeRemoved(int firstRow, int lastRow) {
    beginRemove(firstRow, lastRow);
}

void LogbookModel::recordsRemoved(int firstRow, int lastRow) {
    endRemove(firstRow, lastRow);
}

void LogbookModel::headingsChanged() {
    headersChanged();
}

StationTableModel::StationTableModel(LogbookDocument& document, QObject* parent)
    : TextTableModel(document.stationTable(), ColumnZero::Cells, parent), document_(document) {
    document_.addListener(this);
}

StationTableModel::~StationTableModel() {
    document_.removeListener(this);
}

void StationTableModel::stationTableChanged() {
    TextTableModel::tableReset();
}

} // namespace spritlog
