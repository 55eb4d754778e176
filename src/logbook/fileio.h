#pragma once

#include <cstddef>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace spritlog {

// The file-system calls of loading and saving, kept behind one seam so that tests can make
// any of them fail (a write that stops halfway, a full disk, a failing close or rename).
// Each call behaves like its POSIX namesake: on failure it returns -1 and sets errno.
class FileOps {
public:
    virtual ~FileOps() = default;

    virtual int statPath(const char* path, struct stat* info);
    virtual int openForReading(const char* path);
    // Like mkstemp: replaces the trailing "XXXXXX" of `pathTemplate` by a name that does not
    // exist yet and creates that file for writing, but with the mode of an ordinary new file
    // (0666 less the umask) rather than mkstemp's 0600.
    virtual int createTemporary(char* pathTemplate);
    virtual ssize_t readSome(int fd, void* buffer, std::size_t size);
    virtual ssize_t writeSome(int fd, const void* data, std::size_t size);
    virtual int setMode(int fd, mode_t mode);
    virtual int syncFile(int fd);
    virtual int closeFile(int fd);
    // Replaces `to` if it exists.
    virtual int renameFile(const char* from, const char* to);
    // Fails with EEXIST instead of replacing an existing `to`.
    virtual int renameNoReplace(const char* from, const char* to);
    virtual int removeFile(const char* path);
};

// The operations in use: the real file system unless a test has put others in.
FileOps& CurrentFileOps();

// Puts `ops` in place of the current operations for the guard's lifetime.
class FileOpsOverride {
public:
    explicit FileOpsOverride(FileOps& ops);
    ~FileOpsOverride();
    FileOpsOverride(const FileOpsOverride&) = delete;
    FileOpsOverride& operator=(const FileOpsOverride&) = delete;

private:
    FileOps* previous_;
};

// The whole file at `path`, through the current operations. Every failure throws Error with
// the I/O message the error display shows ("File not found", "File access denied", ...).
std::string ReadWholeFile(const std::string& path);

} // namespace spritlog
