#include "logbook/logbookfile.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/stat.h>

namespace spritlog {

namespace {

// The input columns in the order the file stores them.
constexpr int kFileColumns[] = {ColDatum,      ColKmStand, ColLiter, ColLiterpreis, ColBenzin,
                                ColTankstelle, ColOrt,     ColNote1, ColNote2,      ColNote3};
constexpr long long kFileColumnCount = sizeof kFileColumns / sizeof kFileColumns[0];

// A Ctrl-Z byte ends a text file wherever it stands.
constexpr char kEndOfFile = '\x1A';
constexpr std::size_t kMaxCountText = 32;

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The first byte at or after `pos` that ends a cell's text (CR, LF, Ctrl-Z), or, with
// `crEnds` false, that ends a skipped rest of a line (LF, Ctrl-Z); npos when there is none.
// Nearly every byte lies above 0x1A, so one comparison settles it.
std::size_t FindLineEnd(std::string_view bytes, std::size_t pos, bool crEnds) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (const std::size_t size = bytes.size(); pos < size; ++pos) {
        const unsigned char c = data[pos];
        if (c <= 0x1A && (c == '\n' || c == 0x1A || (crEnds && c == '\r')))
            return pos;
    }
    return std::string_view::npos;
}

// Reads the native format from consecutive pieces of the file, so that a large file never
// has to be held in memory as a whole and nothing after the last wanted line is read.
class LogbookParser {
public:
    // `sizeHint`: the size of the whole input when known, room for its long texts.
    explicit LogbookParser(TextTable& grid, std::size_t sizeHint = 0)
        : grid_(grid), sizeHint_(sizeHint) {}

    // False once the rest of the input no longer matters.
    bool feed(std::string_view bytes);
    // The input has ended.
    void finish() { reachEnd(); }

private:
    enum class State { CountBlanks, CountText, CountLineRest, CellText, CellLineRest, Done };

    // Each state reads from `pos` on and gives where the next one goes on.
    std::size_t skipCountBlanks(std::string_view bytes, std::size_t pos);
    std::size_t readCountText(std::string_view bytes, std::size_t pos);
    std::size_t skipLineRest(std::string_view bytes, std::size_t pos, State rest);
    std::size_t readCellText(std::string_view bytes, std::size_t pos);
    void takeCount();
    void startRecords();
    void storeCell(std::string_view text);
    void reachEnd();

    TextTable& grid_;
    std::size_t sizeHint_;
    State state_ = State::CountBlanks;
    std::string pending_; // the count's text, or the part of a cell read so far
    long long count_ = 0;
    // The next cell to fill: file column (index into kFileColumns) and record row.
    int fileColumn_ = 0;
    int row_ = 1;
};

bool LogbookParser::feed(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size() && state_ != State::Done) {
        switch (state_) {
        case State::CountBlanks:
            pos = skipCountBlanks(bytes, pos);
            break;
        case State::CountText:
            pos = readCountText(bytes, pos);
            break;
        case State::CountLineRest:
            pos = skipLineRest(bytes, pos, State::CountLineRest);
            break;
        case State::CellText:
            pos = readCellText(bytes, pos);
            break;
        case State::CellLineRest:
            pos = skipLineRest(bytes, pos, State::CellLineRest);
            break;
        case State::Done:
            break;
        }
    }
    return state_ != State::Done;
}

std::size_t LogbookParser::skipCountBlanks(std::string_view bytes, std::size_t pos) {
    while (pos < bytes.size() && IsBlankOrControl(bytes[pos]) && bytes[pos] != kEndOfFile)
        ++pos;
    if (pos == bytes.size())
        return pos;
    if (bytes[pos] == kEndOfFile)
        reachEnd();
    else
        state_ = State::CountText;
    return pos;
}

std::size_t LogbookParser::readCountText(std::string_view bytes, std::size_t pos) {
    const char c = bytes[pos];
    if (c == kEndOfFile) {
        reachEnd();
    } else if (IsBlankOrControl(c)) {
        takeCount();
        ++pos;
        if (c == '\n')
            startRecords();
        else
            state_ = State::CountLineRest;
    } else if (pending_.size() == kMaxCountText) {
        // The count's text ends here; this character belongs to the skipped rest.
        takeCount();
        state_ = State::CountLineRest;
    } else {
        pending_ += c;
        ++pos;
    }
    return pos;
}

// Only LF ends the rest of a line; a lone CR is part of it.
std::size_t LogbookParser::skipLineRest(std::string_view bytes, std::size_t pos, State rest) {
    const std::size_t end = FindLineEnd(bytes, pos, false);
    if (end == std::string_view::npos)
        return bytes.size();
    if (bytes[end] == kEndOfFile) {
        if (rest == State::CountLineRest)
            reachEnd();
        else
            state_ = State::Done;
        return pos;
    }
    if (rest == State::CountLineRest)
        startRecords();
    else
        state_ = State::CellText;
    return end + 1;
}

