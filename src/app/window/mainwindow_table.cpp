// The commands that work on the logbook table.
#include "app/window/damagedfile.h"
#include "app/window/mainwindow.h"

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/prompts.h"

#include "document/cells.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QAction>
#include <QLabel>

#include <algorithm>
#include <utility>

namespace spritlog {

void TFmain::UpdateStatusBar() {
    const StatusTexts texts = document_.statusTexts();
    statusPanels[0]->setText(CellToQString(texts.records));
    // A damaged file's copy says so, and that it is no file of its own yet.
    const QString copy = DamagedCopyLabel(document_);
    statusPanels[1]->setText(copy.isEmpty() ? CellToQString(texts.file)
                                            : QStringLiteral("Geladene Datei: ") + copy);
    setWindowTitle(copy.isEmpty() ? QStringLiteral("Spritlog[*]")
                                  : QStringLiteral("Spritlog - %1[*]").arg(copy));
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
    // The cells the calculation could not read, in one box.
    if (!document_.cellIssues().empty())
        prompts().showError(this, CellToQString(CellIssuesBoxText(document_.cellIssues())));
}

void TFmain::CalculateValues() {
    document_.calculate();
}

void TFmain::setFullTankIntervals(bool on) {
    if (on == document_.fullTankIntervals())
        return;
    document_.setFullTankIntervals(on);
    gridModel_->fullTankIntervalsChanged();
    CalculateValues();
}

void TFmain::m_TeilbetankungClick() {
    toggleMark(true);
}

void TFmain::m_FehlendeBetankungClick() {
    toggleMark(false);
}

void TFmain::toggleMark(bool partial) {
    const auto cursor = p_Grid->cursorCell();
    if (cursor && cursor->row <= RecordCount()) {
        const FillUpMarks marks = MarksOf(document_.table(), cursor->row);
        const std::string_view word = partial ? kPartialWord : kMissedWord;
        if (!(partial ? marks.partial : marks.missedBefore)) {
            const CellPosition note{ColNote3, cursor->row};
            document_.editCell(note, WithMark(document_.table().cell(ColNote3, cursor->row), word));
        } else {
            // The mark goes wherever the notes carry it, in one step.
            document_.asOneStep(*cursor, [&] {
                for (int column = ColNote1; column <= ColNote3; ++column) {
                    const std::string_view text = document_.table().cell(column, cursor->row);
                    const std::string without = WithoutMark(text, word);
                    if (without != text)
                        document_.editCell({column, cursor->row}, without);
                }
            });
        }
    }
    updateMarkActions();
}

void TFmain::updateMarkActions() {
    const auto cursor = p_Grid->cursorCell();
    const bool record = cursor && cursor->row >= 1 && cursor->row <= RecordCount();
    const FillUpMarks marks = record ? MarksOf(document_.table(), cursor->row) : FillUpMarks{};
    for (auto [action, checked] : {std::pair{m_Teilbetankung, marks.partial},
                                   std::pair{m_FehlendeBetankung, marks.missedBefore}}) {
        action->setEnabled(record);
        action->setChecked(checked);
    }
}

} // namespace spritlog
