#pragma once

#include "logbook/logbooktable.h"

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include <optional>

namespace spritlog {

class LogbookModel;

// Every character of a typed text after the table's mapping: "+ , - / \ _" become ".".
QString MapTypedText(const QString& text);

// The cell editor's side of the keyboard rules: maps every character typed into the
// editor of a column that maps typing (ColumnMapsTyping; the character that opened the
// editor included, which the view hands on), turns Enter into
// "take the text, close, move on" and Ctrl+Tab / Ctrl+Shift+Tab into "take the text,
// close, leave the table".
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // The editor made last; null once it is gone.
    QWidget* lastEditor() const { return lastEditor_; }

signals:
    // Enter in the editor, after its text went into the cell and it closed.
    void enterPressed();
    // Ctrl+Tab (forward) or Ctrl+Shift+Tab in the editor, after its text went into the cell
    // and it closed.
    void leavePressed(bool forward);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable QPointer<QWidget> lastEditor_;
};

// p_Grid: the logbook table on the page "Daten".
class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    void setLogbookModel(LogbookModel* model);
    // The widths of the logbook columns.
    void applyColumnWidths();
    LogbookModel* logbookModel() const { return model_; }

    // The cursor as a table cell (rows from 1), if the table has one.
    std::optional<CellPosition> cursorCell() const;
    void setCursorCell(CellPosition cell);

    // Whether a cell editor is open.
    bool isEditing() const { return state() == EditingState; }
    // Takes the open editor's text into its cell, as Enter does, and closes the editor
    // without moving the cursor. Nothing happens when no editor is open.
    void commitEdit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab pass over the derived columns KM, Verbrauch, Kosten/Km and
    // Tankkosten, which take no typing; the arrow keys still reach them.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    // The table's own handling of a key typed while no editor is open; true when the key
    // was consumed.
    bool p_GridKeyPress(QKeyEvent* event);

private:
    // Takes the cursor on as Enter does.
    void moveOnEnter();
    // Ctrl+Tab and Ctrl+Shift+Tab: the keyboard moves to the next or previous control of the
    // window; Tab alone moves between the cells.
    void leaveTable(bool forward);

    LogbookModel* model_ = nullptr;
    GridDelegate* delegate_ = nullptr;
};

} // namespace spritlog
