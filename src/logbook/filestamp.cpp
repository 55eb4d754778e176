#include "logbook/filestamp.h"

#include "logbook/errors.h"
#include "logbook/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

namespace spritlog {
namespace {

// The finaliser of MurmurHash3: every input bit reaches every output bit.
std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

bool SameTime(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

void ContentHash::addBlock(std::string_view block) {
    state_ = Mix(state_ ^ std::hash<std::string_view>{}(block));
}

void ContentHash::add(std::string_view piece) {
    // An empty piece may have no storage at all, and memcpy must not see its null pointer.
    if (piece.empty())
        return;
    size_ += piece.size();
    if (partialSize_ > 0) {
        const std::size_t taken = std::min(piece.size(), kBlockSize - partialSize_);
        std::memcpy(partial_ + partialSize_, piece.data(), taken);
        partialSize_ += taken;
        piece.remove_prefix(taken);
        if (partialSize_ < kBlockSize)
            return;
        addBlock(std::string_view(partial_, kBlockSize));
        partialSize_ = 0;
    }
    while (piece.size() >= kBlockSize) {
        addBlock(piece.substr(0, kBlockSize));
        piece.remove_prefix(kBlockSize);
    }
    std::memcpy(partial_, piece.data(), piece.size());
    partialSize_ = piece.size();
}

std::uint64_t ContentHash::value() const {
    std::uint64_t result = state_;
    if (partialSize_ > 0)
        result =
            Mix(result ^ std::hash<std::string_view>{}(std::string_view(partial_, partialSize_)));
    return Mix(result ^ size_);
}

FileStamp MakeFileStamp(const struct stat& info, const ContentHash& hash) {
    FileStamp stamp;
    stamp.known = true;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = info.st_mtim;
    stamp.hashed = hash.size() == stamp.size;
    stamp.hash = hash.value();
    return stamp;
}

bool FileChangedSince(const std::string& path, const FileStamp& stamp) {
    if (!stamp.known)
        return false;
    struct stat info;
    if (CurrentFileOps().statPath(path.c_str(), &info) != 0)
        return errno != ENOENT && errno != ENOTDIR;
    if (static_cast<std::uint64_t>(info.st_size) != stamp.size)
        return true;
    if (SameTime(info.st_mtim, stamp.modified))
        return false;
    // Written again since: only the bytes can tell whether it still holds what was saved.
    if (!stamp.hashed || !S_ISREG(info.st_mode))
        return true;
    ContentHash now;
    try {
        ReadFileInChunks(path, [&now](std::string_view piece) {
            now.add(piece);
            return true;
        });
    } catch (const Error&) {
        return true;
    }
    return now.size() != stamp.size || now.value() != stamp.hash;
}

} // namespace spritlog
