#pragma once

#include "analysis/chartsource.h"
#include "logbook/filestamp.h"
#include "logbook/logbooktable.h"
#include "logbook/texttable.h"
#include "reports/reportcontext.h"

#include <functional>
#include <string>
#include <string_view>

namespace spritlog {

class ChartControl;
class ChartPage;
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
    // Runs where the load refreshes the status bar (after the table is filled).
    std::function<void()> statusBar;
};

// Which writer a file name selects, by its ending, case-insensitively.
enum class WriterKind { Native, Csv, Html, Xlsx };
WriterKind WriterFor(std::string_view path);

// The one open logbook: the table p_Grid shows, the chart source PrepareGrid built from
// it in the shape of the chart basis, the station table p_Info, the current file name and
// how it is saved. The window and spritlog-cli each hold one; views read it, and every
// change of the logbook goes through it.
class LogbookDocument {
public:
    LogbookDocument();

    TextTable& table() { return table_; }
    const TextTable& table() const { return table_; }
    const TextTable& chartSource() const { return chartSource_; }
    const TextTable& stationTable() const { return stationTable_; }
    int recordCount() const { return RecordCount(table_); }

    // UTF-8 path; empty when the logbook has no name yet.
    const std::string& fileName() const { return fileName_; }
    // Another name forgets what the file at the old one looked like.
    void setFileName(std::string fileName);
    bool hasFileName() const;

    // Whether someone else wrote the file at the current name since this document loaded
    // or saved it; false when the file is gone or this document has not read or written it.
    bool fileChangedOnDisk() const;

    ChartBasis chartBasis() const { return chartBasis_; }
    void setChartBasis(ChartBasis basis) { chartBasis_ = basis; }

    SaveOptions& saveOptions() { return saveOptions_; }
    const SaveOptions& saveOptions() const { return saveOptions_; }

    // "&Neu": no name, the header row and one empty record.
    void clear();

    // Makes `path` the current name and fills the table from that native file (noting what
    // the file looked like), then calculates. A missing file gives the notice "Datei nicht
    // gefunden!" and leaves the table as it was; the status-bar hook runs once the table is filled.
    // Throws Error with the I/O message on every other failure, and whatever the calculation
    // throws.
    void load(const std::string& path, const LoadHooks& hooks = {});

    // CalculateValues: the derived columns of every record, then the chart source in the
    // shape of the chart basis. When the derived values fail, the chart source keeps its
    // previous contents; cells written so far stay.
    void calculate();

    // Renumbers the records and gives both status-bar texts.
    StatusTexts updateStatus();

    // Writes the logbook to `path` in the format its ending selects (.csv, .htm/.html,
    // .xlsx, else the native file), with the backup and report texts of the save options. The file
    // is replaced only once it is complete. The current name stays as it is; when `path` is that
    // name, the document notes what it wrote there.
    void saveTo(const std::string& path);

    // Appends the records of an import that succeeded, without calculating.
    void appendImported(const ImportResult& result);

    // The view selector's change: calculates, then draws chart tab 0..6 into `chart` or
    // builds the station table for tab 7 and shows it in place of the chart. Any other
    // tab: only the calculation and the visibility steps. An error of the calculation ends
    // it before anything is shown or drawn.
    void tabChange(int newTab, int zoomIndex, ChartControl& chart, ChartPage& page);

private:
    TextTable table_;
    TextTable chartSource_;
    TextTable stationTable_;
    std::string fileName_;
    FileStamp fileStamp_; // of the file at fileName_
    ChartBasis chartBasis_ = ChartBasis::Eintrag;
    SaveOptions saveOptions_;
};

} // namespace spritlog
