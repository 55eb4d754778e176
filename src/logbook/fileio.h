#pragma once

#include "logbook/errors.h"
#include "logbook/filestamp.h"
#include "logbook/linesink.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
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
    virtual int statOpenFile(int fd, struct stat* info);
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
    // A second name `to` for the file `from`; fails with EEXIST on an existing `to`.
    virtual int linkFile(const char* from, const char* to);
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

// A failed file-system call: the message, and the system error number behind it.
class IoError : public Error {
public:
    IoError(int errorNumber, const std::string& message)
        : Error(message), errorNumber_(errorNumber) {}
    int errorNumber() const { return errorNumber_; }

private:
    int errorNumber_;
};

// The German text for a system error number (Windows-1252): "Datei nicht gefunden",
// "Ungültiger Dateiname", "Zu viele offene Dateien", "Zugriff verweigert",
// "Datenträger voll", otherwise "Ein-/Ausgabefehler <n>".
std::string IoErrorText(int errorNumber);
// The message for a failure on the file at `path` (UTF-8): "„name“: " and the text,
// where name is the last component of the path (the whole path when that is empty), in
// Windows-1252 like every message; a character it cannot hold shows as "?". An empty path
// (no file chosen) gives the text alone.
std::string IoErrorMessage(int errorNumber, const std::string& path);
// Throws IoError with the message for `path`; 0, which a failing call should not leave,
// counts as EIO.
[[noreturn]] void ThrowIoError(int errorNumber, const std::string& path);
// The same for a failure where no file name is known (a writer that only sees a temporary
// name, a locale that cannot be made): the text alone.
[[noreturn]] void ThrowIoError(int errorNumber);

// Reads the file at `path` through the current operations in pieces of up to 64 KiB and
// hands each to `consume`; false from `consume` stops the reading there. Reaching the end of
// the file hands one empty piece. The file is closed in every case; every failure throws
// Error with the I/O message, and an exception from `consume` passes through.
void ReadFileInChunks(const std::string& path,
                      const std::function<bool(std::string_view piece)>& consume);

// The whole file at `path`. Throws like ReadFileInChunks.
std::string ReadWholeFile(const std::string& path);

// Puts a new file at `path` in place of the old one, with the lines `write` gives (CR LF
// after each). A symbolic link stays and the file it leads to is replaced. The new file is
// written and synced beside the target first; then, with `backup`, the old file also gets
// the name with "bak" for its last three characters (a hard link, or a copy where the file
// system has none), unless such a file exists or that name would lie in another directory;
// then the new file is renamed over the old one, keeping its permissions. Any failure, an
// exception from `write` included, leaves the file as it was and no new backup; an I/O
// failure throws IoError whose message ends "Die Datei „name“ ist unverändert." (or, for a
// file that was not there, "... wurde nicht angelegt."), an exception from `write` passes
// through. A successful save leaves the stamp of the new file in `written`, if given.
void ReplaceFile(const std::string& path, bool backup, const std::function<void(LineSink&)>& write,
                 FileStamp* written = nullptr);

// The same replace for a writer that can only write to a file name (a library that opens
// the file itself): `write` fills the file at the name it is given, which exists and is
// empty; it must write into that file (opening it for writing is fine), not put another
// file in its place. The rules of ReplaceFile hold.
void ReplaceFileByName(const std::string& path, bool backup,
                       const std::function<void(const std::string& temporary)>& write,
                       FileStamp* written = nullptr);

} // namespace spritlog
