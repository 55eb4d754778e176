#include "document/logbookdocument.h"

#include "analysis/stationrating.h"
#include "charts/chartviews.h"
#include "import/csvimport.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/fileio.h"
#include "logbook/logbookfile.h"

#include <algorithm>

namespace spritlog {
namespace {

TextTable EmptyStationTable() {
    TextTable info(kStationColumns, 1);
    for (int column = 0; column < kStationColumns; ++column)
        info.setCell(column, 0, kStationColumnInfo[column].header);
    return info;
}

} // namespace

LogbookDocument::LogbookDocument()
    : table_(NewLogbookTable()), chartSource_(kLogbookColumns, 1),
      stationTable_(EmptyStationTable()) {}

void LogbookDocument::setFileName(std::string fileName) {
    if (fileName != fileName_)
        fileStamp_ = FileStamp();
    fileName_ = std::move(fileName);
}

bool LogbookDocument::hasFileName() const {
    return HasText(fileName_);
}

bool LogbookDocument::fileChangedOnDisk() const {
    return hasFileName() && FileChangedSince(fileName_, fileStamp_);
}

void LogbookDocument::clear() {
    NewLogbook(table_, fileName_);
    fileStamp_ = FileStamp();
    history_.clear();
    historyChanged();
}

void LogbookDocument::load(const std::string& path, const LoadHooks& hooks) {
    fileName_ = path;
    fileStamp_ = FileStamp();
    bool read = false;
    try {
        read = ReadLogbookFile(path, table_, &fileStamp_);
    } catch (...) {
        // What a failed read left in the table cannot be undone step by step.
        history_.clear();
        historyChanged();
        throw;
    }
    if (read) {
        history_.clear();
        historyChanged();
        if (hooks.statusBar)
            hooks.statusBar();
    } else if (hooks.notice) {
        hooks.notice("Datei nicht gefunden!");
    }
    computeDerived();
}

void LogbookDocument::computeDerived() {
    ComputeDerivedValues(table_);
    RebuildChartSource(table_, chartSource_, chartBasis_);
}

void LogbookDocument::calculate() {
    recordStep({1, TableRegion::kToEnd, ColKm, ColTankkosten}, [this] {
        computeDerived();
        return CellPosition{-1, -1};
    });
}

void LogbookDocument::recordStep(const TableRegion& region,
                                 const std::function<CellPosition()>& change) {
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
    if (historyListener_)
        historyListener_();
}

void LogbookDocument::editCell(CellPosition cell, std::string_view text) {
    if (cell.row < 1 || cell.row >= table_.rowCount() || cell.column < 0 ||
        cell.column >= table_.columnCount())
        return;
    recordStep(TableRegion::Cell(cell), [&] {
        table_.setCell(cell.column, cell.row, text);
        return cell;
    });
}

int LogbookDocument::appendRecord() {
    int row = 0;
    recordStep(TableRegion::RecordsFrom(table_.rowCount()), [&] {
        row = AppendRecord(table_);
        return CellPosition{ColDatum, row};
    });
    return row;
}

void LogbookDocument::insertDate(int row, const LocalDateTime& today) {
    const CellPosition cell{ColDatum, row};
    recordStep(TableRegion::Cell(cell), [&] {
        InsertDate(table_, row, today);
        return cell;
    });
}

void LogbookDocument::deleteRecord(CellPosition cursor) {
    if (cursor.row < 1 || cursor.row > recordCount())
        return;
    recordStep(TableRegion::RecordsFrom(cursor.row), [&] {
        DeleteRecord(table_, cursor.row);
        return cursor;
    });
}

EnterResult LogbookDocument::enter(CellPosition from) {
    EnterResult result;
    // Enter adds at most a record at the end.
    recordStep(TableRegion::RecordsFrom(table_.rowCount()), [&] {
        result = CursorAfterEnter(table_, from);
        return from;
    });
    return result;
}

void LogbookDocument::asOneStep(CellPosition cursor, const std::function<void()>& change) {
    recordStep(TableRegion::RecordsFrom(1), [&] {
        change();
        return cursor;
    });
}

CellPosition LogbookDocument::undo() {
    if (!history_.canUndo())
        return {ColDatum, 1};
    const CellPosition cursor = history_.undo(table_);
    historyChanged();
    return cursor;
}

CellPosition LogbookDocument::redo() {
    if (!history_.canRedo())
        return {ColDatum, 1};
    const CellPosition cursor = history_.redo(table_);
    historyChanged();
    return cursor;
}

StatusTexts LogbookDocument::updateStatus() {
    return UpdateStatusBar(table_, fileName_);
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

ImportResult LogbookDocument::readImport(const std::string& path) {
    return ParseImportFile(ReadWholeFile(path));
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
    recordStep(TableRegion::RecordsFrom(1), [&] {
        AppendImportedRecords(table_, result);
        return CellPosition{-1, -1};
    });
}

void LogbookDocument::tabChange(int newTab, int zoomIndex, ChartControl& chart, ChartPage& page) {
    // Drawing is no change the user made; it is not a step of the history.
    computeDerived();
    page.setChartVisible(true);
    page.setInfoVisible(false);
    page.setRadioGroupsEnabled(true);
    if (newTab >= 0 && newTab < kChartViewCount) {
        ShowChart(chart, chartSource_, newTab + 1, zoomIndex, &page);
    } else if (newTab == kStationTab) {
        BuildStationRating(table_, stationTable_);
        page.setRadioGroupsEnabled(false);
        page.setChartVisible(false);
        page.setInfoVisible(true);
    }
}

} // namespace spritlog
