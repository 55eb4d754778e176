#include "document/logbookdocument.h"

#include "analysis/stationrating.h"
#include "charts/chartviews.h"
#include "import/csvimport.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/fileio.h"
#include "logbook/logbookfile.h"
#include "reports/csvexport.h"
#include "reports/htmlreport.h"
#include "reports/xlsxworkbook.h"

namespace spritlog {
namespace {

TextTable EmptyStationTable() {
    TextTable info(kStationColumns, 1);
    for (int column = 0; column < kStationColumns; ++column)
        info.setCell(column, 0, kStationColumnInfo[column].header);
    return info;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size())
        return false;
    text.remove_prefix(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ending[i])
            return false;
    }
    return true;
}

// The name without its directory, for the workbook's title.
std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

WriterKind WriterFor(std::string_view path) {
    if (EndsWithIgnoringCase(path, ".csv"))
        return WriterKind::Csv;
    if (EndsWithIgnoringCase(path, ".htm") || EndsWithIgnoringCase(path, ".html"))
        return WriterKind::Html;
    if (EndsWithIgnoringCase(path, ".xlsx"))
        return WriterKind::Xlsx;
    return WriterKind::Native;
}

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
}

void LogbookDocument::load(const std::string& path, const LoadHooks& hooks) {
    fileName_ = path;
    fileStamp_ = FileStamp();
    if (ReadLogbookFile(path, table_, &fileStamp_)) {
        if (hooks.statusBar)
            hooks.statusBar();
    } else if (hooks.notice) {
        hooks.notice("Datei nicht gefunden!");
    }
    calculate();
}

void LogbookDocument::calculate() {
    ComputeDerivedValues(table_);
    RebuildChartSource(table_, chartSource_, chartBasis_);
}

StatusTexts LogbookDocument::updateStatus() {
    return UpdateStatusBar(table_, fileName_);
}

void LogbookDocument::saveTo(const std::string& path) {
    const WriterKind kind = WriterFor(path);
    // Exports to other names leave the stamp alone and need no hash.
    FileStamp* stamp = path == fileName_ ? &fileStamp_ : nullptr;
    if (kind == WriterKind::Xlsx) {
        // The workbook library writes to a file name, not to lines.
        const std::string title = BaseName(hasFileName() ? fileName_ : path);
        ReplaceFileByName(
            path, saveOptions_.backup,
            [&](const std::string& temporary) { WriteXlsxWorkbook(temporary, table_, title); },
            stamp);
        return;
    }
    const auto write = [&](LineSink& sink) {
        switch (kind) {
        case WriterKind::Csv:
            WriteCsvFile(sink, table_);
            break;
        case WriterKind::Html:
            WriteHtmlReport(sink, table_, path, saveOptions_.report);
            break;
        case WriterKind::Native:
        case WriterKind::Xlsx:
            WriteNativeFile(sink, table_);
            break;
        }
    };
    ReplaceFile(path, saveOptions_.backup, write, stamp);
}

void LogbookDocument::appendImported(const ImportResult& result) {
    AppendImportedRecords(table_, result);
}

void LogbookDocument::tabChange(int newTab, int zoomIndex, ChartControl& chart, ChartPage& page) {
    calculate();
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
