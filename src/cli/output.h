#pragma once

#include "logbook/codepage.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace spritlog::cli {

// One row of a table (the logbook, the chart source) as an output line: cells of columns
// 0..columns-1, converted from Windows-1252 to UTF-8, joined by TAB, ended by LF. Columns
// the table lacks print empty.
template <typename Table> std::string RowLine(const Table& table, int row, int columns) {
    std::string line;
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            line += '\t';
        if (column < table.columnCount())
            line += Cp1252ToUtf8(table.cell(column, row));
    }
    line += '\n';
    return line;
}

// A line of Windows-1252 texts joined by TAB, as UTF-8 with LF.
std::string Cp1252Line(std::initializer_list<std::string_view> cells);

// A double as text that reads back as the very same double: 17 significant digits, as
// "%.17g" writes it in the C locale, whatever the locale.
std::string RoundTripNumberText(double value);

// Writes `text` to stdout; false when the output could not be written completely.
bool WriteStdout(std::string_view text);
// "spritlog-cli: " + message + LF on stderr; `utf8Message` is already UTF-8.
void WriteDiagnostic(std::string_view utf8Message);
// A plain line on stderr.
void WriteStderrLine(std::string_view utf8Line);

} // namespace spritlog::cli
