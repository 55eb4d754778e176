// The commands that work on the logbook table.
#include "app/window/mainwindow.h"

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"

#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QLabel>

#include <algorithm>

namespace spritlog {

void TFmain::UpdateStatusBar() {
    const StatusTexts texts = document_.updateStatus();
    gridModel_->headersChanged();
    statusPanels[0]->setText(CellToQString(texts.records));
    statusPanels[1]->setText(CellToQString(texts.file));
}

void TFmain::m_NeuClick() {
    gridModel_->resetWith([this] { document_.clear(); });
    p_Grid->setCursorCell({ColDatum, 1});
    UpdateStatusBar();
}

void TFmain::m_NeuerDatensatzClick() {
    const int row = gridModel_->appendRecord();
    UpdateStatusBar();
    p_Grid->setCursorCell({ColDatum, row});
}

void TFmain::b_datumClick() {
    const auto cursor = p_Grid->cursorCell();
    if (!cursor)
        return;
    InsertDate(document_.table(), cursor->row, services_.clock());
    gridModel_->cellChanged(ColDatum, cursor->row);
}

void TFmain::m_DelZeileClick() {
    const auto cursor = p_Grid->cursorCell();
    if (!cursor)
        return;
    gridModel_->deleteRecord(cursor->row);
    UpdateStatusBar();
    // The view would take the cursor up to the record before; it stays on the row, now the
    // next record's, so that deleting again removes the neighbour.
    if (RecordCount() > 0)
        p_Grid->setCursorCell({cursor->column, std::min(cursor->row, RecordCount())});
}

void TFmain::m_WerteBerechnenClick() {
    CalculateValues();
}

void TFmain::CalculateValues() {
    gridModel_->changeColumns(ColKm, ColTankkosten, [this] { document_.calculate(); });
}

} // namespace spritlog
