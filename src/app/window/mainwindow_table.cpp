// The commands that work on the logbook table.
#include "app/window/mainwindow.h"

#include "app/window/gridview.h"

#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QAction>
#include <QLabel>

#include <algorithm>

namespace spritlog {

void TFmain::UpdateStatusBar() {
    const StatusTexts texts = document_.updateStatus();
    statusPanels[0]->setText(CellToQString(texts.records));
    statusPanels[1]->setText(CellToQString(texts.file));
}

void TFmain::m_NeuerDatensatzClick() {
    const int row = document_.appendRecord();
    p_Grid->setCursorCell({ColDatum, row});
}

void TFmain::b_datumClick() {
    const auto cursor = p_Grid->cursorCell();
    if (!cursor)
        return;
    document_.insertDate(cursor->row, services_.clock());
}

void TFmain::m_DelZeileClick() {
    const auto cursor = p_Grid->cursorCell();
    if (!cursor)
        return;
    // What was typed so far is safe before the record goes.
    recovery_->writeNow();
    document_.deleteRecord(*cursor);
    // The view would take the cursor up to the record before; it stays on the row, now the
    // next record's, so that deleting again removes the neighbour.
    if (RecordCount() > 0)
        p_Grid->setCursorCell({cursor->column, std::min(cursor->row, RecordCount())});
}

void TFmain::m_RueckgaengigClick() {
    stepHistory(&LogbookDocument::undo);
}

void TFmain::m_WiederholenClick() {
    stepHistory(&LogbookDocument::redo);
}

void TFmain::stepHistory(CellPosition (LogbookDocument::*step)()) {
    CellPosition cursor = (document_.*step)();
    cursor.column = std::clamp(cursor.column, int(ColDatum), int(ColNote3));
    cursor.row = std::clamp(cursor.row, 1, std::max(1, RecordCount()));
    p_Grid->setCursorCell(cursor);
}

void TFmain::updateHistoryActions() {
    if (m_Rueckgaengig)
        m_Rueckgaengig->setEnabled(document_.canUndo());
    if (m_Wiederholen)
        m_Wiederholen->setEnabled(document_.canRedo());
}

void TFmain::m_WerteBerechnenClick() {
    CalculateValues();
}

void TFmain::CalculateValues() {
    document_.calculate();
}

} // namespace spritlog
