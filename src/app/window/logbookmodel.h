#pragma once

#include "app/window/texttablemodel.h"

#include "document/logbookdocument.h"
#include "logbook/logbooktable.h"

namespace spritlog {

// The model of p_Grid over the table of the window's logbook: the input columns are
// editable in place, the derived columns 5..8 are not. Edits and the record commands go
// through the document, which keeps them for undo, and through this model, so the views
// follow every change of the table's shape.
class LogbookModel : public TextTableModel {
    Q_OBJECT

public:
    explicit LogbookModel(LogbookDocument& document, QObject* parent = nullptr);

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // "&Neuer Datensatz": appends an empty record and gives its table row.
    int appendRecord();
    // "Markierte Zeile Löschen": removes the record in table row `row`, if there is one;
    // undone, the cursor goes back to `column` of that row.
    void deleteRecord(int row, int column = ColDatum);
    // Where Enter moves the cursor from `from`; from "Ort" of the last record it appends
    // one first.
    EnterResult enter(CellPosition from);

private:
    LogbookDocument& document_;
};

} // namespace spritlog
