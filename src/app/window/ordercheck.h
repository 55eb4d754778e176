#pragma once

#include "document/documentlistener.h"
#include "document/logbookdocument.h"

#include <QObject>

#include <functional>
#include <optional>

class QWidget;

namespace spritlog {

class Prompts;

// The cursor of the table, and moving it; how a command runs through the error display.
struct CursorHooks {
    std::function<std::optional<CellPosition>()> cursorCell;
    std::function<void(CellPosition)> setCursorCell;
    std::function<bool(const std::function<void()>&)> runCommand;
};

// When the logbook has a record whose KM-Stand is lower than the one before, asks "KM-Stand
// kleiner als im Datensatz davor: sortieren?" (default Nein) and on Ja sorts it by date, the
// cursor following its record. True when it sorted. A failing calculation after the sort
// is thrown.
bool OfferSortByDate(LogbookDocument& document, Prompts& prompts, QWidget* parent,
                     const CursorHooks& hooks);

// "Bearbeiten > Nach Datum sortieren", and the question after a typed KM-Stand that is lower
// than the one before it (or higher than the one after it): a receipt typed in late.
class OrderCheck : public QObject, private DocumentListener {
    Q_OBJECT

public:
    OrderCheck(LogbookDocument& document, Prompts& prompts, QWidget* parent, CursorHooks hooks);
    ~OrderCheck() override;
    OrderCheck(const OrderCheck&) = delete;
    OrderCheck& operator=(const OrderCheck&) = delete;

    // Sorts as one step of the history; the cursor follows its record.
    void m_NachDatumSortierenClick();

private:
    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) override;

    LogbookDocument& document_;
    Prompts& prompts_;
    QWidget* parent_;
    CursorHooks hooks_;
    bool asking_ = false; // a question is on its way
};

} // namespace spritlog
