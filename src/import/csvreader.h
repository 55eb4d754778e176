#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog::import {

// The one reader of quoted, separated fields behind every format.
struct CsvDialect {
    char separator = ';';
    // A quoted field may run over line ends (which become blanks, since a cell holds one
    // line); otherwise every line is a row of its own.
    bool multiLine = true;
    // Blanks before an opening quote are skipped, so ` "a"` is the field a.
    bool blanksBeforeQuote = true;
    // Inside a quoted field \" is a quote as well (as some web exports write it), unless a
    // separator or the line end follows: then the backslash ends the text.
    bool backslashQuotes = false;
    // A field written in single quotes ('EUR', '') is the text inside them.
    bool singleQuotes = false;
};

// The CSV of the other programs' exports as their users have them: quoted fields over
// several lines, \" inside quotes, texts re-quoted with single quotes.
inline CsvDialect ExportDialect(char separator) {
    CsvDialect dialect;
    dialect.separator = separator;
    dialect.backslashQuotes = true;
    dialect.singleQuotes = true;
    return dialect;
}

enum class CsvFault {
    None,
    OpenQuote,      // a quote that is never closed
    TextAfterQuote, // something other than the separator after a closing quote
};

struct CsvRow {
    int line = 0; // line on which the row starts
    std::vector<std::string> fields;
    bool emptyLine = false; // nothing at all stood on the line
    // The line ended with a separator; `fields` then ends with the empty field after it.
    bool lastTerminated = false;
    CsvFault fault = CsvFault::None;
    int faultField = 0; // 1-based field of the first fault
};

// The rows of `text`; with `contentRows`, reading stops after that many rows that are not
// blank, which is all that recognising a format needs.
std::vector<CsvRow> ReadCsvRows(std::string_view text, const CsvDialect& dialect,
                                std::size_t contentRows = SIZE_MAX);

bool RowIsBlank(const CsvRow& row);

} // namespace spritlog::import
