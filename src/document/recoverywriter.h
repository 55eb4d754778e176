#pragma once

#include "document/recoverystore.h"
#include "logbook/texttable.h"

#include <condition_variable>
#include <ctime>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace spritlog {

// Writes and removes recovery copies on a thread of its own, one job after the other, so
// that the window never waits for the disk and no two writes of a copy ever overlap. A
// write that has not started yet gives way to a later write or a removal of the same copy.
// A failing job is noted, not thrown: a recovery copy is a safety net, not the user's file.
class RecoveryWriter {
public:
    explicit RecoveryWriter(const RecoveryStore& store);
    // Finishes every job given so far.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void write(const std::string& copyPath, const std::string& logbookPath, TextTable snapshot,
               std::time_t writtenAt);
    void remove(const std::string& copyPath);
    // Returns once every job given so far is done.
    void wait();
    // The message of the last job that failed; empty when none did.
    std::string lastError() const;

private:
    struct Job {
        std::string copyPath;
        std::string logbookPath;
        std::optional<TextTable> table; // none: remove the copy
        std::time_t writtenAt = 0;
    };
    void give(Job job);
    void run();

    const RecoveryStore& store_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::string lastError_;
    std::thread worker_; // last: starts once the rest is ready
};

} // namespace spritlog
