#include "app/window/logbookmodel.h"

#include "app/window/readablecolour.h"
#include "app/window/unittips.h"

#include "document/cells.h"
#include "platform/celltext.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <utility>

namespace spritlog {

LogbookModel::LogbookModel(LogbookDocument& document, QObject* parent)
    : TextTableModel(document.table(), parent), document_(document) {
    invalid_.rescan(table_);
    reportedInvalid_ = invalid_.count();
    document_.addListener(this);
}

LogbookModel::~LogbookModel() {
    document_.removeListener(this);
}

QColor LogbookModel::InvalidTextColour() {
    return ReadableOn(QColor(192, 0, 0), QGuiApplication::palette().color(QPalette::Base));
}

QVariant LogbookModel::data(const QModelIndex& index, int role) const {
    const bool looks =
        role == Qt::ForegroundRole || role == Qt::ToolTipRole || role == Qt::FontRole;
    if (!looks || !holds(index))
        return TextTableModel::data(index, role);
    const int column = TableColumn(index);
    const int row = TableRow(index);
    // The tool tip tells the cell's problem first, then the record's mark, then its unit.
    QStringList tips;
    if (role != Qt::FontRole && (ColumnIsChecked(column) || column == ColVerbrauch)) {
        const CellIssue* issue = issueAt(row, column);
        const CellProblem problem = ColumnIsChecked(column)
                                        ? CheckCell(column, table_.cell(column, row))
                                        : CellProblem::None;
        if (issue || problem != CellProblem::None) {
            if (role == Qt::ForegroundRole)
                return InvalidTextColour();
            tips << CellToQString(issue ? issue->message : CellProblemText(problem));
        }
    }
    if (role == Qt::ForegroundRole)
        return QVariant();
    const bool marked = column == ColLiter && document_.fullTankIntervals();
    if (role == Qt::FontRole)
        return marked ? markLook(row, role) : QVariant();
    if (marked) {
        const QVariant mark = markLook(row, role);
        if (mark.isValid())
            tips << mark.toString();
    }
    const QString unit = UnitTip(column, EnergyOfRecord(table_, row));
    if (!unit.isEmpty())
        tips << unit;
    return tips.isEmpty() ? QVariant() : QVariant(tips.join(QLatin1Char('\n')));
}

QVariant LogbookModel::markLook(int row, int role) const {
    const FillUpMarks marks = MarksOf(table_, row);
    if (!marks.partial && !marks.missedBefore)
        return QVariant();
    if (role == Qt::FontRole) {
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    QStringList why;
    if (marks.partial)
        why << QStringLiteral("Teilbetankung: Verbrauch von Volltank zu Volltank");
    if (marks.missedBefore)
        why << QStringLiteral("Fehlende Betankung davor: kein Verbrauch");
    return why.join(QLatin1Char('\n'));
}

QVariant LogbookModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool markRole =
        role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole;
    const int row = section + 1;
    if (orientation != Qt::Vertical || !markRole || section < 0 || row >= table_.rowCount())
        return TextTableModel::headerData(section, orientation, role);
    const FillUpMarks marks = MarksOf(table_, row);
    const QString number =
        TextTableModel::headerData(section, orientation, Qt::DisplayRole).toString();
    QString letters;
    QStringList meaning;
    if (marks.partial) {
        letters += QLatin1Char('T');
        meaning << QStringLiteral("Teilbetankung");
    }
    if (marks.missedBefore) {
        letters += QLatin1Char('F');
        meaning << QStringLiteral("Fehlende Betankung davor");
    }
    if (role == Qt::DisplayRole)
        return letters.isEmpty() ? number : letters + QLatin1Char(' ') + number;
    if (role == Qt::ToolTipRole)
        return meaning.isEmpty() ? QVariant() : QVariant(meaning.join(QLatin1Char('\n')));
    QStringList spoken{QStringLiteral("Datensatz %1").arg(number)};
    return (spoken + meaning).join(QStringLiteral(", "));
}

void LogbookModel::fullTankIntervalsChanged() {
    TextTableModel::cellsChanged(1, table_.rowCount() - 1, ColLiter, ColLiter);
}

Qt::ItemFlags LogbookModel::flags(const QModelIndex& index) const {
    if (!holds(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (ColumnAcceptsTyping(TableColumn(index)))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool LogbookModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !holds(index) || !ColumnAcceptsTyping(TableColumn(index)))
        return false;
    const int column = TableColumn(index);
    std::string text = QStringToCell(value.toString());
    if (column == ColDatum)
        text = CompleteDate(text);
    else if (column == ColKmStand)
        text = CompleteWholeNumber(text);
    document_.editCell({column, TableRow(index)}, text);
    return true;
}

const CellIssue* LogbookModel::issueAt(int row, int column) const {
    const std::vector<CellIssue>& issues = document_.cellIssues();
    const auto found =
        std::lower_bound(issues.begin(), issues.end(), std::make_pair(row, column),
                         [](const CellIssue& issue, const std::pair<int, int>& place) {
                             return std::make_pair(issue.record, issue.column) < place;
                         });
    return found != issues.end() && found->record == row && found->column == column ? &*found
                                                                                    : nullptr;
}

QString LogbookModel::invalidCellsNote() const {
    // The calculation names the cells it could not read; a date is only checked.
    if (!document_.calculationError().empty())
        return CellToQString(document_.calculationError());
    // The cells checked by their text, and the figures the calculation could not compute.
    const std::vector<CellIssue>& issues = document_.cellIssues();
    const auto figures = std::count_if(issues.begin(), issues.end(), [](const CellIssue& issue) {
        return !ColumnIsChecked(issue.column);
    });
    std::string note = InvalidCellsText(invalid_.count() + static_cast<int>(figures));
    if (!issues.empty())
        note += ": " + issues.front().message;
    return CellToQString(note);
}

void LogbookModel::reportInvalidCells() {
    const QString note = invalidCellsNote();
    if (invalid_.count() == reportedInvalid_ && note == reportedNote_)
        return;
    reportedInvalid_ = invalid_.count();
    reportedNote_ = note;
    emit invalidCellsChanged(reportedInvalid_);
}

void LogbookModel::tableAboutToBeReset() {
    beginReset();
}

void LogbookModel::tableReset() {
    endReset();
    invalid_.rescan(table_);
    reportInvalidCells();
}

void LogbookModel::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    TextTableModel::cellsChanged(firstRow, lastRow, firstColumn, lastColumn);
    // The notes carry the marks that the Liter cells show.
    if (firstColumn > ColLiter && lastColumn >= ColNote1) {
        TextTableModel::cellsChanged(firstRow, lastRow, ColLiter, ColLiter);
        const int rows = rowCount();
        if (rows > 0)
            emit headerDataChanged(Qt::Vertical, std::clamp(firstRow - 1, 0, rows - 1),
                                   std::clamp(lastRow - 1, 0, rows - 1));
    }
    // The grade tells the unit that the quantity, price and consumption cells name.
    if (firstColumn <= ColBenzin && lastColumn >= ColBenzin)
        TextTableModel::cellsChanged(firstRow, lastRow, ColLiter, ColVerbrauch);
    invalid_.cellsChanged(table_, firstRow, lastRow, firstColumn, lastColumn);
    reportInvalidCells();
}

void LogbookModel::recordsInserted(int firstRow, int lastRow) {
    rowsInserted(firstRow, lastRow);
    invalid_.rowsInserted(table_, firstRow, lastRow);
    reportInvalidCells();
}

void LogbookModel::recordsAboutToBeRemoved(int firstRow, int lastRow) {
    beginRemove(firstRow, lastRow);
}

void LogbookModel::recordsRemoved(int firstRow, int lastRow) {
    endRemove(firstRow, lastRow);
    invalid_.rowsRemoved(table_, firstRow, lastRow);
    reportInvalidCells();
}

void LogbookModel::headingsChanged() {
    headersChanged();
}

StationTableModel::StationTableModel(LogbookDocument& document, QObject* parent)
    : TextTableModel(document.stationTable(), ColumnZero::Cells, parent), document_(document) {
    document_.addListener(this);
}

StationTableModel::~StationTableModel() {
    document_.removeListener(this);
}

void StationTableModel::stationTableChanged() {
    TextTableModel::tableReset();
}

} // namespace spritlog
