#include "commands.h"

#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "charts/chartviews.h"
#include "charts/recordingchart.h"
#include "import/csvimport.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"
#include "output.h"
#include "reports/reportcontext.h"

#include <cerrno>
#include <optional>
#include <vector>

namespace spritlog::cli {
namespace {

constexpr int kPerRecord = 0;
constexpr int kPerMonth = 1;

// The "Grafik" page has nothing to show or hide on the command line.
class NoChartPage : public ChartPage {
public:
    void setChartVisible(bool) override {}
    void setInfoVisible(bool) override {}
    void setRadioGroupsEnabled(bool) override {}
};

std::string TableCommand(const LoadedLogbook& book) {
    std::string out;
    for (int row = 0; row <= RecordCount(book.grid); ++row)
        out += RowLine(book.grid, row, kLogbookColumns);
    return out;
}

std::string SourceCommand(const LoadedLogbook& book) {
    std::string out;
    for (int row = 0; row < book.prepareGrid.rowCount(); ++row)
        out += RowLine(book.prepareGrid, row, kLogbookColumns);
    return out;
}

std::string StatsCommand(LoadedLogbook& book, bool window, int chartBasis) {
    // The statistics window recomputes the derived values before it opens; the page uses
    // them as they stand.
    if (window)
        CalculateValues(book.grid, book.prepareGrid, chartBasis);
    if (RecordCount(book.grid) < 3)
        throw Notice("Zu wenige Eintr\xE4ge verf\xFC"
                     "gbar");
    const StatisticsLabels labels =
        ComputeStatistics(book.grid, window ? StatisticsTarget::Window : StatisticsTarget::Page);
    std::string out;
    for (const StatisticsRow& row : kStatisticsRows)
        out += Cp1252Line({row.caption, labels.label(row.label)});
    return out;
}

std::string StationsCommand(LoadedLogbook& book, int chartBasis) {
    TextTable info;
    RecordingChart chart;
    NoChartPage page;
    TabChange(kStationTab, book.grid, book.prepareGrid, info, chartBasis, 1, chart, page);
    std::string out;
    // The table's last row is always empty.
    for (int row = 0; row + 1 < info.rowCount(); ++row)
        out += RowLine(info, row, kStationColumns);
    return out;
}

std::string ChartCommand(LoadedLogbook& book, int view, int zoomIndex, int chartBasis) {
    TextTable info;
    RecordingChart chart;
    NoChartPage page;
    TabChange(view - 1, book.grid, book.prepareGrid, info, chartBasis, zoomIndex, chart, page);

    // What the chart control received: the point count of the transfer, both series and
    // the value axis bounds.
    const int32_t points = chart.pointCount();
    const std::vector<double> values = chart.seriesValues(0);
    const std::vector<double> averages = chart.seriesValues(1);
    const auto at = [](const std::vector<double>& series, int32_t i) {
        return static_cast<std::size_t>(i) < series.size() ? series[i] : 0.0;
    };
    std::string out = Cp1252Line({kChartViews[view - 1].name});
    out += IntegerToText(points) + "\n";
    for (int32_t i = 0; i < points; ++i)
        out += NumberText17(at(values, i)) + "\t" + NumberText17(at(averages, i)) + "\n";
    out += "axis\t" + NumberText17(chart.axisValue(0)) + "\t" + NumberText17(chart.axisValue(1)) +
           "\n";
    return out;
}

std::string ExportCommand(const LoadedLogbook& book, const Invocation& call,
                          const StoredSettings& settings) {
    const std::string target =
        call.exportTarget ? *call.exportTarget : ReplaceExtension(call.file, call.format);
    SaveOptions options;
    options.backup = settings.backup;
    options.report = DefaultReportContext();
    SaveLogbook(target, book.grid, options);
    return Cp1252ToUtf8("Datei gespeichert als: ") + target + "\n";
}

// The table before anything is loaded: fixed and stored note headers, one empty record.
LoadedLogbook EmptyLogbook(const StoredSettings& settings) {
    LoadedLogbook book{NewLogbookTable(), TextTable()};
    for (int i = 0; i < 3; ++i)
        book.grid.setCell(ColNote1 + i, 0, settings.noteHeaders[i]);
    return book;
}

// Loads FILE (a missing one is a new, empty logbook), appends the records of the source
// and saves FILE. Any failure, the derived values of the result included, leaves FILE as
// it was: there is nobody to decide whether a logbook the window would complain about
// should be kept.
std::string ImportCommand(const Invocation& call, const StoredSettings& settings) {
    LoadedLogbook book = EmptyLogbook(settings);
    LoadHooks hooks;
    hooks.notice = [](std::string_view) {}; // "Datei nicht gefunden!": the save creates it
    LoadLogbook(call.file, book.grid, book.prepareGrid, kPerRecord, hooks);

    const ImportResult result = ParseImportFile(ReadWholeFile(call.importSource));
    if (!result.ok())
        throw Notice(ImportFailureMessage(result));
    AppendImportedRecords(book.grid, result);
    CalculateValues(book.grid, book.prepareGrid, kPerRecord);

    SaveOptions options;
    options.backup = settings.backup;
    options.report = DefaultReportContext();
    SaveLogbook(call.file, book.grid, options);
    return Cp1252ToUtf8(ImportSuccessMessage(result)) + "\n" +
           Cp1252ToUtf8("Datei gespeichert als: ") + call.file + "\n";
}

} // namespace

LoadedLogbook LoadForCli(const std::string& file, int chartBasis, const StoredSettings& settings) {
    LoadedLogbook book = EmptyLogbook(settings);

    std::optional<std::string> notice;
    LoadHooks hooks;
    hooks.notice = [&notice](std::string_view text) { notice = std::string(text); };
    hooks.statusBar = [&book, &file] { UpdateStatusBar(book.grid, file); };
    try {
        LoadLogbook(file, book.grid, book.prepareGrid, chartBasis, hooks);
    } catch (...) {
        // The window would have shown the notice before the error box.
        if (notice)
            WriteDiagnostic(Cp1252ToUtf8(*notice));
        throw;
    }
    if (notice)
        throw Notice(*notice);
    return book;
}

std::string RunCommand(const Invocation& call) {
    const StoredSettings settings = ReadStoredSettings();
    if (call.command == Command::Import)
        return ImportCommand(call, settings);
    const int chartBasis = call.perMonth ? kPerMonth : kPerRecord;
    LoadedLogbook book = LoadForCli(call.file, chartBasis, settings);
    switch (call.command) {
    case Command::Table:
        return TableCommand(book);
    case Command::Source:
        return SourceCommand(book);
    case Command::Stats:
        return StatsCommand(book, call.statsWindow, chartBasis);
    case Command::Stations:
        return StationsCommand(book, chartBasis);
    case Command::Chart:
        return ChartCommand(book, call.view, call.zoomIndex, chartBasis);
    case Command::Export:
        return ExportCommand(book, call, settings);
    case Command::Print:
        PrintToPdf(book, call.file, call.pdfTarget);
        return {};
    case Command::Import:
    case Command::Help:
    case Command::Version:
        break;
    }
    return {};
}

} // namespace spritlog::cli
