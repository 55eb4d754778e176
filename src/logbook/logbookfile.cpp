#include "logbook/logbookfile.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace spritlog {

namespace {

// The input columns in the order the file stores them.
constexpr int kFileColumns[] = {ColDatum,      ColKmStand, ColLiter, ColLiterpreis, ColBenzin,
                                ColTankstelle, ColOrt,     ColNote1, ColNote2,      ColNote3};
constexpr long long kFileColumnCount = sizeof kFileColumns / sizeof kFileColumns[0];

// A Ctrl-Z byte ends a text file wherever it stands.
constexpr char kEndOfFile = '\x1A';
constexpr std::size_t kMaxCountText = 32;
constexpr std::size_t kChunkSize = 64 * 1024;

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

[[noreturn]] void ThrowIoError(int errorNumber) {
    throw Error(IoErrorMessage(errorNumber));
}

// Reads the native format from consecutive pieces of the file, so that a large file never
// has to be held in memory as a whole and nothing after the last wanted line is read.
class LogbookParser {
public:
    explicit LogbookParser(TextTable& grid) : grid_(grid) {}

    // False once the rest of the input no longer matters.
    bool feed(std::string_view bytes);
    // The input has ended.
    void finish() { reachEnd(); }

private:
    enum class State { CountBlanks, CountText, CountLineRest, CellText, CellLineRest, Done };

    void takeCount();
    void startRecords();
    void storeCell(std::string_view text);
    void reachEnd();

    TextTable& grid_;
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
            while (pos < bytes.size() && IsBlankOrControl(bytes[pos]) && bytes[pos] != kEndOfFile)
                ++pos;
            if (pos == bytes.size())
                break;
            if (bytes[pos] == kEndOfFile)
                reachEnd();
            else
                state_ = State::CountText;
            break;
        case State::CountText: {
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
            break;
        }
        case State::CountLineRest: {
            // Only LF ends the count line; a lone CR is part of the skipped rest.
            const std::size_t end = FindLineEnd(bytes, pos, false);
            if (end == std::string_view::npos) {
                pos = bytes.size();
            } else if (bytes[end] == kEndOfFile) {
                reachEnd();
            } else {
                pos = end + 1;
                startRecords();
            }
            break;
        }
        case State::CellText: {
            const std::size_t end = FindLineEnd(bytes, pos, true);
            if (end == std::string_view::npos) {
                pending_.append(bytes.substr(pos));
                pos = bytes.size();
                break;
            }
            std::string_view text = bytes.substr(pos, end - pos);
            if (!pending_.empty()) {
                pending_.append(text);
                text = pending_;
            }
            storeCell(text);
            pending_.clear();
            pos = end + 1;
            if (bytes[end] == kEndOfFile)
                state_ = State::Done;
            else if (bytes[end] == '\r' && state_ != State::Done)
                state_ = State::CellLineRest;
            break;
        }
        case State::CellLineRest: {
            const std::size_t end = FindLineEnd(bytes, pos, false);
            if (end == std::string_view::npos) {
                pos = bytes.size();
            } else if (bytes[end] == kEndOfFile) {
                state_ = State::Done;
            } else {
                pos = end + 1;
                state_ = State::CellText;
            }
            break;
        }
        case State::Done:
            break;
        }
    }
    return state_ != State::Done;
}

