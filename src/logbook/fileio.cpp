#include "logbook/fileio.h"

#include "logbook/errors.h"
#include "logbook/logbookfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>
#include <vector>

namespace spritlog {

int FileOps::statPath(const char* path, struct stat* info) {
    return ::stat(path, info);
}

int FileOps::openForReading(const char* path) {
    return ::open(path, O_RDONLY | O_CLOEXEC);
}

int FileOps::createTemporary(char* pathTemplate) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
    const std::size_t length = std::strlen(pathTemplate);
    if (length < 6 || std::strcmp(pathTemplate + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return -1;
    }
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = length - 6; i < length; ++i)
            pathTemplate[i] = kLetters[pick(random)];
        const int fd = ::open(pathTemplate, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

ssize_t FileOps::readSome(int fd, void* buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}

ssize_t FileOps::writeSome(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int FileOps::setMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int FileOps::syncFile(int fd) {
    return ::fsync(fd);
}

int FileOps::closeFile(int fd) {
    return ::close(fd);
}

int FileOps::renameFile(const char* from, const char* to) {
    return ::rename(from, to);
}

int FileOps::renameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return -1;
    // The file system cannot rename without replacing; a hard link fails on an existing
    // name just the same.
    if (::link(from, to) == 0)
        return ::unlink(from);
    if (errno == EEXIST)
        return -1;
    // No hard links either (FAT and the like): check, then rename.
    struct stat info;
    if (::lstat(to, &info) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from, to);
}

int FileOps::removeFile(const char* path) {
    return ::unlink(path);
}

namespace {

FileOps& SystemFileOps() {
    static FileOps ops;
    return ops;
}

FileOps* gCurrent = nullptr;

} // namespace

FileOps& CurrentFileOps() {
    return gCurrent ? *gCurrent : SystemFileOps();
}

FileOpsOverride::FileOpsOverride(FileOps& ops) : previous_(gCurrent) {
    gCurrent = &ops;
}

FileOpsOverride::~FileOpsOverride() {
    gCurrent = previous_;
}

} // namespace spritlog

namespace spritlog {

namespace {

[[noreturn]] void ThrowReadError(int errorNumber) {
    throw Error(IoErrorMessage(errorNumber ? errorNumber : EIO));
}

} // namespace

std::string ReadWholeFile(const std::string& path) {
    FileOps& ops = CurrentFileOps();
    const int fd = ops.openForReading(path.c_str());
    if (fd < 0)
        ThrowReadError(errno);
    std::string bytes;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t got = ops.readSome(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int failure = errno;
            (void)ops.closeFile(fd);
            ThrowReadError(failure);
        }
        if (got == 0)
            break;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    if (ops.closeFile(fd) != 0)
        ThrowReadError(errno);
    return bytes;
}

} // namespace spritlog
