// The exports, "Importieren aus CSV...", printing and the readable report.
#include "app/window/filecontroller.h"

#include "app/window/importmapping.h"
#include "app/window/prompts.h"
#include "app/window/shelllinks.h"

#include "import/csvimport.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/logbookfile.h"
#include "platform/celltext.h"
#include "platform/printrenderer.h"
#include "platform/reportrenderer.h"
#include "reports/printlayout.h"
#include "reports/reportcontext.h"

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

void FileController::exportTo(const char* extension, bool openAfterwards) {
    if (!document_.hasFileName()) {
        const QString chosen = askSaveFileName();
        if (chosen.isEmpty())
            return;
        document_.setFileName(chosen.toStdString());
    }
    const std::string target = ReplaceExtension(document_.fileName(), extension);
    const QString shown = QString::fromStdString(target);
    // Next to the logbook may lie a file of the same name the user made elsewhere, such as
    // another program's export: it is replaced only when the user says so.
    if (QFileInfo::exists(shown) &&
        !prompts_.askYesNo(dialogParent_, QStringLiteral("Die Datei „%1“ gibt es schon. Ersetzen?")
                                              .arg(QFileInfo(shown).fileName())))
        return;
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
    // Nothing changes until the user has seen what the file holds.
    QStringList headers;
    for (int column = 0; column < kLogbookColumns; ++column)
        headers << CellToQString(document_.table().cell(column, 0));
    const auto reparse = [&path](const ImportOptions& options) {
        return LogbookDocument::readImport(path, options);
    };
    if (!prompts_.confirmImportWithChoices(dialogParent_, result, headers, reparse) || !result.ok())
        return;
    RememberMapping(path, result);

    const auto cursor = hooks_.cursorCell();
    // The records and what the calculation makes of them are undone together. A failing
    // calculation goes to the error display after the status bar and the result are shown.
    const std::exception_ptr calculation = document_.importRecords(result);
    restoreCursor(cursor);
    prompts_.showNotice(dialogParent_, CellToQString(ImportSuccessMessage(result)));
    if (calculation)
        std::rethrow_exception(calculation);
}

void FileController::m_DruckenClick() {
    const std::unique_ptr<QPrinter> printer = hooks_.printer();
    if (!printer || !printer->isValid())
        throw Error("Kein Drucker verf\xFCgbar");
    printer->setDocName(QStringLiteral("Spritlog"));
    RenderPrintLayout(BuildPrintLayout(document_.table(), document_.fileName()), *printer);
    prompts_.showNotice(dialogParent_, QStringLiteral("Datei wird gedruckt..."));
}

void FileController::m_DruckvorschauClick() {
    const PreparedReport report = hooks_.prepareReport();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(QStringLiteral("Spritlog"));
    QPrintPreviewDialog dialog(&printer, dialogParent_);
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    const ReportChartPainter chart = report.chartPainter();
    // Drawn again for every change of the page set-up and for the printer the user picks.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        hooks_.runCommand([&] { RenderReport(report.content, *target, chart); });
    });
    prompts_.showPrintPreview(dialog);
}

void FileController::m_AlsPdfSpeichernClick() {
    const PreparedReport report = hooks_.prepareReport();
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
