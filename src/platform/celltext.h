#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace spritlog {

// A cell text (Windows-1252) as Qt text, and back; a character Windows-1252 cannot hold
// becomes "?".
QString CellToQString(std::string_view cell);
std::string QStringToCell(const QString& text);

} // namespace spritlog
