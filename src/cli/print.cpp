#include "cli/commands.h"

#include "logbook/codepage.h"
#include "logbook/errors.h"
#include "platform/printrenderer.h"
#include "reports/printlayout.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace spritlog::cli {
namespace {

bool IsUtf8(const std::string& text) {
    const QByteArray bytes = QByteArray::fromStdString(text);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

} // namespace

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
