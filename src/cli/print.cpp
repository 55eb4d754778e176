#include "cli/commands.h"

#include "chartwidget/preparedreport.h"
#include "document/printing.h"
#include "logbook/codepage.h"
#include "logbook/errors.h"
#include "platform/printrenderer.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace spritlog::cli {
namespace {

bool IsUtf8(const std::string& text) {
    const QByteArray bytes = QByteArray::fromStdString(text);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

QString FileName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Runs a writer that names the file in UTF-8; messages travel as Windows-1252.
template <typename Write> void Writing(Write write) {
    try {
        write();
    } catch (const Error& e) {
        const std::string message = e.what();
        if (IsUtf8(message))
            throw Error(Utf8ToCp1252(message));
        throw;
    }
}

} // namespace

void ReportToPdf(const LogbookDocument& book, const std::string& pdfPath) {
    // The window's chart page at its start: the first view, zoom "Bereich".
    const PreparedReport report = PrepareReport(book.table(), book.chartSource(), book.fileName(),
                                                SystemLocalTime(), 0, 1, book.consumptionRule());
    Writing([&] { WriteReportPdf(report.content, report.chartPainter(), FileName(pdfPath)); });
}

void ChartToPicture(const LogbookDocument& book, const Invocation& call) {
    // As the page "Grafik" draws it, or one energy's line alone.
    ChartPicture picture(call.energy ? book.chartSeries(call.view, call.zoomIndex, *call.energy)
                                     : book.chartView(call.view, call.zoomIndex),
                         QSize(call.pictureWidth, call.pictureHeight));
    Writing([&] {
        picture.write(FileName(call.pictureTarget),
                      call.pictureSvg ? PictureFormat::Svg : PictureFormat::Png);
    });
}

void PrintToPdf(const LogbookDocument& book, const std::string& pdfPath) {
    const std::vector<PrintPage> pages = BuildPrintLayout(book.table(), book.fileName());
    try {
        WritePrintPdf(pages, QFile::decodeName(QByteArray::fromStdString(pdfPath)));
    } catch (const Error& e) {
        // The renderer names the file in UTF-8; messages travel as Windows-1252.
        const std::string message = e.what();
        if (IsUtf8(message))
            throw Error(Utf8ToCp1252(message));
        throw;
    }
}

} // namespace spritlog::cli
