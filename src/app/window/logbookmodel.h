#pragma once

#include "app/window/texttablemodel.h"

#include "document/documentlistener.h"
#include "document/logbookdocument.h"

namespace spritlog {

// The model of p_Grid over the table of the window's logbook: the input columns are
// editable in place, the derived columns 5..8 are not. An edit goes to the document, which
// keeps it for undo; the model follows the document's announcements alone.
class LogbookModel : public TextTableModel, private DocumentListener {
    Q_OBJECT

public:
    explicit LogbookModel(LogbookDocument& document, QObject* parent = nullptr);
    ~LogbookModel() override;

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    LogbookDocument& document() const { return document_; }

private:
    void tableAboutToBeReset() override;
    void tableReset() override;
    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) override;
    void recordsInserted(int firstRow, int lastRow) override;
    void recordsAboutToBeRemoved(int firstRow, int lastRow) override;
    void recordsRemoved(int firstRow, int lastRow) override;
    void headingsChanged() override;

    LogbookDocument& document_;
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
