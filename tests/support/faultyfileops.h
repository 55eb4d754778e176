#pragma once

#include "logbook/fileio.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace spritlog::test {

// The real file system with a switch for every step of loading and saving that can fail.
// Counts open files, so a leaked descriptor shows.
class FaultyFileOps : public FileOps {
public:
    int openError = 0;
    int createError = 0;
    int setModeError = 0;
    std::size_t maxReadChunk = SIZE_MAX; // bytes a read hands out at most
    std::size_t readLimit = SIZE_MAX;    // bytes that are read before reads fail
    int readError = EIO;                 // 0: the failing read leaves errno at 0
    std::size_t maxWriteChunk = SIZE_MAX;
    std::size_t writeLimit = SIZE_MAX; // bytes that are written before writes fail
    int writeError = ENOSPC;           // 0: a write at the limit returns 0 (nothing written)
    int syncError = 0;
    int closeError = 0; // reported after the file was really closed
    int renameError = 0;
    int backupError = 0; // the link (or rename) that makes the backup
    int linkError = 0;   // the link alone: EPERM makes the backup a copy

    std::size_t bytesRead = 0;
    std::size_t bytesWritten = 0;
    int openFiles = 0;

    int openForReading(const char* path) override {
        if (openError)
            return Fail(openError);
        const int fd = FileOps::openForReading(path);
        openFiles += fd >= 0;
        return fd;
    }
    int createTemporary(char* pathTemplate) override {
        if (createError)
            return Fail(createError);
        const int fd = FileOps::createTemporary(pathTemplate);
        openFiles += fd >= 0;
        return fd;
    }
    int setMode(int fd, mode_t mode) override {
        return setModeError ? Fail(setModeError) : FileOps::setMode(fd, mode);
    }
    ssize_t readSome(int fd, void* buffer, std::size_t size) override {
        if (bytesRead >= readLimit)
            return Fail(readError);
        size = std::min({size, maxReadChunk, readLimit - bytesRead});
        const ssize_t got = FileOps::readSome(fd, buffer, size);
        if (got > 0)
            bytesRead += static_cast<std::size_t>(got);
        return got;
    }
    ssize_t writeSome(int fd, const void* data, std::size_t size) override {
        if (bytesWritten >= writeLimit)
            return writeError ? Fail(writeError) : 0;
        size = std::min({size, maxWriteChunk, writeLimit - bytesWritten});
        const ssize_t done = FileOps::writeSome(fd, data, size);
        if (done > 0)
            bytesWritten += static_cast<std::size_t>(done);
        return done;
    }
    int syncFile(int fd) override { return syncError ? Fail(syncError) : FileOps::syncFile(fd); }
    int closeFile(int fd) override {
        --openFiles;
        const int result = FileOps::closeFile(fd);
        return closeError ? Fail(closeError) : result;
    }
    int renameFile(const char* from, const char* to) override {
        return renameError ? Fail(renameError) : FileOps::renameFile(from, to);
    }
    int renameNoReplace(const char* from, const char* to) override {
        return backupError ? Fail(backupError) : FileOps::renameNoReplace(from, to);
    }
    int linkFile(const char* from, const char* to) override {
        if (backupError || linkError)
            return Fail(backupError ? backupError : linkError);
        return FileOps::linkFile(from, to);
    }

private:
    static int Fail(int error) {
        errno = error;
        return -1;
    }
};

} // namespace spritlog::test
