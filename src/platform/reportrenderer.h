#pragma once

#include "reports/reportlayout.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace spritlog {

// Draws the chart into `target` (device coordinates); the window and spritlog-cli give the
// same chart code.
using ReportChartPainter = std::function<void(QPainter& painter, const QRectF& target)>;

// A4 with 12 mm margins, landscape unless told otherwise.
QPageLayout ReportPageLayout(QPageLayout::Orientation orientation = QPageLayout::Landscape);

// Lays the report out for the printable area of `device` (measured with the fonts the pages
// are drawn with) and draws every page, one device page each. Throws Error when the device
// cannot be painted on or refuses a new page.
void RenderReport(const ReportContent& content, QPagedPaintDevice& device,
                  const ReportChartPainter& chart);

// The report as a PDF file on A4 landscape. The file is replaced only once it is complete;
// throws Error with the reason when it cannot be written.
void WriteReportPdf(const ReportContent& content, const ReportChartPainter& chart,
                    const QString& pdfPath);

} // namespace spritlog
