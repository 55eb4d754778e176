#include "cli/commands.h"

#include "cli/energies.h"
#include "cli/output.h"
#include "cli/years.h"
#include "document/figures.h"
#include "document/files.h"
#include "document/importing.h"
#include "document/logbookdocument.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QSettings>

#include <cerrno>
#include <exception>
#include <optional>

namespace spritlog::cli {
namespace {

std::string TableCommand(const LogbookDocument& book) {
    std::string out;
    for (int row = 0; row <= book.recordCount(); ++row)
        out += RowLine(book.table(), row, kLogbookColumns);
    return out;
}

std::string SourceCommand(const LogbookDocument& book) {
    std::string out;
    for (int row = 0; row < book.chartSource().rowCount(); ++row)
        out += RowLine(book.chartSource(), row, kLogbookColumns);
    return out;
}

std::string StatsCommand(LogbookDocument& book, bool window) {
    // The statistics window recomputes the derived values before it opens; the page uses
    // them as they stand.
    if (window)
        book.calculate();
    if (book.recordsTakingPart() < 3)
        throw Notice("Zu wenige Eintr\xE4ge verf\xFC"
                     "gbar");
    const StatisticsLabels labels = ComputeStatistics(book.table(), book.consumptionRule());
    std::string out;
    for (const StatisticsRow& row : kStatisticsRows)
        out += Cp1252Line({labels.caption(row.label), labels.label(row.label)});
    // A logbook of several energies: a line per energy, its figures in cells of their own.
    for (const StatisticsLine& line : labels.lines) {
        out += Cp1252ToUtf8(line.caption);
        for (const std::string& part : line.parts)
            out += "\t" + Cp1252ToUtf8(part);
        out += '\n';
    }
    return out;
}

std::string StationsCommand(LogbookDocument& book) {
    book.calculateForChartPage();
    const TextTable& info = book.rateStations();
    std::string out;
    // The table's last row is always empty.
    for (int row = 0; row + 1 < info.rowCount(); ++row)
        out += RowLine(info, row, kStationColumns);
    return out;
}

std::string ChartCommand(LogbookDocument& book, int view, int zoomIndex,
                         std::optional<Energy> energy) {
    book.calculateForChartPage();
    // One energy's series: the one named, else the logbook's main energy.
    const ChartSeries series =
        energy ? book.chartSeries(view, zoomIndex, *energy) : book.chartSeries(view, zoomIndex);

    // What the chart shows: its point count, both series and the value axis bounds.
    const int32_t points = series.shownCount();
    std::string out = Cp1252Line({series.name});
    out += IntegerToText(points) + "\n";
    for (int32_t i = 0; i < points; ++i)
        out += RoundTripNumberText(series.points[i]) + "\t" + RoundTripNumberText(series.average) +
               "\n";
    out += "axis\t" + RoundTripNumberText(series.axisMinimum) + "\t" +
           RoundTripNumberText(series.axisMaximum) + "\n";
    return out;
}

std::string ExportCommand(LogbookDocument& book, const Invocation& call) {
    if (call.format == "spritmonitor") {
        const std::string target =
            call.exportTarget ? *call.exportTarget : SpritmonitorExportName(call.file);
        book.exportTo(target, WriterKind::Spritmonitor);
        return Cp1252ToUtf8("Datei gespeichert als: ") + target + "\n";
    }
    const std::string target =
        call.exportTarget ? *call.exportTarget : ReplaceExtension(call.file, call.format);
    book.saveTo(target);
    return Cp1252ToUtf8("Datei gespeichert als: ") + target + "\n";
}

// What the tool takes from the window's settings, read by the same rules; it never writes
// them.
CliSettings ReadSettings() {
    using Key = Settings::Key;
    CliSettings settings;
    const auto store = OpenSettingsStore();
    settings.values.read(*store,
                         {Key::Backupspeichern, Key::Anmerkung1, Key::Anmerkung2, Key::Anmerkung3});
    settings.fullTank.read(*store);
    return settings;
}

// Before anything is loaded: the fixed and stored note headers, one empty record, the
// stored backup setting for every save, and the way consumption is computed.
void ApplySettings(LogbookDocument& book, const CliSettings& settings) {
    for (int i = 0; i < 3; ++i)
        book.setHeading(ColNote1 + i, QStringToCell(settings.values.notes[i]));
    book.saveOptions().backup = settings.values.backupspeichern;
    book.setFullTankIntervals(settings.fullTank.on);
}

// Loads FILE (a missing one is a new, empty logbook), appends the records of the source
// and saves FILE. Any failure, the derived values of the result included, leaves FILE as
// it was: there is nobody to decide whether a logbook the window would complain about
// should be kept.
std::string ImportCommand(const Invocation& call, const CliSettings& settings) {
    LogbookDocument book;
    ApplySettings(book, settings);
    LoadHooks hooks;
    hooks.notice = [](std::string_view) {}; // "Datei nicht gefunden!": the save creates it
    book.load(call.file, hooks);

    ImportOptions options;
    options.mapping = call.importMapping;
    ImportResult result = LogbookDocument::readImport(call.importSource, options);
    if (!result.ok())
        throw Notice(
            ImportFailureMessage(result) +
            (result.unrecognised
                 ? "\nEine andere CSV-Datei l\xE4sst sich mit --spalten einlesen (siehe --help)."
                 : ""));
    SkipRecordsInLogbook(result, book.table());
    const bool anything = !result.records.empty();
    if (anything) {
        if (const std::exception_ptr calculation = book.importRecords(result))
            std::rethrow_exception(calculation);
        book.saveTo(call.file);
    }
    std::string out = Cp1252ToUtf8(ImportSuccessMessage(result)) + "\n";
    for (const std::string& line : ImportSummaryLines(result))
        out += Cp1252ToUtf8(line) + "\n";
    // Nothing new: the file stays as it was.
    if (!anything)
        return out;
    return out + Cp1252ToUtf8("Datei gespeichert als: ") + call.file + "\n";
}

} // namespace

void LoadForCli(LogbookDocument& book, const std::string& file, const CliSettings& settings) {
    ApplySettings(book, settings);

    std::optional<std::string> notice;
    LoadHooks hooks;
    hooks.notice = [&notice](std::string_view text) { notice = std::string(text); };
    try {
        book.load(file, hooks);
    } catch (...) {
        // The window would have shown the notice before the error box.
        if (notice)
            WriteDiagnostic(Cp1252ToUtf8(*notice));
        throw;
    }
    if (notice)
        throw Notice(*notice);
    // The cells the calculation could not read spoil only their own records: named, then
    // the command runs.
    for (const CellIssue& issue : book.cellIssues())
        WriteDiagnostic(Cp1252ToUtf8(issue.message));
}

std::string RunCommand(const Invocation& call) {
    const CliSettings settings = ReadSettings();
    if (call.command == Command::Import)
        return ImportCommand(call, settings);
    LogbookDocument book;
    book.setChartBasis(call.perMonth ? ChartBasis::Monat : ChartBasis::Eintrag);
    LoadForCli(book, call.file, settings);
    switch (call.command) {
    case Command::Table:
        return TableCommand(book);
    case Command::Source:
        return SourceCommand(book);
    case Command::Stats:
        return StatsCommand(book, call.statsWindow);
    case Command::Stations:
        return StationsCommand(book);
    case Command::Chart:
        if (!call.pictureTarget.empty()) {
            ChartToPicture(book, call);
            return {};
        }
        return ChartCommand(book, call.view, call.zoomIndex, call.energy);
    case Command::Export:
        return ExportCommand(book, call);
    case Command::Print:
        PrintToPdf(book, call.pdfTarget);
        return {};
    case Command::Report:
        ReportToPdf(book, call.pdfTarget);
        return {};
    case Command::Years:
        return YearsCommand(book, call.monthsOf, SystemLocalTime());
    case Command::Energies:
        return EnergiesCommand(book);
    case Command::Import:
    case Command::Help:
    case Command::Version:
        break;
    }
    return {};
}

} // namespace spritlog::cli
