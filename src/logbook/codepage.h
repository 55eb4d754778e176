#pragma once

#include <string>
#include <string_view>

namespace spritlog {

// Windows-1252 <-> UTF-8. Cells, files and reports are Windows-1252; the terminal, Qt and
// file names are UTF-8. A character Windows-1252 cannot hold becomes '?'. The five bytes
// that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls
// of the same number, so every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view text);
std::string Utf8ToCp1252(std::string_view text);
// The same, but a character without a Windows-1252 byte (or a broken sequence) becomes
// `replacement`, so a caller can tell it from a real '?'.
std::string Utf8ToCp1252(std::string_view text, char replacement);

// Well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF);
// `multibyte` tells whether any character needs more than one byte.
bool IsWellFormedUtf8(std::string_view text, bool& multibyte);

} // namespace spritlog
