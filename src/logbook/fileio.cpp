#include "logbook/fileio.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/linuxcalls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>
#include <vector>

namespace spritlog {

int FileOps::statPath(const char* path, struct stat* info) {
    return ::stat(path, info);
}

int FileOps::statOpenFile(int fd, struct stat* info) {
    return ::fstat(fd, info);
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
    if (spritlog::RenameNoReplace(from, to) == 0)
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

int FileOps::linkFile(const char* from, const char* to) {
    return ::link(from, to);
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

std::string IoErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return "Datei nicht gefunden";
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
        return "Ung\xFCltiger Dateiname";
    case EMFILE:
    case ENFILE:
        return "Zu viele offene Dateien";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "Zugriff verweigert";
    case ENOSPC:
    case EDQUOT:
        return "Datentr\xE4ger voll";
    default:
        return "Ein-/Ausgabefehler " + IntegerToText(errorNumber);
    }
}

std::string IoErrorMessage(int errorNumber, const std::string& path) {
    // No file chosen yet: no name to give.
    if (path.empty())
        return IoErrorText(errorNumber);
    // The name the user recognises: the file's own, without the folders before it.
    const std::string name = FileNameOf(path);
    const std::string shown = Utf8ToCp1252(name.empty() ? path : name);
    return "\x84" + shown + "\x93: " + IoErrorText(errorNumber);
}

void ThrowIoError(int errorNumber, const std::string& path) {
    const int number = errorNumber != 0 ? errorNumber : EIO;
    throw IoError(number, IoErrorMessage(number, path));
}

void ThrowIoError(int errorNumber) {
    const int number = errorNumber != 0 ? errorNumber : EIO;
    throw IoError(number, IoErrorText(number));
}

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

// Collects the lines and writes them in large pieces, checking every write. A failure names
// `path`, the file the user saves to.
class FileSink : public LineSink {
public:
    FileSink(FileOps& ops, int fd, const std::string& path, ContentHash* hash)
        : ops_(ops), fd_(fd), path_(path), hash_(hash) {
        buffer_.reserve(kChunkSize + 256);
    }

    void writeLine(std::string_view line) override {
        buffer_.append(line);
        buffer_.append("\r\n");
        if (buffer_.size() >= kChunkSize)
            flush();
    }