std::size_t LogbookParser::readCellText(std::string_view bytes, std::size_t pos) {
    const std::size_t end = FindLineEnd(bytes, pos, true);
    if (end == std::string_view::npos) {
        pending_.append(bytes.substr(pos));
        return bytes.size();
    }
    std::string_view text = bytes.substr(pos, end - pos);
    if (!pending_.empty()) {
        pending_.append(text);
        text = pending_;
    }
    storeCell(text);
    pending_.clear();
    if (bytes[end] == kEndOfFile)
        state_ = State::Done;
    else if (bytes[end] == '\r' && state_ != State::Done)
        state_ = State::CellLineRest;
    return end + 1;
}

void LogbookParser::takeCount() {
    int32_t value = 0;
    // A first line that is no whole number (beyond 32 bits included) says that this is
    // another program's file, a CSV export for one.
    if (!TryTextToInteger(pending_, value))
        throw Error(kNotALogbook);
    // An absurd count would make the table allocate millions of rows for nothing.
    if (value > kMaxRecordCount)
        throw Error(kTooManyRecords);
    count_ = value > 0 ? value : 0;
    pending_.clear();
}

void LogbookParser::startRecords() {
    if (grid_.columnCount() < kLogbookColumns)
        grid_.setColumnCount(kLogbookColumns);
    const int oldRecords = RecordCount(grid_);
    grid_.setRowCount(static_cast<int>(count_) + 1);
    // Rows added just now are empty already.
    const int kept = std::min(oldRecords, static_cast<int>(count_));
    for (int row = 1; row <= kept; ++row)
        ClearRecord(grid_, row);
    // The cells' texts come from the file, so they never need more room than its bytes.
    grid_.reservePool(sizeHint_);
    fileColumn_ = 0;
    row_ = 1;
    state_ = count_ > 0 ? State::CellText : State::Done;
}

void LogbookParser::storeCell(std::string_view text) {
    if (!text.empty()) {
        grid_.setCell(kFileColumns[fileColumn_], row_, text);
    }
    if (++row_ > count_) {
        row_ = 1;
        if (++fileColumn_ == kFileColumnCount)
            state_ = State::Done;
    }
}

void LogbookParser::reachEnd() {
    switch (state_) {
    case State::CountBlanks:
        // Nothing but blanks and line ends: an empty logbook.
        count_ = 0;
        startRecords();
        break;
    case State::CountText:
        takeCount();
        startRecords();
        break;
    case State::CountLineRest:
        startRecords();
        break;
    case State::CellText:
        // The last line may lack its line end.
        storeCell(pending_);
        pending_.clear();
        break;
    case State::CellLineRest:
    case State::Done:
        break;
    }
    // Every further read gives empty text: the cells not reached stay empty.
    state_ = State::Done;
}

} // namespace

void ParseLogbook(std::string_view bytes, TextTable& grid) {
    LogbookParser parser(grid);
    if (parser.feed(bytes))
        parser.finish();
}

bool ReadLogbookFile(const std::string& path, TextTable& grid, FileStamp* read,
                     LogbookShape* shape) {
    FileOps& ops = CurrentFileOps();
    struct stat info;
    const bool checked = ops.statPath(path.c_str(), &info) == 0;
    if (!checked) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        // Anything else (a name too long, no permission) is reported by the open below.
    } else if (S_ISDIR(info.st_mode)) {
        return false;
    }

    // The file may have gone since the check; the open then reports it like any failure.
    // The status comes before the bytes, so a write in between shows in the hash.
    LogbookParser parser(grid, checked ? static_cast<std::size_t>(info.st_size) : 0);
    ContentHash hash;
    ContentHash* const hashing = read ? &hash : nullptr;
    bool parsing = true;
    ReadFileInChunks(path, [&parser, &parsing, hashing, shape](std::string_view piece) {
        if (piece.empty()) {
            if (parsing)
                parser.finish();
            if (shape)
                shape->finish();
            return false;
        }
        if (hashing)
            hashing->add(piece);
        if (parsing)
            parsing = parser.feed(piece);
        if (!shape)
            return parsing;
        shape->feed(piece);
        return parsing || !shape->done();
    });
    if (read)
        *read = checked ? MakeFileStamp(info, hash) : FileStamp();
    return true;
}

void WriteNativeFile(LineSink& sink, const TextTable& grid) {
    const int count = RecordCount(grid);
    sink.writeLine(IntegerToText(count));
    for (const int column : kFileColumns)
        for (int row = 1; row <= count; ++row)
            sink.writeLine(grid.cell(column, row));
}

} // namespace spritlog
