#pragma once

#include "app/window/texttablemodel.h"

#include "logbook/logbooktable.h"

namespace spritlog {

// The model of p_Grid over the window's logbook table: the input columns are editable in
// place, the derived columns 5..8 are not. The record commands run through it so the
// views follow every change of the table's shape.
class LogbookModel : public TextTableModel {
    Q_OBJECT

public:
    explicit LogbookModel(TextTable& grid, QObject* parent = nullptr);

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // "&Neuer Datensatz": appends an empty record and gives its table row.
    int appendRecord();
    // "Markierte Zeile Löschen": removes the record in table row `row`, if there is one.
    void deleteRecord(int row);
    // Where Enter moves the cursor from `from`; from "Ort" of the last record it appends
    // one first.
    EnterResult enter(CellPosition from);

private:
    TextTable& grid() { return grid_; }

    TextTable& grid_;
};

} // namespace spritlog
