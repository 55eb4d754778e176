#pragma once

#include "analysis/chartsource.h"
#include "charts/chartseries.h"
#include "document/documentlistener.h"
#include "document/edithistory.h"
#include "document/writers.h"
#include "logbook/cellerrors.h"
#include "logbook/clock.h"
#include "logbook/filestamp.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "logbook/recalculation.h"
#include "logbook/records.h"
#include "logbook/texttable.h"
#include "reports/reportcontext.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

struct ImportOptions;
struct ImportResult;

// What saving needs beyond the table.
struct SaveOptions {
    bool backup = false; // the setting Backupspeichern
    ReportContext report = DefaultReportContext();
};

// What the window (or the command-line tool) does at the points where loading talks to
// the user.
struct LoadHooks {
    // A notice such as "Datei nicht gefunden!" (Windows-1252).
    std::function<void(std::string_view)> notice;
};

// The one open logbook: the table p_Grid shows, the chart source PrepareGrid built from
// it in the shape of the chart basis, the station table p_Info, the current file name and
// how it is saved. The window and spritlog-cli each hold one; views read it, and every
// change of the logbook goes through it and is told to the listeners.
class LogbookDocument {
public:
    LogbookDocument();
    // The listeners know the document by its address: a copy would tell them of changes to
    // another logbook. A moved document takes its listeners along.
    LogbookDocument(const LogbookDocument&) = delete;
    LogbookDocument& operator=(const LogbookDocument&) = delete;
    LogbookDocument(LogbookDocument&&) = default;
    LogbookDocument& operator=(LogbookDocument&&) = default;

    const TextTable& table() const { return table_; }
    // Built when first asked for after CalculateValues, from the table as calculated.
    const ChartSource& chartSource() const;
    const TextTable& stationTable() const { return stationTable_; }
    int recordCount() const { return RecordCount(table_); }
    // The records that take part in the figures (not empty); the pages need three.
    int recordsTakingPart() const { return RecordsTakingPart(table_); }

    // UTF-8 path; empty when the logbook has no name yet.
    const std::string& fileName() const { return fileName_; }
    // Another name forgets what the file at the old one looked like.
    void setFileName(std::string fileName);

    // The listeners hear of every change in the order they were added. A listener must be
    // removed before it goes.
    void addListener(DocumentListener* listener);
    void removeListener(DocumentListener* listener);
    bool hasFileName() const;

    // Whether someone else wrote the file at the current name since this document loaded
    // or saved it; false when the file is gone or this document has not read or written it.
    bool fileChangedOnDisk() const;

    ChartBasis chartBasis() const { return chartBasis_; }
    void setChartBasis(ChartBasis basis) { chartBasis_ = basis; }
    // Consumption from full tank to full tank (the setting "Verbrauch von Volltank zu
    // Volltank rechnen", on by default); off, every record by itself.
    bool fullTankIntervals() const { return fullTankIntervals_; }
    void setFullTankIntervals(bool on) {
        fullTankIntervals_ = on;
        saveOptions_.report.rule = consumptionRule();
    }
    ConsumptionRule consumptionRule() const {
        return fullTankIntervals_ ? ConsumptionRule::FullTank : ConsumptionRule::PerRecord;
    }

    SaveOptions& saveOptions() { return saveOptions_; }
    const SaveOptions& saveOptions() const { return saveOptions_; }

    // "&Neu": no name, the header row and one empty record, and no history.
    void clear();

    // Makes `path` the current name and fills the table from that native file (noting what
    // the file looked like), then calculates. A missing file gives the notice "Datei nicht
    // gefunden!" and leaves the table (and its history) as it was. Once the file was there
    // to read, the history is gone.
    // Throws Error with the I/O message on every other failure, and whatever the calculation
    // throws. Gives whether the file was there and read.
    // A file whose lines do not fit its record count throws DamagedLogbook before anything
    // changes.
    bool load(const std::string& path, const LoadHooks& hooks = {});
    // Reads the damaged file at `path` as well as it goes, as a copy without a name: the
    // next save asks for one, so the damaged file stays as it is. Otherwise like load.
    bool loadDamagedCopy(const std::string& path, const LoadHooks& hooks = {});
    // The damaged file the logbook was read from as a copy; empty for every other logbook.
    const std::string& damagedSource() const { return damagedSource_; }

    // Takes `table` as the logbook as it stands, as a load takes a file's: no history, the
    // name as it was, nothing calculated.
    void setTable(TextTable table);
    // Takes the records of `recovered` (rows 1 on; the headings stay) as one step of the
    // history on top of the logbook as loaded, then calculates: the logbook has unsaved
    // changes, and undoing them gives the file's records back.
    void restoreUnsaved(const TextTable& recovered);

