#include "import/csvreader.h"

#include "import/values.h"

#include <algorithm>

namespace spritlog::import {

bool RowIsBlank(const CsvRow& row) {
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::string& f) { return Trim(f).empty(); });
}

std::vector<CsvRow> ReadCsvRows(std::string_view text, const CsvDialect& dialect,
                                std::size_t contentRows) {
    std::vector<CsvRow> rows;
    const char separator = dialect.separator;
    const std::size_t n = text.size();
    std::size_t i = 0;
    int line = 1;
    // CR LF, LF, or a CR as the file's last byte.
    auto atLineEnd = [&](std::size_t p) {
        return p >= n || text[p] == '\n' ||
               (text[p] == '\r' && (p + 1 >= n || text[p + 1] == '\n'));
    };
    auto fault = [](CsvRow& row, CsvFault kind) {
        if (row.fault == CsvFault::None) {
            row.fault = kind;
            row.faultField = static_cast<int>(row.fields.size()) + 1;
        }
    };
    while (i < n) {
        CsvRow row;
        row.line = line;
        row.emptyLine = atLineEnd(i);
        for (;;) {
            std::string field;
            std::size_t lead = i;
            if (dialect.blanksBeforeQuote) {
                while (lead < n && IsBlank(text[lead]))
                    ++lead;
            }
            if (lead < n && text[lead] == '"') {
                i = lead + 1;
                bool closed = false;
                while (i < n) {
                    const char c = text[i];
                    if (c == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == '\\' && dialect.backslashQuotes && i + 1 < n && text[i + 1] == '"' &&
                        !(i + 2 < n && text[i + 2] == separator) && !atLineEnd(i + 2)) {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    if (c == '\n' || c == '\r') {
                        if (!dialect.multiLine && atLineEnd(i))
                            break;
                        if (c == '\n')
                            ++line;
                        if (c == '\n' || !(i + 1 < n && text[i + 1] == '\n'))
                            field.push_back(' ');
                    } else {
                        field.push_back(c);
                    }
                    ++i;
                }
                if (!closed) {
                    fault(row, CsvFault::OpenQuote);
                } else {
                    if (dialect.blanksBeforeQuote) {
                        while (i < n && IsBlank(text[i]))
                            ++i;
                    }
                    if (i < n && text[i] != separator && !atLineEnd(i)) {
                        fault(row, CsvFault::TextAfterQuote);
                        while (i < n && text[i] != separator && !atLineEnd(i))
                            field.push_back(text[i++]);
                    }
                }
            } else {
                while (i < n && text[i] != separator && !atLineEnd(i))
                    field.push_back(text[i++]);
                if (dialect.singleQuotes) {
                    const std::string_view trimmed = Trim(field);
                    if (trimmed.size() >= 2 && trimmed.front() == '\'' && trimmed.back() == '\'')
                        field = std::string(trimmed.substr(1, trimmed.size() - 2));
                }
            }
            row.fields.push_back(std::move(field));
            if (i < n && text[i] == separator) {
                ++i;
                // The line's last field, empty, follows the separator.
                row.lastTerminated = atLineEnd(i);
                continue;
            }
            break;
        }
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n') {
            ++i;
            ++line;
        }
        const bool content = !RowIsBlank(row);
        rows.push_back(std::move(row));
        if (content && --contentRows == 0)
            break;
    }
    return rows;
}

} // namespace spritlog::import
