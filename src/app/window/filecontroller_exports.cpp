// The exports, "Importieren aus CSV...", printing and the readable report.
#include "app/window/filecontroller.h"

#include "app/window/errordisplay.h"
#include "app/window/importmapping.h"
#include "app/window/ordercheck.h"
#include "app/window/prompts.h"
#include "app/window/shelllinks.h"

#include "document/cells.h"
#include "document/files.h"
#include "document/importing.h"
#include "document/printing.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "platform/celltext.h"
#include "platform/printrenderer.h"
#include "platform/reportrenderer.h"

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>

#include <exception>
#include <string>

namespace spritlog {
namespace {

QString PresetWithExtension(const std::string& fileName, const char* extension) {
    if (fileName.empty())
        return QString();
    return QString::fromStdString(ReplaceExtension(fileName, extension));
}

} // namespace

QString WithExtension(const QString& path, const QString& extension) {
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

std::string
FileController::exportTarget(const std::function<std::string(const std::string&)>& nameFor) {
    if (!document_.hasFileName()) {
        const QString chosen = askSaveFileName();
        if (chosen.isEmpty())
            return {};
        document_.setFileName(chosen.toStdString());
    }
    const std::string target = nameFor(document_.fileName());
    const QString shown = QString::fromStdString(target);
    // Next to the logbook may lie a file of the same name the user made elsewhere, such as
    // another program's export: it is replaced only when the user says so.
    if (QFileInfo::exists(shown) &&
        !prompts_.askYesNo(dialogParent_, QStringLiteral("Die Datei „%1“ gibt es schon. Ersetzen?")
                                              .arg(QFileInfo(shown).fileName())))
        return {};
    return target;
}

void FileController::exportTo(const char* extension, bool openAfterwards) {
    const std::string target = exportTarget(
        [extension](const std::string& name) { return ReplaceExtension(name, extension); });
    if (target.empty())
        return;
    const QString shown = QString::fromStdString(target);
    SaveLogbookFile(target);
    prompts_.showNotice(dialogParent_, QStringLiteral("Datei gespeichert als: ") + shown);
    if (openAfterwards)
        ShellOpen(prompts_, shown);
}

void FileController::m_Export_CSVClick() {
    exportTo("csv", false);
}

void FileController::m_Export_HTMLClick() {
    exportTo("htm", true);
}

// The name's last three characters give way to "xlsx", as for the other exports:
// "name.slg" becomes "name.xlsx".
void FileController::m_Export_XLSXClick() {
    exportTo("xlsx", false);
}

void FileController::m_Export_SpritmonitorClick() {
    const std::string target =
        exportTarget([](const std::string& name) { return SpritmonitorExportName(name); });
    if (target.empty())
        return;
    document_.exportTo(target, WriterKind::Spritmonitor);
    prompts_.showNotice(dialogParent_,
                        QStringLiteral("Datei gespeichert als: ") + QString::fromStdString(target));
}

void FileController::m_Import_CSVClick() {
    const QString chosen =
        prompts_.getImportFileName(dialogParent_, QString::fromStdString(document_.fileName()));
    if (chosen.isEmpty())
        return;
    const std::string path = chosen.toStdString();
    ImportResult result = LogbookDocument::readImport(path);
    if (!MapUnknownColumns(prompts_, dialogParent_, path, result))
        return;
    if (!result.ok()) {
        // Nothing has been touched; the box lists what is wrong where.
        prompts_.showError(dialogParent_, CellToQString(ImportFailureMessage(result)));
        return;
    }
    // A file imported again, or an export that overlaps the logbook, adds only what is new.
    SkipRecordsInLogbook(result, document_.table());
    if (result.records.empty()) {
        prompts_.showNotice(dialogParent_,
                            QStringLiteral("Jede Betankung der Datei steht schon im Tankbuch; "
                                           "nichts importiert."));
        return;
    }
    // Nothing changes until the user has seen what the file holds.
    QStringList headers;
    for (int column = 0; column < kLogbookColumns; ++column)
        headers << CellToQString(document_.table().cell(column, 0));
    const auto reparse = [&path, this](const ImportOptions& options) {
        ImportResult again = LogbookDocument::readImport(path, options);
        if (again.ok())
            SkipRecordsInLogbook(again, document_.table());
        return again;
    };
    if (!prompts_.confirmImportWithChoices(dialogParent_, result, headers, reparse) || !result.ok())
        return;
    RememberMapping(path, result);

    const auto cursor = host_.cursorCell();
    const bool inOrder = FirstOdometerDrop(document_.table()) == 0;
    // The records and what the calculation makes of them are undone together. A failing
    // calculation goes to the error display after the status bar and the result are shown.
    const std::exception_ptr calculation = document_.importRecords(result);
    restoreCursor(cursor);
    prompts_.showNotice(dialogParent_, CellToQString(ImportSuccessMessage(result)));
    if (calculation)
        std::rethrow_exception(calculation);
    // Records placed by date whose readings do not fit in: the user may sort.
    if (inOrder)
        (void)OfferSortByDate(document_, prompts_, dialogParent_,
                              {[this] { return host_.cursorCell(); },
                               [this](CellPosition cell) { host_.setCursorCell(cell); }, nullptr});
}

void FileController::m_DruckenClick() {
    const std::unique_ptr<QPrinter> printer = printer_();
    if (!printer || !printer->isValid())
        throw Error("Kein Drucker verf\xFCgbar");
    printer->setDocName(QStringLiteral("Spritlog"));
    RenderPrintLayout(BuildPrintLayout(document_.table(), document_.fileName()), *printer);
    prompts_.showNotice(dialogParent_, QStringLiteral("Datei wird gedruckt..."));
}

void FileController::m_DruckvorschauClick() {
    const PreparedReport report = host_.prepareReport();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(QStringLiteral("Spritlog"));
    QPrintPreviewDialog dialog(&printer, dialogParent_);
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    const ReportChartPainter chart = report.chartPainter();
    // Drawn again for every change of the page set-up and for the printer the user picks.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        RunCommand(prompts_, dialogParent_, [&] { RenderReport(report.content, *target, chart); });
    });
    prompts_.showPrintPreview(dialog);
}

void FileController::m_AlsPdfSpeichernClick() {
    const PreparedReport report = host_.prepareReport();
    QString chosen = prompts_.getOutputFileName(
        dialogParent_, PresetWithExtension(document_.fileName(), "pdf"),
        {QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("Alle Dateien (*)")});
    if (chosen.isEmpty())
        return;
    chosen = WithExtension(chosen, QStringLiteral(".pdf"));
    WriteReportPdf(report.content, report.chartPainter(), chosen);
    prompts_.showNotice(dialogParent_, QStringLiteral("Datei gespeichert als: ") + chosen);
}

} // namespace spritlog
