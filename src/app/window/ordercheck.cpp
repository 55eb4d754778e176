#include "app/window/ordercheck.h"

#include "app/window/prompts.h"

#include "document/cells.h"
#include "logbook/logbooktable.h"

#include <QTimer>

#include <exception>

namespace spritlog {
namespace {

void Sort(LogbookDocument& document, const CursorHooks& hooks) {
    const auto cursor = hooks.cursorCell ? hooks.cursorCell() : std::nullopt;
    std::exception_ptr calculation;
    const CellPosition moved =
        document.sortByDate(cursor.value_or(CellPosition{ColDatum, 1}), calculation);
    if (cursor && hooks.setCursorCell)
        hooks.setCursorCell(moved);
    if (calculation)
        std::rethrow_exception(calculation);
}

} // namespace

bool OfferSortByDate(LogbookDocument& document, Prompts& prompts, QWidget* parent,
                     const CursorHooks& hooks) {
    if (FirstOdometerDrop(document.table()) == 0)
        return false;
    if (!prompts.askYesNoDefaultNo(
            parent, QStringLiteral("KM-Stand kleiner als im Datensatz davor: sortieren?")))
        return false;
    Sort(document, hooks);
    return true;
}

OrderCheck::OrderCheck(LogbookDocument& document, Prompts& prompts, QWidget* parent,
                       CursorHooks hooks)
    : document_(document), prompts_(prompts), parent_(parent), hooks_(std::move(hooks)) {
    document_.addListener(this);
}

OrderCheck::~OrderCheck() {
    document_.removeListener(this);
}

void OrderCheck::m_NachDatumSortierenClick() {
    Sort(document_, hooks_);
}

void OrderCheck::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    // A typed reading changes one cell; the calculation writes only the derived columns.
    if (asking_ || firstRow != lastRow || firstColumn != ColKmStand || lastColumn != ColKmStand ||
        !OdometerDropAround(document_.table(), firstRow))
        return;
    // Asked once the editor has closed and the table shows the new reading.
    asking_ = true;
    QTimer::singleShot(0, this, [this] {
        asking_ = false;
        const auto ask = [this] { (void)OfferSortByDate(document_, prompts_, parent_, hooks_); };
        if (hooks_.runCommand)
            hooks_.runCommand(ask);
        else
            ask();
    });
}

} // namespace spritlog
