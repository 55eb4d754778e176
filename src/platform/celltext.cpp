#include "platform/celltext.h"

#include "logbook/codepage.h"

#include <algorithm>

namespace spritlog {

QString CellToQString(std::string_view cell) {
    // Most cells are plain ASCII; they need no code page table.
    const bool ascii = std::all_of(cell.begin(), cell.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size()));
    return QString::fromStdString(Cp1252ToUtf8(cell));
}

std::string QStringToCell(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

} // namespace spritlog
