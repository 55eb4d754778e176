#include "platform/printrenderer.h"
#include "platform/writeerror.h"

#include "logbook/codepage.h"
#include "logbook/errors.h"

#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QSaveFile>

namespace spritlog {

namespace {

constexpr double kUnitsPerInch = 254.0; // units of 0.1 mm

} // namespace

QFont PrintFont(bool bold) {
    QFont font(QString::fromLatin1(kPrintFontFamily));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setBold(bold);
    // The height is that of the whole character cell, ascent plus descent, as the printer
    // font is chosen; with a larger cell the opaque background of each line would cut off
    // the descenders of the line above (the line pitch is 43).
    int pixelSize = kPrintFontHeight;
    font.setPixelSize(pixelSize);
    while (pixelSize > 1 && QFontMetricsF(font).height() > kPrintFontHeight) {
        font.setPixelSize(--pixelSize);
    }
    return font;
}

void SetUpPrintPainter(QPainter& painter) {
    const QPaintDevice* device = painter.device();
    painter.resetTransform();
    painter.scale(device->logicalDpiX() / kUnitsPerInch, device->logicalDpiY() / kUnitsPerInch);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
}

void DrawPrintPage(QPainter& painter, const PrintPage& page) {
    // Wide enough for any line; what runs past the paper's edge is simply not on it.
    constexpr double kLineWidth = 1.0e6;
    for (const PrintLine& line : page.lines) {
        if (line.text.empty())
            continue;
        painter.setFont(PrintFont(line.bold));
        const QRectF cell(line.x, line.y, kLineWidth, 2 * kPrintFontHeight);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                         QString::fromUtf8(Cp1252ToUtf8(line.text).c_str()));
    }
}

void RenderPrintLayout(const std::vector<PrintPage>& pages, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        throw Error("Der Ausdruck kann nicht beginnen");
    SetUpPrintPainter(painter);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage()) {
            painter.end();
            throw Error("Der Ausdruck kann keine neue Seite beginnen");
        }
        DrawPrintPage(painter, pages[p]);
    }
    if (!painter.end())
        throw Error("Der Ausdruck kann nicht abgeschlossen werden");
}

void WritePrintPdf(const std::vector<PrintPage>& pages, const QString& pdfPath) {
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        ThrowWriteError(pdfPath);
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        // A printer cannot print to the very edge; the layout starts where it could.
        writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("Spritlog"));
        writer.setCreator(QStringLiteral("Spritlog"));
        RenderPrintLayout(pages, writer);
    }
    if (!file.commit())
        ThrowWriteError(pdfPath);
}

} // namespace spritlog
