#include "document/recoverywriter.h"

#include "logbook/errors.h"

#include <algorithm>
#include <utility>

namespace spritlog {

RecoveryWriter::RecoveryWriter(const RecoveryStore& store)
    : store_(store), worker_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void RecoveryWriter::write(const std::string& copyPath, const std::string& logbookPath,
                           TextTable snapshot, std::time_t writtenAt) {
    give({copyPath, logbookPath, std::move(snapshot), writtenAt});
}

void RecoveryWriter::remove(const std::string& copyPath) {
    give({copyPath, std::string(), std::nullopt, 0});
}

void RecoveryWriter::give(Job job) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        // A write still waiting is outdated by any later job on the same copy.
        jobs_.erase(std::remove_if(jobs_.begin(), jobs_.end(),
                                   [&](const Job& waiting) {
                                       return waiting.table && waiting.copyPath == job.copyPath;
                                   }),
                    jobs_.end());
        jobs_.push_back(std::move(job));
    }
    changed_.notify_all();
}

void RecoveryWriter::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

std::string RecoveryWriter::lastError() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lastError_;
}

void RecoveryWriter::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty())
            return; // stopping, and nothing left to do
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        std::string failure;
        try {
            if (job.table)
                store_.write(job.copyPath, job.logbookPath, *job.table, job.writtenAt);
            else
                RecoveryStore::remove(job.copyPath);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        lock.lock();
        busy_ = false;
        if (!failure.empty())
            lastError_ = failure;
        changed_.notify_all();
    }
}

} // namespace spritlog