void LogbookParser::takeCount() {
    int32_t value = 0;
    // An absurd count would make the table allocate millions of rows for nothing.
    if (!TryTextToInteger(pending_, value) || value > kMaxRecordCount)
        throw Error(kInvalidNumericInput);
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

// Collects the lines and writes them in large pieces, checking every write.
class FileSink : public LineSink {
public:
    FileSink(FileOps& ops, int fd) : ops_(ops), fd_(fd) { buffer_.reserve(kChunkSize + 256); }

    void writeLine(std::string_view line) override {
        buffer_.append(line);
        buffer_.append("\r\n");
        if (buffer_.size() >= kChunkSize)
            flush();
    }

    void flush() {
        const char* data = buffer_.data();
        std::size_t left = buffer_.size();
        while (left > 0) {
            const ssize_t written = ops_.writeSome(fd_, data, left);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                ThrowIoError(errno);
            }
            if (written == 0)
                ThrowIoError(ENOSPC);
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        buffer_.clear();
    }

private:
    FileOps& ops_;
    int fd_;
    std::string buffer_;
};

// "<dir>/<name>.XXXXXX" beside the target, so the final rename stays on one file system.
std::string TemporaryTemplate(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    // Leave room for the suffix within the usual 255-byte name limit.
    const std::size_t nameLength = std::min<std::size_t>(path.size() - nameStart, 200);
    return path.substr(0, nameStart + nameLength) + ".XXXXXX";
}

// The backup keeps the file under the name with "bak" for its last three characters. When
// those characters reach into the directory part, that name lies in another directory, and
// no backup is made.
void MakeBackup(FileOps& ops, const std::string& path) {
    const std::size_t replaced = std::min<std::size_t>(path.size(), 3);
    if (path.find('/', path.size() - replaced) != std::string::npos)
        return;
    const std::string backup = ReplaceExtension(path, "bak");
    // An existing backup stays; a failure here does not stop the save.
    (void)ops.renameNoReplace(path.c_str(), backup.c_str());
}

// Saving puts a new file in place of the old one. When the name is a symbolic link, the
// file it leads to is the one replaced, so the link stays a link and leads to the new
// contents, as it would if the file were written in place. A link that leads nowhere is
// replaced like any other name.
std::string FileToReplace(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

} // namespace

std::string IoErrorMessage(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    default:
        return "I/O error " + IntegerToText(errorNumber);
    }
}

void ParseLogbook(std::string_view bytes, TextTable& grid) {
    LogbookParser parser(grid);
    if (parser.feed(bytes))
        parser.finish();
}

bool ReadLogbookFile(const std::string& path, TextTable& grid) {
    FileOps& ops = CurrentFileOps();
    struct stat info;
    if (ops.statPath(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        // Anything else (a name too long, no permission) is reported by the open below.
    } else if (S_ISDIR(info.st_mode)) {
        return false;
    }

    // The file may have gone since the check; the open then reports it like any failure.
    const int fd = ops.openForReading(path.c_str());
    if (fd < 0)
        ThrowIoError(errno);
    try {
        LogbookParser parser(grid);
        std::vector<char> buffer(kChunkSize);
        for (;;) {
            const ssize_t got = ops.readSome(fd, buffer.data(), buffer.size());
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                ThrowIoError(errno);
            }
            if (got == 0) {
                parser.finish();
                break;
            }
            if (!parser.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got))))
                break;
        }
    } catch (...) {
        (void)ops.closeFile(fd);
        throw;
    }
    if (ops.closeFile(fd) != 0)
        ThrowIoError(errno);
    return true;
}

void WriteNativeFile(LineSink& sink, const TextTable& grid) {
    const int count = RecordCount(grid);
    sink.writeLine(IntegerToText(count));
    for (const int column : kFileColumns)
        for (int row = 1; row <= count; ++row)
            sink.writeLine(grid.cell(column, row));
}

void ReplaceFile(const std::string& path, bool backup,
                 const std::function<void(LineSink&)>& write) {
    FileOps& ops = CurrentFileOps();
    const std::string file = FileToReplace(path);

    struct stat info;
    const bool exists = ops.statPath(file.c_str(), &info) == 0;
    if (backup && exists && !S_ISDIR(info.st_mode))
        MakeBackup(ops, file);

    std::string temporary = TemporaryTemplate(file);
    int fd = ops.createTemporary(temporary.data());
    if (fd < 0) {
        // Creating in a directory that does not exist: the path, not the file, is wrong.
        ThrowIoError(errno == ENOENT ? ENOTDIR : errno);
    }
    try {
        // A replaced file keeps its permissions.
        if (exists && S_ISREG(info.st_mode) && ops.setMode(fd, info.st_mode & 0777) != 0)
            ThrowIoError(errno);

        FileSink sink(ops, fd);
        write(sink);
        sink.flush();
        if (ops.syncFile(fd) != 0)
            ThrowIoError(errno);
        const int closing = fd;
        fd = -1; // closed even when close reports an error
        if (ops.closeFile(closing) != 0)
            ThrowIoError(errno);
        if (ops.renameFile(temporary.c_str(), file.c_str()) != 0)
            ThrowIoError(errno);
    } catch (...) {
        if (fd >= 0)
            (void)ops.closeFile(fd);
        (void)ops.removeFile(temporary.c_str());
        throw;
    }
}

} // namespace spritlog