    void flush() {
        if (hash_)
            hash_->add(buffer_);
        const char* data = buffer_.data();
        std::size_t left = buffer_.size();
        while (left > 0) {
            const ssize_t written = ops_.writeSome(fd_, data, left);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                ThrowIoError(errno, path_);
            }
            if (written == 0)
                ThrowIoError(ENOSPC, path_);
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        buffer_.clear();
    }

private:
    FileOps& ops_;
    int fd_;
    const std::string& path_;
    ContentHash* hash_;
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

// "Die Datei „name“ ist unverändert." for a file that was there, "... wurde nicht angelegt."
// for one that was not (Windows-1252).
std::string UnchangedNote(const std::string& path, bool existed) {
    const std::string name = FileNameOf(path);
    const std::string shown = Utf8ToCp1252(name.empty() ? path : name);
    return "Die Datei \x84" + shown +
           (existed ? "\x93 ist unver\xE4ndert." : "\x93 wurde nicht angelegt.");
}

// Writes all of `bytes` to `fd`; false with errno set when a write fails.
bool WriteAll(FileOps& ops, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ops.writeSome(fd, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            if (done == 0)
                errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

// A failed backup: the save stops before the target is touched.
[[noreturn]] void ThrowBackupError(int errorNumber, const std::string& backup) {
    const int number = errorNumber != 0 ? errorNumber : EIO;
    throw IoError(number, "Die Sicherungskopie \x84" + Utf8ToCp1252(FileNameOf(backup)) +
                              "\x93 lie\xDF sich nicht anlegen: " + IoErrorText(number) + ".");
}

// A file system without hard links: the backup is a copy, complete and synced under a
// temporary name before it takes the backup's name (never replacing one). False when a
// backup was there already.
bool CopyToBackup(FileOps& ops, const std::string& file, const std::string& backup,
                  const struct stat& info) {
    std::string temporary = TemporaryTemplate(backup);
    const int fd = ops.createTemporary(temporary.data());
    if (fd < 0)
        ThrowBackupError(errno, backup);
    int failure = 0;
    try {
        ReadFileInChunks(file, [&](std::string_view piece) {
            if (!WriteAll(ops, fd, piece))
                ThrowIoError(errno);
            return true;
        });
        if (ops.setMode(fd, info.st_mode & 0777) != 0 || ops.syncFile(fd) != 0)
            failure = errno;
    } catch (const IoError& error) {
        failure = error.errorNumber();
    }
    if (ops.closeFile(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ops.renameNoReplace(temporary.c_str(), backup.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        (void)ops.removeFile(temporary.c_str());
        if (failure == EEXIST)
            return false;
        ThrowBackupError(failure, backup);
    }
    return true;
}

// The backup keeps the old file under the name with "bak" for its last three characters:
// a second name of the same file, so the old contents are never in one place only. An
// existing backup stays as it is. When those characters reach into the directory part,
// that name lies in another directory, and no backup is made. Any other failure stops the
// save.
void MakeBackup(FileOps& ops, const std::string& file, const struct stat& info) {
    const std::string backup = ReplaceExtension(file, "bak");
    const std::size_t kept = backup.size() - 3;
    if (file.find('/', kept) != std::string::npos)
        return;
    if (ops.linkFile(file.c_str(), backup.c_str()) == 0)
        return;
    switch (errno) {
    case EEXIST:
        return;
    case EPERM:
    case EOPNOTSUPP:
    case ENOSYS:
    case EMLINK:
        (void)CopyToBackup(ops, file, backup, info);
        return;
    default:
        ThrowBackupError(errno, backup);
    }
}

// Saving puts a new file in place of the old one. When the name is a symbolic link, the
// file it leads to is the one replaced, so the link stays a link and leads to the new
// contents, as it would if the file were written in place. A link that leads nowhere is
// replaced like any other name.
std::string FileToReplace(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    const std::string target = ResolvedPath(path);
    return target.empty() ? path : target;
}

} // namespace

void ReadFileInChunks(const std::string& path,
                      const std::function<bool(std::string_view piece)>& consume) {
    FileOps& ops = CurrentFileOps();
    const int fd = ops.openForReading(path.c_str());
    if (fd < 0)
        ThrowIoError(errno, path);
    try {
        std::vector<char> buffer(kChunkSize);
        for (;;) {
            const ssize_t got = ops.readSome(fd, buffer.data(), buffer.size());
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                ThrowIoError(errno, path);
            }
            if (got == 0) {
                (void)consume(std::string_view());
                break;
            }
            if (!consume(std::string_view(buffer.data(), static_cast<std::size_t>(got))))
                break;
        }
    } catch (...) {
        (void)ops.closeFile(fd);
        throw;
    }
    if (ops.closeFile(fd) != 0)
        ThrowIoError(errno, path);
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    ReadFileInChunks(path, [&bytes](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

namespace {

// What fills the temporary file: the open descriptor, its name, and the hash of the bytes
// for the stamp (null when no stamp is wanted).
using FillTemporary =
    std::function<void(FileOps& ops, int fd, const std::string& temporary, ContentHash* hash)>;

// The one replace behind every writer: the new file complete and synced beside the target,
// then the backup as a second name of the old file (or a copy of it), then the rename over
// the target. Until the rename the target is untouched; the rename puts the new file there
// whole. Every I/O failure says that the target is as it was.
// Makes the new name itself survive a power loss, as the file's contents already do. The
// file is in place by now either way, so a folder that cannot be synced changes nothing
// about the save.
void SyncFolderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : file.substr(0, slash == 0 ? 1 : slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    (void)::close(fd);
}

void ReplaceThroughTemporary(const std::string& path, bool backup, const FillTemporary& fill,
                             FileStamp* written) {
    FileOps& ops = CurrentFileOps();
    const std::string file = FileToReplace(path);

    struct stat info;
    const bool exists = ops.statPath(file.c_str(), &info) == 0;
    try {
        std::string temporary = TemporaryTemplate(file);
        int fd = ops.createTemporary(temporary.data());
        if (fd < 0) {
            // Creating in a directory that does not exist: the path, not the file, is wrong.
            ThrowIoError(errno == ENOENT ? ENOTDIR : errno, path);
        }
        try {
            // A replaced file keeps its permissions.
            if (exists && S_ISREG(info.st_mode) && ops.setMode(fd, info.st_mode & 0777) != 0)
                ThrowIoError(errno, path);

            ContentHash hash;
            fill(ops, fd, temporary, written ? &hash : nullptr);
            if (ops.syncFile(fd) != 0)
                ThrowIoError(errno, path);
            // The rename keeps size and time; without them the stamp stays empty, which only
            // means no question before the next save.
            FileStamp stamp;
            struct stat writtenInfo;
            if (written && ops.statOpenFile(fd, &writtenInfo) == 0)
                stamp = MakeFileStamp(writtenInfo, hash);
            const int closing = fd;
            fd = -1; // closed even when close reports an error
            if (ops.closeFile(closing) != 0)
                ThrowIoError(errno, path);
            if (backup && exists && S_ISREG(info.st_mode))
                MakeBackup(ops, file, info);
            if (ops.renameFile(temporary.c_str(), file.c_str()) != 0)
                ThrowIoError(errno, path);
            SyncFolderOf(file);
            if (written)
                *written = stamp;
        } catch (...) {
            if (fd >= 0)
                (void)ops.closeFile(fd);
            (void)ops.removeFile(temporary.c_str());
            throw;
        }
    } catch (const IoError& failure) {
        std::string message = failure.what();
        message += !message.empty() && message.back() == '.' ? " " : ". ";
        throw IoError(failure.errorNumber(), message + UnchangedNote(path, exists));
    }
}

} // namespace

void ReplaceFile(const std::string& path, bool backup, const std::function<void(LineSink&)>& write,
                 FileStamp* written) {
    ReplaceThroughTemporary(
        path, backup,
        [&write, &path](FileOps& ops, int fd, const std::string&, ContentHash* hash) {
            FileSink sink(ops, fd, path, hash);
            write(sink);
            sink.flush();
        },
        written);
}

void ReplaceFileByName(const std::string& path, bool backup,
                       const std::function<void(const std::string& temporary)>& write,
                       FileStamp* written) {
    ReplaceThroughTemporary(
        path, backup,
        [&write, &path](FileOps&, int, const std::string& temporary, ContentHash* hash) {
            // The temporary name means nothing to the user: a failure names the target.
            try {
                write(temporary);
                // The writer's bytes did not pass here; the stamp reads them back.
                if (hash)
                    ReadFileInChunks(temporary, [hash](std::string_view piece) {
                        hash->add(piece);
                        return true;
                    });
            } catch (const IoError& failure) {
                ThrowIoError(failure.errorNumber(), path);
            }
        },
        written);
}

} // namespace spritlog
