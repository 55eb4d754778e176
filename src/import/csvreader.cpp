#include "import/csvreader.h"

#include "import/values.h"

#include <algorithm>

namespace spritlog::import {

bool RowIsBlank(const CsvRow& row) {
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::string& f) { return Trim(f).empty(); });
}

namespace {

void Fault(CsvRow& row, CsvFault kind) {
    if (row.fault == CsvFault::None) {
        row.fault = kind;
        row.faultField = static_cast<int>(row.fields.size()) + 1;
    }
}

// Reads rows one after the other from the start of a text.
class CsvScanner {
public:
    CsvScanner(std::string_view text, const CsvDialect& dialect)
        : text_(text), dialect_(dialect), n_(text.size()) {}

    bool done() const { return i_ >= n_; }
    CsvRow readRow();

private:
    // CR LF, LF, or a CR as the file's last byte.
    bool atLineEnd(std::size_t p) const {
        return p >= n_ || text_[p] == '\n' ||
               (text_[p] == '\r' && (p + 1 >= n_ || text_[p + 1] == '\n'));
    }
    // The quoted field whose quote is at `quote`; a fault goes to `row`.
    void readQuoted(CsvRow& row, std::string& field, std::size_t quote);
    void readPlain(std::string& field);

    std::string_view text_;
    const CsvDialect& dialect_;
    std::size_t n_;
    std::size_t i_ = 0;
    int line_ = 1;
};

CsvRow CsvScanner::readRow() {
    CsvRow row;
    row.line = line_;
    row.emptyLine = atLineEnd(i_);
    for (;;) {
        std::string field;
        std::size_t lead = i_;
        if (dialect_.blanksBeforeQuote) {
            while (lead < n_ && IsBlank(text_[lead]))
                ++lead;
        }
        if (lead < n_ && text_[lead] == '"')
            readQuoted(row, field, lead);
        else
            readPlain(field);
        row.fields.push_back(std::move(field));
        if (i_ < n_ && text_[i_] == dialect_.separator) {
            ++i_;
            // The line's last field, empty, follows the separator.
            row.lastTerminated = atLineEnd(i_);
            continue;
        }
        break;
    }
    if (i_ < n_ && text_[i_] == '\r')
        ++i_;
    if (i_ < n_ && text_[i_] == '\n') {
        ++i_;
        ++line_;
    }
    return row;
}

void CsvScanner::readQuoted(CsvRow& row, std::string& field, std::size_t quote) {
    const char separator = dialect_.separator;
    i_ = quote + 1;
    bool closed = false;
    while (i_ < n_) {
        const char c = text_[i_];
        if (c == '"') {
            if (i_ + 1 < n_ && text_[i_ + 1] == '"') {
                field.push_back('"');
                i_ += 2;
                continue;
            }
            ++i_;
            closed = true;
            break;
        }
        if (c == '\\' && dialect_.backslashQuotes && i_ + 1 < n_ && text_[i_ + 1] == '"' &&
            !(i_ + 2 < n_ && text_[i_ + 2] == separator) && !atLineEnd(i_ + 2)) {
            field.push_back('"');
            i_ += 2;
            continue;
        }
        if (c == '\n' || c == '\r') {
            if (!dialect_.multiLine && atLineEnd(i_))
                break;
            if (c == '\n')
                ++line_;
            if (c == '\n' || !(i_ + 1 < n_ && text_[i_ + 1] == '\n'))
                field.push_back(' ');
        } else {
            field.push_back(c);
        }
        ++i_;
    }
    if (!closed) {
        Fault(row, CsvFault::OpenQuote);
        return;
    }
    if (dialect_.blanksBeforeQuote) {
        while (i_ < n_ && IsBlank(text_[i_]))
            ++i_;
    }
    if (i_ < n_ && text_[i_] != separator && !atLineEnd(i_)) {
        Fault(row, CsvFault::TextAfterQuote);
        while (i_ < n_ && text_[i_] != separator && !atLineEnd(i_))
            field.push_back(text_[i_++]);
    }
}

void CsvScanner::readPlain(std::string& field) {
    while (i_ < n_ && text_[i_] != dialect_.separator && !atLineEnd(i_))
        field.push_back(text_[i_++]);
    if (dialect_.singleQuotes) {
        const std::string_view trimmed = Trim(field);
        if (trimmed.size() >= 2 && trimmed.front() == '\'' && trimmed.back() == '\'')
            field = std::string(trimmed.substr(1, trimmed.size() - 2));
    }
}

} // namespace

std::vector<CsvRow> ReadCsvRows(std::string_view text, const CsvDialect& dialect,
                                std::size_t contentRows) {
    std::vector<CsvRow> rows;
    CsvScanner scanner(text, dialect);
    while (!scanner.done()) {
        CsvRow row = scanner.readRow();
        const bool content = !RowIsBlank(row);
        rows.push_back(std::move(row));
        if (content && --contentRows == 0)
            break;
    }
    return rows;
}

} // namespace spritlog::import
