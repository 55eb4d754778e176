#pragma once

#include "logbook/texttable.h"

#include <ctime>
#include <string>
#include <vector>

namespace spritlog {

// The folder where the recovery copies live: $XDG_STATE_HOME/spritlog, else
// ~/.local/state/spritlog; empty when neither variable gives an absolute folder.
std::string DefaultRecoveryFolder();

// Whether a process with that id is running (one we may not signal counts as running).
bool ProcessIsRunning(long processId);

// A recovery copy another window left behind.
struct RecoveryCopy {
    std::string copyPath;    // the copy itself
    std::string logbookPath; // the logbook it belongs to (UTF-8); empty for one never saved
    std::time_t writtenAt = 0;
    TextTable table; // the logbook as the copy holds it
};

// What a search for copies left behind found.
struct RecoverySearch {
    std::vector<RecoveryCopy> copies; // newest first
    // Copies that could not be read, renamed so that no search finds them again.
    std::vector<std::string> setAside;
};

// The recovery copies of one window in a folder. Each copy is a file of its own: three
// lines (a tag, the logbook's path, the time written in seconds since 1970), then the
// logbook in its native format. The name holds a hash of the logbook's path and the window
// that writes it (process id and a number within the process), so that two windows on one
// logbook never write the same copy. Copies of windows that are gone (a process no longer
// running, or a store of this process that was destroyed without removing its copy) are
// what `findLeftBehind` finds. The calls may run on any thread; write and remove of the
// same copy must not run at once.
class RecoveryStore {
public:
    explicit RecoveryStore(std::string folder);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    const std::string& folder() const { return folder_; }
    // The copy this store writes for the logbook at `logbookPath` (empty: never saved).
    std::string copyPathFor(const std::string& logbookPath) const;

    // Puts the copy in place atomically (temporary file, then rename); creates the folder.
    // Throws Error with the I/O message.
    void write(const std::string& copyPath, const std::string& logbookPath, const TextTable& table,
               std::time_t writtenAt) const;
    // Removes a copy; a copy that is not there is no failure.
    static void remove(const std::string& copyPath);

    // The copies of windows that are gone. A copy that cannot be read is renamed (the name
    // with ".defekt" added) and named in `setAside`.
    RecoverySearch findLeftBehind() const;

    // Reads a copy; throws Error when it is no recovery copy or its logbook is damaged.
    static RecoveryCopy read(const std::string& copyPath);

private:
    std::string folder_;
    std::string owner_; // "<process id>_<number>"
};

// Whether the copy is newer than its logbook file (true when the file is gone).
bool CopyIsNewerThanFile(const RecoveryCopy& copy);

} // namespace spritlog
