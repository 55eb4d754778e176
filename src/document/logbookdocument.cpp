#include "document/logbookdocument.h"

#include "analysis/stationrating.h"
#include "import/csvimport.h"
#include "import/logbookmerge.h"
#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/fileio.h"
#include "logbook/fillups.h"
#include "logbook/logbookfile.h"
#include "logbook/logbookshape.h"
#include "logbook/recalculation.h"

#include <algorithm>

namespace spritlog {
namespace {

TextTable EmptyStationTable() {
    TextTable info(kStationColumns, 1);
    for (int column = 0; column < kStationColumns; ++column)
        info.setCell(column, 0, kStationColumnInfo[column].header);
    return info;
}

// Runs `f` when leaving the scope, also by an exception: the listeners hear of what a
// change did so far.
template <typename F> class AtExit {
public:
    explicit AtExit(F f) : f_(std::move(f)) {}
    ~AtExit() { f_(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    F f_;
};

} // namespace

LogbookDocument::LogbookDocument() : table_(NewLogbookTable()), stationTable_(EmptyStationTable()) {
    NumberRecords(table_);
}

void LogbookDocument::setFileName(std::string fileName) {
    if (fileName == fileName_)
        return;
    damagedSource_.clear();
    fileStamp_ = FileStamp();
    fileName_ = std::move(fileName);
    announce([](DocumentListener& l) { l.fileNameChanged(); });
}

void LogbookDocument::addListener(DocumentListener* listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void LogbookDocument::removeListener(DocumentListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

template <typename Announcement> void LogbookDocument::announce(Announcement announcement) {
    // By index: a listener may be added while the others are told.
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        announcement(*listeners_[i]);
}

template <typename Announcement> void LogbookDocument::announceCells(Announcement announcement) {
    // Inside a reset its end tells of every cell.
    if (resetDepth_ == 0)
        announce(announcement);
}

LogbookDocument::ResetBracket::ResetBracket(LogbookDocument& document) : document_(document) {
    if (document_.resetDepth_++ == 0) {
        for (std::size_t i = 0; i < document_.listeners_.size(); ++i)
            document_.listeners_[i]->tableAboutToBeReset();
    }
}

LogbookDocument::ResetBracket::~ResetBracket() {
    if (--document_.resetDepth_ == 0) {
        for (std::size_t i = 0; i < document_.listeners_.size(); ++i)
            document_.listeners_[i]->tableReset();
    }
}

bool LogbookDocument::hasFileName() const {
    return HasText(fileName_);
}

bool LogbookDocument::fileChangedOnDisk() const {
    return hasFileName() && FileChangedSince(fileName_, fileStamp_);
}

void LogbookDocument::clear() {
    settleChartSource();
    const bool named = !fileName_.empty();
    {
        const ResetBracket reset(*this);
        NewLogbook(table_, fileName_);
        changedAll_ = true; // a new logbook: nothing of the old one's figures
        recalculate();
    }
    fileStamp_ = FileStamp();
    const bool wasCopy = !damagedSource_.empty();
    damagedSource_.clear();
    if (named || wasCopy)
        announce([](DocumentListener& l) { l.fileNameChanged(); });
    history_.clear();
    historyChanged();
}

bool LogbookDocument::load(const std::string& path, const LoadHooks& hooks) {
    return readFile(path, false, hooks);
}

bool LogbookDocument::loadDamagedCopy(const std::string& path, const LoadHooks& hooks) {
    return readFile(path, true, hooks);
}

bool LogbookDocument::readFile(const std::string& path, bool asCopy, const LoadHooks& hooks) {
    settleChartSource();
    // The file is read beside the logbook (a copy shares its cells until the read changes
    // them): a file whose lines do not fit its count, read column by column, would shift
    // every later cell, so it changes nothing here.
    TextTable fresh = table_;
    FileStamp stamp;
    LogbookShape shape;
    bool read = false;
    std::exception_ptr failure;
    try {
        // A copy is read as far as its count goes, like any file before.
        read = ReadLogbookFile(path, fresh, &stamp, asCopy ? nullptr : &shape);
    } catch (...) {
        failure = std::current_exception();
    }
    if (read && !failure && !asCopy && !shape.fits())
        throw DamagedLogbook(shape);

    // The table may be anything from here on, also when reading or calculating failed.
    const ResetBracket reset(*this);
    const std::string name = asCopy ? std::string() : path;
    const std::string copyOf = asCopy ? path : std::string();
    const bool renamed = name != fileName_ || copyOf != damagedSource_;
    fileName_ = name;
    damagedSource_ = copyOf;
    fileStamp_ = read && !failure && !asCopy ? stamp : FileStamp();
    calculationError_.clear();
    if (renamed)
        announce([](DocumentListener& l) { l.fileNameChanged(); });
    if (failure) {
        // What a failed read left in the table cannot be undone step by step.
        table_ = std::move(fresh);
        history_.clear();
        historyChanged();
        std::rethrow_exception(failure);
    }
    if (read) {
        table_ = std::move(fresh);
        history_.clear();
        historyChanged();
    } else if (hooks.notice) {
        hooks.notice("Datei nicht gefunden!");
    }
    NumberRecords(table_);
    computeDerived();
    return read;
}

void LogbookDocument::setTable(TextTable table) {
    settleChartSource();
    {
        const ResetBracket reset(*this);
        table_ = std::move(table);
        NumberRecords(table_);
    }
    history_.clear();
    historyChanged();
}

void LogbookDocument::restoreUnsaved(const TextTable& recovered) {
    const ResetBracket reset(*this);
    recordStep(TableRegion::RecordsFrom(1), [&] {
        table_.setRowCount(std::max(1, recovered.rowCount()));
        const int columns = std::min(table_.columnCount(), recovered.columnCount());
        for (int row = 1; row < table_.rowCount(); ++row)
            for (int column = 0; column < columns; ++column)
                table_.setCell(column, row, recovered.cell(column, row));
        NumberRecords(table_);
        computeDerived();
        return CellPosition{ColDatum, 1};
    });
}

const ChartSource& LogbookDocument::chartSource() const {
    if (chartSourcePending_) {
        chartSource_ = ChartSource::Of(table_, chartSourceBasis_);
        chartSourcePending_ = false;
    }
    return chartSource_;
}

void LogbookDocument::settleChartSource() {
    // The chart source follows the table as calculated: built when asked for, from the
    // table as it then stands, not before every change.
}

bool LogbookDocument::calculated() const {
    return calculatedVersion_ == table_.version() && calculatedWithIntervals_ == fullTankIntervals_;
}

void LogbookDocument::computeDerived() {
    AtExit tell([this] {
        const int last = table_.rowCount() - 1;
        if (last >= 1)
            announceCells(
                [last](DocumentListener& l) { l.cellsChanged(1, last, ColKm, ColTankkosten); });
    });
    forgetChanges();
    // Every change of the table builds a pending chart source first, so one still pending
    // was asked for by a calculation of this very table.
    if (!calculated()) {
        // Another rule changes the table it was asked for.
        settleChartSource();
        calculatedVersion_.reset();
        calculationError_.clear();
        issues_.clear();
        try {
            issues_ = CalculateRecords(table_, consumptionRule());
        } catch (const Error& e) {
            calculationError_ = e.what();
            // The chart source keeps what it showed; it is not built from a table that
            // failed.
            chartSourcePending_ = false;
            throw;
        }
        calculatedVersion_ = table_.version();
        calculatedWithIntervals_ = fullTankIntervals_;
    } else if (!chartSourcePending_ && chartSourceBasis_ == chartBasis_) {
        return;
    }
    chartSourceBasis_ = chartBasis_;
    chartSourcePending_ = true;
}

void LogbookDocument::calculate() {
    // The derived cells follow from the inputs: no step of the history.
    settleChartSource();
    computeDerived();
}

void LogbookDocument::noteChange(int firstRow, int lastRow, int firstColumn, int lastColumn,
                                 std::optional<bool> calculatedBefore) {
    if (changedRows_.first > changedRows_.last) {
        // Only a change of a calculated table can be calculated in part.
        if (!calculatedBefore.value_or(calculated()))
            changedAll_ = true;
        changedRows_ = {firstRow, lastRow};
    } else {
        changedRows_.first = std::min(changedRows_.first, firstRow);
        changedRows_.last = std::max(changedRows_.last, lastRow);
    }
    if (firstColumn <= ColBenzin && lastColumn >= ColBenzin)
        gradeChanged_ = true;
}

void LogbookDocument::recalculate() {
    if (openSteps_ > 0)
        return; // the step's end calculates once
    if (NumberRecords(table_, [this] { settleChartSource(); }))
        announceCells([](DocumentListener& l) { l.headingsChanged(); });
    const RowSpan changed = changedRows_;
    const bool inPart = !changedAll_ && changed.first <= changed.last;
    const bool gradeChanged = gradeChanged_;
    if (calculated()) {
        forgetChanges();
        return;
    }
    try {
        if (!inPart || !recalculateRows(changed, gradeChanged))
            computeDerived();
    } catch (const Error&) {
        // Kept for the status bar; F5 and a load give it as an error.
    }
}

void LogbookDocument::forgetChanges() {
    changedRows_ = RowSpan{};
    changedAll_ = false;
    gradeChanged_ = false;
}

bool LogbookDocument::recalculateRows(RowSpan changed, bool gradeChanged) {
    forgetChanges();
    calculatedVersion_.reset();
    calculationError_.clear();
    std::optional<RowSpan> rows;
    try {
        rows = RecalculateChangedRows(table_, consumptionRule(), changed, gradeChanged, issues_);
    } catch (const Error& e) {
        calculationError_ = e.what();
        chartSourcePending_ = false;
        const int last = table_.rowCount() - 1;
        if (changed.first <= last)
            announceCells([&](DocumentListener& l) {
                l.cellsChanged(changed.first, last, ColKm, ColTankkosten);
            });
        throw;
    }
    if (!rows)
        return false;
    calculatedVersion_ = table_.version();
    chartSourceBasis_ = chartBasis_;
    chartSourcePending_ = true;
    if (rows->first <= rows->last)
        announceCells([&](DocumentListener& l) {
            l.cellsChanged(rows->first, rows->last, ColKm, ColTankkosten);
        });
    return true;
}

void LogbookDocument::recordStep(const TableRegion& region,
                                 const std::function<CellPosition()>& change) {
    settleChartSource();
    if (openSteps_ > 0) {
        change();
        return;
    }
    TableSnapshot before(table_, region);
    CellPosition cursor{-1, -1};
    ++openSteps_;
    const auto finish = [&] {
        --openSteps_;
        TableSnapshot after(table_, region);
        if (after == before)
            return;
        // Without a cursor of its own the step points at the first cell it changed.
        if (cursor.row < 0) {
            cursor = before.firstDifference(after);
            cursor.column = std::max(cursor.column, static_cast<int>(ColDatum));
        }
        history_.push({std::move(before), std::move(after), cursor});
        historyChanged();
    };
    try {
        cursor = change();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void LogbookDocument::historyChanged() {
    announce([](DocumentListener& l) { l.modifiedChanged(); });
}

void LogbookDocument::editCell(CellPosition cell, std::string_view text) {
    if (cell.row < 1 || cell.row >= table_.rowCount() || cell.column < 0 ||
        cell.column >= table_.columnCount())
        return;
    noteChange(cell.row, cell.row, cell.column, cell.column);
    recordStep(TableRegion::Cell(cell), [&] {
        table_.setCell(cell.column, cell.row, text);
        return cell;
    });
    announceCells([cell](DocumentListener& l) {
        l.cellsChanged(cell.row, cell.row, cell.column, cell.column);
    });
    recalculate();
}

int LogbookDocument::appendRecord() {
    int row = 0;
    noteChange(table_.rowCount(), table_.rowCount(), ColNumber, ColNumber); // an empty record
    recordStep(TableRegion::RecordsFrom(table_.rowCount()), [&] {
        row = AppendRecord(table_);
        return CellPosition{ColDatum, row};
    });
    announceCells([row](DocumentListener& l) { l.recordsInserted(row, row); });
    recalculate();
    return row;
}

void LogbookDocument::insertDate(int row, const LocalDateTime& today) {
    const CellPosition cell{ColDatum, row};
    noteChange(row, row, ColDatum, ColDatum);
    recordStep(TableRegion::Cell(cell), [&] {
        InsertDate(table_, row, today);
        return cell;
    });
    announceCells([cell](DocumentListener& l) {
        l.cellsChanged(cell.row, cell.row, cell.column, cell.column);
    });
    recalculate();
}

void LogbookDocument::deleteRecord(CellPosition cursor) {
    if (cursor.row < 1 || cursor.row > recordCount())
        return;
    changedAll_ = true; // the records after it move up
    announceCells([row = cursor.row](DocumentListener& l) { l.recordsAboutToBeRemoved(row, row); });
    {
        AtExit tell([&] {
            announceCells([row = cursor.row](DocumentListener& l) { l.recordsRemoved(row, row); });
        });
        recordStep(TableRegion::RecordsFrom(cursor.row), [&] {
            DeleteRecord(table_, cursor.row);
            return cursor;
        });
    }
    recalculate();
}

EnterResult LogbookDocument::enter(CellPosition from) {
    EnterResult result;
    const bool calculatedBefore = calculated();
    // Enter adds at most a record at the end.
    recordStep(TableRegion::RecordsFrom(table_.rowCount()), [&] {
        result = CursorAfterEnter(table_, from);
        return from;
    });
    if (result.appended) {
        const int row = recordCount();
        noteChange(row, row, ColNumber, ColNumber, calculatedBefore); // an empty record
        announceCells([row](DocumentListener& l) { l.recordsInserted(row, row); });
        recalculate();
    }
    return result;
}

void LogbookDocument::asOneStep(CellPosition cursor, const std::function<void()>& change) {
    AtExit calculate([this] { recalculate(); });
    recordStep(TableRegion::RecordsFrom(1), [&] {
        change();
        return cursor;
    });
}

CellPosition LogbookDocument::undo() {
    if (!history_.canUndo())
        return {ColDatum, 1};
    const TableChange& step = history_.stepToUndo();
    CellPosition cursor;
    putBack(step.after, step.before, [&] { cursor = history_.undo(table_); });
    historyChanged();
    recalculate();
    return cursor;
}

CellPosition LogbookDocument::redo() {
    if (!history_.canRedo())
        return {ColDatum, 1};
    const TableChange& step = history_.stepToRedo();
    CellPosition cursor;
    putBack(step.before, step.after, [&] { cursor = history_.redo(table_); });
    historyChanged();
    recalculate();
    return cursor;
}

void LogbookDocument::putBack(const TableSnapshot& from, const TableSnapshot& to,
                              const std::function<void()>& restore) {
    settleChartSource();
    if (from.rows() == to.rows())
        noteChange(to.firstRow(), to.lastRow(), to.firstColumn(), to.lastColumn());
    else
        changedAll_ = true; // records moved: their numbers in the messages too
    if (from.columns() != to.columns() || from.firstColumn() != to.firstColumn()) {
        const ResetBracket reset(*this);
        restore();
        return;
    }
    // Records come and go at the end of the table; the cells of the region are written.
    const int before = from.rows();
    const int after = to.rows();
    if (after < before)
        announceCells([&](DocumentListener& l) { l.recordsAboutToBeRemoved(after, before - 1); });
    restore();
    if (after < before)
        announceCells([&](DocumentListener& l) { l.recordsRemoved(after, before - 1); });
    // The views learn of the new records before the cells that changed above them.
    if (after > before)
        announceCells([&](DocumentListener& l) { l.recordsInserted(before, after - 1); });
    const int lastRow = std::min(to.lastRow(), std::min(before, after) - 1);
    if (to.firstRow() <= lastRow && to.firstColumn() <= to.lastColumn())
        announceCells([&](DocumentListener& l) {
            l.cellsChanged(to.firstRow(), lastRow, to.firstColumn(), to.lastColumn());
        });
}

StatusTexts LogbookDocument::statusTexts() const {
    return StatusTextsOf(table_, fileName_);
}

void LogbookDocument::setHeading(int column, std::string_view text) {
    if (column < 0 || column >= table_.columnCount() || table_.rowCount() < 1 ||
        table_.cell(column, 0) == text)
        return;
    settleChartSource();
    table_.setCell(column, 0, text);
    announceCells([](DocumentListener& l) { l.headingsChanged(); });
}

void LogbookDocument::writeColumnHeadings() {
    settleChartSource();
    WriteColumnHeaders(table_);
    announceCells([](DocumentListener& l) { l.headingsChanged(); });
}

void LogbookDocument::saveTo(const std::string& path) {
    const Writer& writer = WriterForName(path);
    // Exports to other names leave the stamp and the saved state alone and need no hash.
    const bool current = path == fileName_;
    FileStamp* stamp = current ? &fileStamp_ : nullptr;
    const WriteJob job{table_, path, fileName_, saveOptions_.report};
    if (writer.fillFile != nullptr) {
        ReplaceFileByName(
            path, saveOptions_.backup,
            [&](const std::string& temporary) { writer.fillFile(temporary, job); }, stamp);
    } else {
        ReplaceFile(
            path, saveOptions_.backup, [&](LineSink& sink) { writer.writeLines(sink, job); },
            stamp);
    }
    if (current) {
        history_.setClean();
        historyChanged();
    }
}

void LogbookDocument::saveAs(const std::string& path) {
    if (path == fileName_) {
        saveTo(path);
        return;
    }
    const std::string previousName = fileName_;
    const FileStamp previousStamp = fileStamp_;
    // The writers and the stamp see the new name; the listeners hear of it only once the
    // file is there.
    fileName_ = path;
    fileStamp_ = FileStamp();
    try {
        saveTo(path);
    } catch (...) {
        fileName_ = previousName;
        fileStamp_ = previousStamp;
        throw;
    }
    damagedSource_.clear();
    announce([](DocumentListener& l) { l.fileNameChanged(); });
}

ImportResult LogbookDocument::readImport(const std::string& path) {
    return ParseImportFile(ReadWholeFile(path));
}

ImportResult LogbookDocument::readImport(const std::string& path, const ImportOptions& options) {
    return ParseImportFile(ReadWholeFile(path), options);
}

std::exception_ptr LogbookDocument::importRecords(const ImportResult& result) {
    std::exception_ptr calculation;
    asOneStep({ColDatum, recordCount() + 1}, [&] {
        appendImported(result);
        try {
            calculate();
        } catch (...) {
            calculation = std::current_exception();
        }
    });
    return calculation;
}

void LogbookDocument::appendImported(const ImportResult& result) {
    {
        const ResetBracket reset(*this);
        recordStep(TableRegion::RecordsFrom(1), [&] {
            PlaceImportedRecords(table_, result);
            return CellPosition{-1, -1};
        });
    }
    recalculate();
}

void LogbookDocument::calculateForChartPage() {
    // Showing the page is no change the user made; it is not a step of the history.
    computeDerived();
}

const TextTable& LogbookDocument::rateStations() {
    AtExit tell([this] { announce([](DocumentListener& l) { l.stationTableChanged(); }); });
    BuildStationRating(table_, stationTable_);
    return stationTable_;
}

} // namespace spritlog
