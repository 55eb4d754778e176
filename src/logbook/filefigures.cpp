#include "logbook/filefigures.h"

#include "logbook/fileio.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace spritlog {
namespace {

// Counts characters and lines over the pieces of a file; a CR at the end of one piece
// waits for the next to see whether an LF follows.
class LineCounter {
public:
    void feed(std::string_view piece) {
        for (const char c : piece) {
            if (pendingCr_) {
                pendingCr_ = false;
                ++lines_;
                lineOpen_ = false;
                if (c == '\n')
                    continue;
            }
            if (c == '\r') {
                pendingCr_ = true;
            } else if (c == '\n') {
                ++lines_;
                lineOpen_ = false;
            } else {
                ++characters_;
                lineOpen_ = true;
            }
        }
    }

    // Characters plus one per line, the unterminated last line included.
    int64_t figure() const { return characters_ + lines_ + ((pendingCr_ || lineOpen_) ? 1 : 0); }

private:
    int64_t characters_ = 0;
    int64_t lines_ = 0;
    bool pendingCr_ = false;
    bool lineOpen_ = false;
};

} // namespace

FileFigures CountFileFigures(const std::string& path) {
    LineCounter counter;
    ReadFileInChunks(path, [&counter](std::string_view piece) {
        counter.feed(piece);
        return true;
    });

    // The size is what the file system reports for the file.
    std::error_code failure;
    const std::uintmax_t size = std::filesystem::file_size(path, failure);
    if (failure)
        ThrowIoError(failure.value(), path);
    FileFigures figures;
    figures.size = static_cast<int64_t>(size);
    figures.characters = counter.figure();
    return figures;
}

} // namespace spritlog
