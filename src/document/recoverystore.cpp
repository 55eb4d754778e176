#include "document/recoverystore.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace spritlog {
namespace {

constexpr std::string_view kTag = "Spritlog-Wiederherstellung 1";
constexpr std::string_view kEnding = ".recovery";
constexpr std::string_view kSetAsideEnding = ".defekt";

// The stores alive in this process, by owner: their copies belong to a window that is
// still open.
std::mutex gOwnersMutex;
std::set<std::string> gOwners;
std::atomic<long> gNextStore{1};

bool OwnerIsAlive(const std::string& owner) {
    const std::size_t split = owner.find('_');
    long processId = 0;
    const char* first = owner.data();
    const char* last = owner.data() + (split == std::string::npos ? owner.size() : split);
    if (std::from_chars(first, last, processId).ec != std::errc() || processId <= 0)
        return false;
    if (processId != static_cast<long>(::getpid()))
        return ProcessIsRunning(processId);
    const std::lock_guard<std::mutex> lock(gOwnersMutex);
    return gOwners.count(owner) > 0;
}

// FNV-1a over the path: the same logbook always gives the same name.
std::string PathKey(const std::string& logbookPath) {
    if (logbookPath.empty())
        return "unbenannt";
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char byte : logbookPath) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    char digits[17] = {};
    const auto result = std::to_chars(digits, digits + 16, hash, 16);
    std::string key(digits, result.ptr);
    return std::string(16 - key.size(), '0') + key;
}

// A copy's name "<key>_<pid>_<n>.recovery", or the name of a write that never finished,
// "<key>_<pid>_<n>.recovery.XXXXXX": its owner "<pid>_<n>", empty when it is neither.
std::string OwnerOfName(const std::string& name, bool& unfinished) {
    const std::size_t ending = name.rfind(kEnding);
    if (ending == std::string::npos || ending == 0)
        return std::string();
    const std::size_t rest = name.size() - ending - kEnding.size();
    // "XXXXXX" stands for six letters or digits; a copy set aside ends in ".defekt".
    unfinished = rest == 7 && name[ending + kEnding.size()] == '.' &&
                 name.compare(ending + kEnding.size(), rest, kSetAsideEnding) != 0;
    if (rest != 0 && !unfinished)
        return std::string();
    const std::string stem = name.substr(0, ending);
    const std::size_t split = stem.find('_');
    return split == std::string::npos ? std::string() : stem.substr(split + 1);
}

// The next line of `bytes` from `position` (without CR LF); false at the end.
bool NextLine(std::string_view bytes, std::size_t& position, std::string_view& line) {
    const std::size_t end = bytes.find("\r\n", position);
    if (end == std::string_view::npos)
        return false;
    line = bytes.substr(position, end - position);
    position = end + 2;
    return true;
}

[[noreturn]] void ThrowNoCopy(const std::string& copyPath) {
    throw Error("\x84" + FileNameOf(copyPath) + "\x93 ist keine lesbare Wiederherstellungskopie");
}

} // namespace

std::string DefaultRecoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return std::string(state) + "/spritlog";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/spritlog";
    return std::string();
}

// A process that was killed but not yet reaped by its parent (a zombie) still answers
// kill(pid, 0); its window is gone all the same.
bool IsZombie(long processId) {
    std::ifstream stat("/proc/" + std::to_string(processId) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    const std::size_t end = line.rfind(')');
    return end != std::string::npos && end + 2 < line.size() && line[end + 2] == 'Z';
}

bool ProcessIsRunning(long processId) {
    if (processId <= 0)
        return false;
    const bool answers = ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
    return answers && !IsZombie(processId);
}

RecoveryStore::RecoveryStore(std::string folder) : folder_(std::move(folder)) {
    owner_ = std::to_string(::getpid()) + "_" + std::to_string(gNextStore++);
    const std::lock_guard<std::mutex> lock(gOwnersMutex);
    gOwners.insert(owner_);
}

RecoveryStore::~RecoveryStore() {
    const std::lock_guard<std::mutex> lock(gOwnersMutex);
    gOwners.erase(owner_);
}

std::string RecoveryStore::copyPathFor(const std::string& logbookPath) const {
    return folder_ + "/" + PathKey(logbookPath) + "_" + owner_ + std::string(kEnding);
}

void RecoveryStore::write(const std::string& copyPath, const std::string& logbookPath,
                          const TextTable& table, std::time_t writtenAt) const {
    std::error_code failure;
    std::filesystem::create_directories(folder_, failure);
    if (failure)
        ThrowIoError(failure.value(), folder_);
    ReplaceFile(copyPath, false, [&](LineSink& sink) {
        sink.writeLine(kTag);
        sink.writeLine(logbookPath);
        sink.writeLine(std::to_string(static_cast<long long>(writtenAt)));
        WriteNativeFile(sink, table);
    });
}

void RecoveryStore::remove(const std::string& copyPath) {
    if (CurrentFileOps().removeFile(copyPath.c_str()) != 0 && errno != ENOENT)
        ThrowIoError(errno, copyPath);
}

RecoveryCopy RecoveryStore::read(const std::string& copyPath) {
    const std::string bytes = ReadWholeFile(copyPath);
    std::size_t position = 0;
    std::string_view tag, path, time;
    if (!NextLine(bytes, position, tag) || tag != kTag || !NextLine(bytes, position, path) ||
        !NextLine(bytes, position, time))
        ThrowNoCopy(copyPath);
    RecoveryCopy copy;
    long long seconds = 0;
    if (std::from_chars(time.data(), time.data() + time.size(), seconds).ec != std::errc() ||
        seconds < 0)
        ThrowNoCopy(copyPath);
    copy.copyPath = copyPath;
    copy.logbookPath = std::string(path);
    copy.writtenAt = static_cast<std::time_t>(seconds);
    copy.table = NewLogbookTable();
    ParseLogbook(std::string_view(bytes).substr(position), copy.table);
    return copy;
}

RecoverySearch RecoveryStore::findLeftBehind() const {
    RecoverySearch found;
    std::error_code failure;
    std::filesystem::directory_iterator entries(folder_, failure);
    if (failure)
        return found; // no folder: nothing was left
    // The names first: what the search renames or removes must not change what it reads.
    const std::vector<std::filesystem::directory_entry> names(std::filesystem::begin(entries),
                                                              std::filesystem::end(entries));
    for (const auto& entry : names) {
        const std::string name = entry.path().filename().string();
        bool unfinished = false;
        const std::string owner = OwnerOfName(name, unfinished);
        if (owner.empty() || OwnerIsAlive(owner) || !entry.is_regular_file(failure))
            continue;
        const std::string copyPath = entry.path().string();
        // A write cut short left its temporary file; the copy before it is whole.
        if (unfinished) {
            (void)CurrentFileOps().removeFile(copyPath.c_str());
            continue;
        }
        try {
            found.copies.push_back(read(copyPath));
        } catch (const Error&) {
            const std::string aside = copyPath + std::string(kSetAsideEnding);
            if (CurrentFileOps().renameNoReplace(copyPath.c_str(), aside.c_str()) == 0)
                found.setAside.push_back(aside);
        }
    }
    std::sort(
        found.copies.begin(), found.copies.end(),
        [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.writtenAt > b.writtenAt; });
    return found;
}

bool CopyIsNewerThanFile(const RecoveryCopy& copy) {
    if (copy.logbookPath.empty())
        return true;
    struct stat info;
    if (CurrentFileOps().statPath(copy.logbookPath.c_str(), &info) != 0)
        return true;
    return copy.writtenAt >= info.st_mtime;
}

} // namespace spritlog