    // CalculateValues: the derived columns of every record, then the chart source in the
    // shape of the chart basis. When the derived values fail ("Wert zu groß"), the chart
    // source keeps its previous contents; cells written so far stay. No step of the history:
    // every change of the records calculates them at once, so this only makes sure.
    void calculate();
    // The cells the last calculation could not read or compute, in record and column order
    // (each spoils only its own record's derived cells).
    const std::vector<CellIssue>& cellIssues() const { return issues_; }
    // The error that ended the last calculation ("Wert zu groß"); empty when it finished.
    const std::string& calculationError() const { return calculationError_; }

    // The changes of the table's cells and records, each one step of the history.
    // A typed cell, as stored.
    void editCell(CellPosition cell, std::string_view text);
    // "&Neuer Datensatz": appends an empty record and gives its row.
    int appendRecord();
    // "Da&tum einfügen" into column 1 of `row`.
    void insertDate(int row, const LocalDateTime& today);
    // "Markierte Zeile Löschen" of the cursor's row; undone, the cursor goes back to `cursor`.
    void deleteRecord(CellPosition cursor);
    // Where Enter moves the cursor from `from`; from "Ort" of the last record it appends one.
    EnterResult enter(CellPosition from);
    // Runs `change` as one step, whatever it changes through this document; undone, the
    // cursor goes to `cursor`. The step is kept also when `change` throws.
    void asOneStep(CellPosition cursor, const std::function<void()>& change);

    // The history since the last "&Neu" or load. Undo and redo give the cell the cursor
    // goes to; they may also add or remove records.
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    CellPosition undo();
    CellPosition redo();
    const EditHistory& history() const { return history_; }
    // Whether the table has changes that were not saved, as undo and redo see them: undone
    // back to the state last loaded or saved, it has none.
    bool isModified() const { return !history_.isClean(); }
    // The heading of a column (row 0): the note columns' names from the settings. No step
    // of the history; the headings are no part of the records.
    void setHeading(int column, std::string_view text);
    // The headings of the columns from "Datum" to "Ort".
    void writeColumnHeadings();

    // Both status-bar texts: the number of records and the file name. The document keeps the
    // record numbers of column 0 right itself.
    StatusTexts statusTexts() const;

    // Writes the logbook to `path` in the format its ending selects (.csv, .htm/.html, .xlsx,
    // else the native file), with the backup and report texts of the save options. The file
    // is replaced only once it is complete. The current name stays as it is; when `path` is
    // that name, the document notes what it wrote there and has no unsaved changes.
    void saveTo(const std::string& path);
    // Writes the logbook to `path` with the writer of `kind`, whatever the ending, as an
    // export: the current name, the saved state and the file's stamp stay as they are.
    void exportTo(const std::string& path, WriterKind kind) const;
    // "Speichern unter": saveTo `path`, which becomes the current name once the file is
    // complete. A failed save leaves the name, what its file looked like and the unsaved
    // state as they were.
    void saveAs(const std::string& path);

    // "Importieren aus CSV...", in two parts so that the user can look at the records first.
    // Reads and parses the file at `path` (UTF-8); the logbook stays as it is. Throws Error
    // with the I/O message when the file cannot be read.
    static ImportResult readImport(const std::string& path);
    static ImportResult readImport(const std::string& path, const ImportOptions& options);
    // Appends the records of a clean result and calculates, as one step of the history;
    // undone, the cursor goes to the row after the records there were. Throws, with nothing
    // changed, when the records do not fit. A failing calculation keeps the records and is
    // given back instead of thrown, so that the caller can first tell what was imported;
    // nullptr when it succeeded.
    [[nodiscard]] std::exception_ptr importRecords(const ImportResult& result);
    // Puts the records of an import that succeeded where their dates and odometers put them
    // (see PlaceImportedRecords), without calculating; one step.
    void appendImported(const ImportResult& result);
    // "Nach Datum sortieren": the records in order by date, then odometer (see
    // SortRecordsByDate), then calculates, as one step of the history; undone, the cursor
    // goes back to `cursor`. Gives where the cursor's record went. A failing calculation
    // keeps the order and is given back in `calculation`.
    CellPosition sortByDate(CellPosition cursor, std::exception_ptr& calculation);

