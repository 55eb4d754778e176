#pragma once

#include "logbook/errors.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace spritlog {

// Whether the lines of a native file fit its record count. The file stores its cells
// column by column, so one line too many or too few moves every later cell into the
// neighbouring record; such a file is damaged. It fits when, counted from the count line
// on (empty lines before it do not count) up to the end or a Ctrl-Z byte, it has exactly
// 1 + 10 x N lines, or one more that is empty (a final line end too many). The last line
// may lack its line end. A file without a count line (empty, only blanks) fits; a first
// line that is no count is left to the reader, which reports it.
class LogbookShape {
public:
    // Takes the file's bytes piece by piece.
    void feed(std::string_view bytes);
    // The file has ended.
    void finish();

    // Past the end or a Ctrl-Z byte: the rest does not matter.
    bool done() const { return state_ == State::Done; }
    bool fits() const;
    long long records() const { return records_; }
    // The cell lines after the count line, and how many the count asks for.
    long long lines() const;
    long long expectedLines() const { return 10 * records_; }

private:
    enum class State { BeforeCount, CountText, Lines, Done };
    void takeCount();

    State state_ = State::BeforeCount;
    std::string countText_;
    bool counted_ = false; // a valid count line was found
    long long records_ = 0;
    long long lineEnds_ = -1;       // LF after the count line's own
    std::size_t lastLineBytes_ = 0; // bytes after the last LF
    bool lineHasText_ = false;      // the bytes after the last LF hold more than CR
    bool endedLineHasText_ = false; // the same for the line the last LF ended
};

// "Die Datei ist beschädigt: 619 statt 620 Zeilen für 62 Datensätze." (Windows-1252): the
// cell lines after the count line.
std::string DamagedLogbookMessage(const LogbookShape& shape);

// A native file whose lines do not fit its record count.
class DamagedLogbook : public Error {
public:
    explicit DamagedLogbook(const LogbookShape& shape)
        : Error(DamagedLogbookMessage(shape)), shape_(shape) {}
    const LogbookShape& shape() const { return shape_; }

private:
    LogbookShape shape_;
};

} // namespace spritlog
