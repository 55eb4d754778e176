#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace spritlog {

// A hash of a file's bytes, taken while they pass anyway (loading, saving). It does not
// depend on how the bytes are split into pieces: they are hashed in blocks of a fixed size,
// a partial block waiting for the next piece. The value is meant for this run of the
// program only; it may differ between builds.
class ContentHash {
public:
    void add(std::string_view piece);
    // The hash of everything added so far.
    std::uint64_t value() const;
    std::uint64_t size() const { return size_; }

private:
    static constexpr std::size_t kBlockSize = 4096;
    void addBlock(std::string_view block);

    std::uint64_t state_ = 0;
    std::uint64_t size_ = 0;
    std::size_t partialSize_ = 0;
    char partial_[kBlockSize];
};

// What a file looked like when this program last read or wrote it, to tell later whether
// someone else (spritlog-cli, another window, a sync tool) has written it since.
struct FileStamp {
    bool known = false;
    std::uint64_t size = 0;
    struct timespec modified = {};
    // False when the reading stopped before the end of the file; then only size and time
    // can tell that nothing changed.
    bool hashed = false;
    std::uint64_t hash = 0;
};

// The stamp of a file with the status `info`, whose bytes went through `hash`; the hash
// counts only when it saw as many bytes as the status gives.
FileStamp MakeFileStamp(const struct stat& info, const ContentHash& hash);

// Whether the file at `path` (through the current file operations) is no longer what
// `stamp` describes. False without a stamp and when there is no file at `path` any more.
// Equal size and modification time count as unchanged; otherwise the content decides, so a
// file written again with the same bytes is unchanged. A file that cannot be read to compare
// counts as changed.
bool FileChangedSince(const std::string& path, const FileStamp& stamp);

} // namespace spritlog
