#pragma once

#include "reports/printlayout.h"

#include <QFont>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace spritlog {

// The printout's font: "Courier New" (fontconfig's monospaced stand-in where it is
// missing), bold or regular, sized so that its character cell is 40 units of 0.1 mm high.
QFont PrintFont(bool bold);

// Scales `painter` so that one unit is 0.1 mm on its device (from the device's logical
// resolution), origin at the top left of the printable area, and sets the white opaque
// text background.
void SetUpPrintPainter(QPainter& painter);

// Draws the lines of one page with a painter set up by SetUpPrintPainter. The top of each
// line's character cell stands at the line's y.
void DrawPrintPage(QPainter& painter, const PrintPage& page);

// Draws all pages on `device` (a printer or a PDF writer), one device page each.
// Throws Error when the device cannot be painted on or refuses a new page.
void RenderPrintLayout(const std::vector<PrintPage>& pages, QPagedPaintDevice& device);

// The printout as a PDF file on A4. The file is replaced only once it is complete; throws
// Error with the reason when it cannot be written.
void WritePrintPdf(const std::vector<PrintPage>& pages, const QString& pdfPath);

} // namespace spritlog
