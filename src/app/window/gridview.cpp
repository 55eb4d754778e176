#include "app/window/gridview.h"

#include "app/window/logbookmodel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace spritlog {
namespace {

bool IsEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Ctrl+Tab gives true (forward), Ctrl+Shift+Tab false; nothing for any other key. Shift+Tab
// arrives as Backtab on most platforms.
std::optional<bool> LeavesTable(const QKeyEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return std::nullopt;
    if (event->key() == Qt::Key_Backtab)
        return false;
    if (event->key() == Qt::Key_Tab)
        return !(event->modifiers() & Qt::ShiftModifier);
    return std::nullopt;
}

// A key that types text, as opposed to navigation and shortcuts.
bool TypesText(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// Set on each editor: whether the characters typed into it are mapped (its column's rule).
const char kMapsTypingProperty[] = "spritlogMapsTyping";

bool MapsTyping(const QWidget* editor) {
    return editor->property(kMapsTypingProperty).toBool();
}

QFont GridFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

} // namespace

QString MapTypedText(const QString& text) {
    QString mapped = text;
    for (QChar& c : mapped) {
        if (c.unicode() < 0x80)
            c = QChar::fromLatin1(MapTypedCharacter(static_cast<char>(c.unicode())));
    }
    return mapped;
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
        editor->setProperty(kMapsTypingProperty,
                            ColumnMapsTyping(LogbookModel::TableColumn(index)));
    lastEditor_ = editor;
    return editor;
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnter(key) && !(key->modifiers() & ~Qt::KeypadModifier)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            emit enterPressed();
            return true;
        }
        if (const auto forward = LeavesTable(key)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            emit leavePressed(*forward);
            return true;
        }
        const QString mapped = MapsTyping(editor) ? MapTypedText(key->text()) : key->text();
        if (mapped != key->text()) {
            // The editor gets the mapped character in place of the typed one.
            QKeyEvent replacement(QEvent::KeyPress, Qt::Key_Period, key->modifiers(), mapped,
                                  key->isAutoRepeat(), static_cast<ushort>(key->count()));
            QCoreApplication::sendEvent(editor, &replacement);
            return true;
        }
    } else if (editor && event->type() == QEvent::InputMethod && MapsTyping(editor)) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const QString mapped = MapTypedText(input->commitString());
        if (mapped != input->commitString()) {
            QInputMethodEvent replacement(input->preeditString(), input->attributes());
            replacement.setCommitString(mapped, input->replacementStart(),
                                        input->replacementLength());
            QCoreApplication::sendEvent(editor, &replacement);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("p_Grid"));
    setFont(GridFont());
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    verticalHeader()->setHighlightSections(false);
    // Column 0, the record numbers, is 25 pixels wide; longer numbers widen it.
    verticalHeader()->setMinimumWidth(kLogbookColumnInfo[ColNumber].width);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);

    delegate_ = new GridDelegate(this);
    setItemDelegate(delegate_);
    connect(delegate_, &GridDelegate::enterPressed, this, &GridView::moveOnEnter);
    connect(delegate_, &GridDelegate::leavePressed, this, &GridView::leaveTable);
}

void GridView::setLogbookModel(LogbookModel* model) {
    model_ = model;
    setModel(model);
    applyColumnWidths();
}

void GridView::applyColumnWidths() {
    // The widths of the column table, widened where this platform's font and cell margins
    // would otherwise cut the header or a typical value of the column.
    static const char* const kTypical[kLogbookColumns] = {
        "",        "00.00.0000", "000000", "00.00", "0.000", "0000", " 00.00", " 00.00",
        " 000.00", "",           "",       "",      "",      "",     ""};
    const int margins =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    for (int column = 1; column < kLogbookColumns; ++column) {
        const int section = column - 1;
        const int typical =
            fontMetrics().horizontalAdvance(QString::fromLatin1(kTypical[column])) + margins;
        const int header = horizontalHeader()->sectionSizeHint(section);
        setColumnWidth(section, std::max({kLogbookColumnInfo[column].width, typical, header}));
    }
}

std::optional<CellPosition> GridView::cursorCell() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return CellPosition{LogbookModel::TableColumn(current), LogbookModel::TableRow(current)};
}

void GridView::setCursorCell(CellPosition cell) {
    if (!model_)
        return;
    const QModelIndex target = model_->cellIndex(cell.column, cell.row);
    if (!target.isValid())
        return;
    setCurrentIndex(target);
    scrollTo(target);
}

void GridView::commitEdit() {
    // Only one editor is ever open, the one made last; a closed one may not be deleted yet.
    QWidget* editor = delegate_->lastEditor();
    if (!isEditing() || !editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (const auto forward = LeavesTable(event)) {
        leaveTable(*forward);
        event->accept();
        return;
    }
    if (p_GridKeyPress(event))
        return;
    QTableView::keyPressEvent(event);
}

bool GridView::p_GridKeyPress(QKeyEvent* event) {
    const auto cursor = cursorCell();
    if (IsEnter(event)) {
        if (state() != EditingState)
            moveOnEnter();
        return true;
    }
    // Typing into a derived column changes nothing; the key must not start a search either.
    if (TypesText(event) && cursor && !ColumnAcceptsTyping(cursor->column)) {
        event->accept();
        return true;
    }
    // A character typed into an input column opens the editor, which receives the
    // character and maps it (GridDelegate).
    return false;
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex target = QTableView::moveCursor(action, modifiers);
    if ((action != MoveNext && action != MovePrevious) || !model_)
        return target;
    const int rows = model_->rowCount();
    const int columns = model_->columnCount();
    const int step = action == MoveNext ? 1 : -1;
    // One cell after another in reading order, wrapping at the table's ends as the view does.
    for (int tries = 0; target.isValid() && tries < columns &&
                        !ColumnAcceptsTyping(LogbookModel::TableColumn(target));
         ++tries) {
        int row = target.row();
        int column = target.column() + step;
        if (column >= columns || column < 0) {
            column = step > 0 ? 0 : columns - 1;
            row = (row + step + rows) % rows;
        }
        target = model_->index(row, column);
    }
    return target;
}

void GridView::moveOnEnter() {
    const auto from = cursorCell();
    if (!from || !model_)
        return;
    const EnterResult result = model_->document().enter(*from);
    setCursorCell(result.cursor);
}

void GridView::leaveTable(bool forward) {
    // The window's focus chain, not the view's own, which would move between the cells.
    QWidget::focusNextPrevChild(forward);
}

} // namespace spritlog