    // The chart page's view selector, in three steps with the page's own between them.
    // First CalculateValues as no step of the history: the derived columns, then the chart
    // source. An error ends it; cells written so far stay.
    void calculateForChartPage();
    // The series of chart view 1..7 from the chart source as it stands (see ChartSeriesOf).
    ChartSeries chartSeries(int view, int zoomIndex) const {
        return ChartSeriesOf(chartSource(), view, zoomIndex);
    }
    // The same of one energy's quantities, prices and consumption.
    ChartSeries chartSeries(int view, int zoomIndex, Energy energy) const {
        return ChartSeriesOf(chartSource(), view, zoomIndex, energy);
    }
    // What the page "Grafik" shows of view 1..7: a line per energy where there are several
    // (see ChartViewOf).
    ChartSeries chartView(int view, int zoomIndex) const {
        return ChartViewOf(chartSource(), view, zoomIndex);
    }
    // The caption of tab 0..7 of the view selector for the chart source as it stands.
    const char* chartTabCaption(int tab) const;
    // Builds the station table anew from the table and gives it. An error leaves the rows
    // built so far.
    const TextTable& rateStations();

private:
    // Runs `change`, which gives the cursor for the step, and records what it did to
    // `region` as one step unless a step is already open.
    void recordStep(const TableRegion& region, const std::function<CellPosition()>& change);
    // Fills the table from the native file at `path`, under that name or, `asCopy`, as a
    // copy without a name that may be damaged.
    bool readFile(const std::string& path, bool asCopy, const LoadHooks& hooks);
    void computeDerived();
    // After a change of the records: numbers them and calculates their derived cells, once
    // at the end of a step; an error is kept (calculationError), not thrown.
    void recalculate();
    // Notes, before it is made, a change of the cells in rows first..last, columns
    // first..last, so that recalculate can calculate only the records it concerns.
    // `calculatedBefore`: whether the table was calculated before the change, when the change
    // is noted after it was made.
    void noteChange(int firstRow, int lastRow, int firstColumn, int lastColumn,
                    std::optional<bool> calculatedBefore = std::nullopt);
    void forgetChanges();
    // Calculates the records a change of rows `changed` concerns; false where that part
    // cannot be told (then every record is calculated).
    bool recalculateRows(RowSpan changed, bool gradeChanged);
    // Undo and redo: `restore` turns the table from `from` into `to`; the listeners hear of
    // the records that went or came and of the region's cells.
    void putBack(const TableSnapshot& from, const TableSnapshot& to,
                 const std::function<void()>& restore);
    // Whether the table is as the last CalculateValues left it, with the same rule: then
    // another one would write the same cells.
    bool calculated() const;
    // Builds the chart source the last CalculateValues asked for before the table changes,
    // so that it shows the table as calculated.
    void settleChartSource();
    void historyChanged();
    // Announces the start of a reset at once and its end when it goes; the listeners hear
    // nothing in between.
    class ResetBracket {
    public:
        explicit ResetBracket(LogbookDocument& document);
        ~ResetBracket();
        ResetBracket(const ResetBracket&) = delete;
        ResetBracket& operator=(const ResetBracket&) = delete;

    private:
        LogbookDocument& document_;
    };
    template <typename Announcement> void announce(Announcement announcement);
    // The cells, records and headings; nothing inside a reset.
    template <typename Announcement> void announceCells(Announcement announcement);

    TextTable table_;
    // The chart source of the last CalculateValues, built when asked for (or before the
    // table next changes) in the shape chartSourceBasis_. Per record it shares the table's
    // cells: the first change after it copies them once, not cell by cell.
    mutable ChartSource chartSource_;
    mutable bool chartSourcePending_ = false;
    ChartBasis chartSourceBasis_ = ChartBasis::Eintrag;
    // The table's version after the last CalculateValues that ended without an error.
    std::optional<TextTable::Version> calculatedVersion_;
    bool calculatedWithIntervals_ = true;
    std::vector<CellIssue> issues_;
    std::string calculationError_;
    // The changes since the last calculation: the rows, whether every record may be
    // concerned, whether a grade changed.
    RowSpan changedRows_;
    bool changedAll_ = false;
    bool gradeChanged_ = false;
    TextTable stationTable_;
    std::string fileName_;
    std::string damagedSource_;
    FileStamp fileStamp_; // of the file at fileName_
    ChartBasis chartBasis_ = ChartBasis::Eintrag;
    bool fullTankIntervals_ = true;
    SaveOptions saveOptions_;
    EditHistory history_;
    int openSteps_ = 0;
    std::vector<DocumentListener*> listeners_;
    int resetDepth_ = 0;
};

} // namespace spritlog
