// The readable report (print preview, PDF) and the chart pictures.
#include "app/window/mainwindow.h"

#include "app/window/logbookmodel.h"
#include "app/window/prompts.h"

#include "charts/chartviews.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "platform/reportrenderer.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabBar>

#include <algorithm>

namespace spritlog {
namespace {

// A picture narrower than this would squeeze the chart's texts together.
constexpr int kPictureMinWidth = 1200;

// `extension` (with its dot) appended to a name typed without it.
QString WithExtension(const QString& path, const QString& extension) {
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

QString PresetWithExtension(const std::string& fileName, const char* extension) {
    if (fileName.empty())
        return QString();
    return QString::fromStdString(ReplaceExtension(fileName, extension));
}

} // namespace

PreparedReport TFmain::prepareReport() {
    // The figures as the pages would show them now; the views hear about the recomputed
    // columns, also when the calculation stops with an error.
    document_.calculate();
    return PrepareReport(document_.table(), document_.chartSource(), document_.fileName(),
                         services_.clock(), Tab->currentIndex(), zoomIndex());
}

void TFmain::m_DruckvorschauClick() {
    const PreparedReport report = prepareReport();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(QStringLiteral("Spritlog"));
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    const ReportChartPainter chart = report.chartPainter();
    // Drawn again for every change of the page set-up and for the printer the user picks.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        runCommand([&] { RenderReport(report.content, *target, chart); });
    });
    prompts().showPrintPreview(dialog);
}

void TFmain::m_AlsPdfSpeichernClick() {
    const PreparedReport report = prepareReport();
    QString chosen = prompts().getOutputFileName(
        this, PresetWithExtension(document_.fileName(), "pdf"),
        {QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("Alle Dateien (*)")});
    if (chosen.isEmpty())
        return;
    chosen = WithExtension(chosen, QStringLiteral(".pdf"));
    WriteReportPdf(report.content, report.chartPainter(), chosen);
    prompts().showNotice(this, QStringLiteral("Datei gespeichert als: ") + chosen);
}

std::unique_ptr<ChartPicture> TFmain::shownChartPicture() {
    const int tab = Tab->currentIndex();
    if (tab < 0 || tab >= kChartViewCount || RecordCount() < 3 || !p_chart->isVisible())
        return nullptr;
    // The page's chart at its shape, wide enough to read.
    QSize size = p_chart->size();
    if (size.width() < kPictureMinWidth)
        size = QSize(kPictureMinWidth,
                     std::max(400, size.height() * kPictureMinWidth / std::max(1, size.width())));
    return std::make_unique<ChartPicture>(document_.chartSource(), tab + 1, zoomIndex(), size);
}

void TFmain::m_GrafikSpeichernClick() {
    const std::unique_ptr<ChartPicture> picture = shownChartPicture();
    if (!picture)
        return;
    const std::string base = document_.hasFileName() ? ReplaceExtension(document_.fileName(), "png")
                                                     : std::string("grafik.png");
    QString chosen = prompts().getOutputFileName(this, QString::fromStdString(base),
                                                 {QStringLiteral("PNG-Bild (*.png)"),
                                                  QStringLiteral("SVG-Grafik (*.svg)"),
                                                  QStringLiteral("Alle Dateien (*)")});
    if (chosen.isEmpty())
        return;
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg"))
        chosen = WithExtension(chosen, QStringLiteral(".png"));
    picture->write(chosen, PictureFormatFor(chosen));
    prompts().showNotice(this, QStringLiteral("Datei gespeichert als: ") + chosen);
}

void TFmain::m_GrafikKopierenClick() {
    const std::unique_ptr<ChartPicture> picture = shownChartPicture();
    if (!picture)
        return;
    QApplication::clipboard()->setImage(picture->image());
}

} // namespace spritlog
