// Whether the file at the document's name was written by someone else since the document
// loaded or saved it.
#include "document/logbookdocument.h"

#include "logbook/fileio.h"
#include "logbook/logbookfile.h"
#include "support/faultyfileops.h"
#include "support/filebytes.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace spritlog {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class ChangedOnDiskTest : public test::TemporaryFolderTest {};

// A logbook whose file spans several pieces of reading and writing; `place` changes the
// bytes but not their number.
std::string LogbookFile(const std::string& place, int records = 3000) {
    std::vector<test::Record> rows;
    for (int i = 0; i < records; ++i)
        rows.push_back({"01.03.2026", std::to_string(10000 + 500 * i), "40.00", "1.50", "Super",
                        "Aral", place});
    StringSink sink;
    WriteNativeFile(sink, test::LogbookOf(rows));
    return sink.text;
}

const std::string kOriginal = LogbookFile("Berlin");
const std::string kSameSize = LogbookFile("Bremen");
const std::string kLonger = LogbookFile("Berlin", 3001);
// The original with its last cell (an empty third note) made 256 KiB long, less its end.
const std::string kWithLongLastCell =
    kOriginal.substr(0, kOriginal.size() - 2) + std::string(256 * 1024, 'z');

struct timespec ModifiedTime(const std::string& path) {
    struct stat info = {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mtim;
}

void SetModifiedTime(const std::string& path, struct timespec time) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, time};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// Writes `bytes` over the file with a modification time surely different from before (the
// file system's clock may not have moved on yet).
void Rewrite(const std::string& path, const std::string& bytes) {
    struct timespec time = ModifiedTime(path);
    WriteBytes(path, bytes);
    time.tv_sec += 10;
    SetModifiedTime(path, time);
}

// Writes `bytes` over the file and sets its modification time back.
void RewriteKeepingTime(const std::string& path, const std::string& bytes) {
    const struct timespec time = ModifiedTime(path);
    WriteBytes(path, bytes);
    SetModifiedTime(path, time);
}

struct Files {
    std::string logbook; // holds kOriginal before each case
    std::string copy;    // a second logbook name
    std::string csv;     // the export beside the logbook
};

struct StampCase {
    const char* name;
    std::function<void(LogbookDocument&, const Files&)> before; // what the document did
    std::function<void(const Files&)> outside;                  // what happened since
    bool changed;
};

void Load(LogbookDocument& book, const Files& f) {
    book.load(f.logbook);
}

void Nothing(const Files&) {}

std::vector<StampCase> StampCases() {
    return {
        {"unchanged", Load, Nothing, false},
        // Size and time are trusted: the file is not read.
        {"other bytes of the same size, time set back", Load,
         [](const Files& f) { RewriteKeepingTime(f.logbook, kSameSize); }, false},
        {"other bytes of the same size, new time", Load,
         [](const Files& f) { Rewrite(f.logbook, kSameSize); }, true},
        {"another size", Load, [](const Files& f) { WriteBytes(f.logbook, kLonger); }, true},
        {"the same bytes written again", Load,
         [](const Files& f) { Rewrite(f.logbook, kOriginal); }, false},
        {"vanished", Load, [](const Files& f) { ::unlink(f.logbook.c_str()); }, false},
        {"never loaded", [](LogbookDocument& book, const Files& f) { book.setFileName(f.logbook); },
         [](const Files& f) { Rewrite(f.logbook, kSameSize); }, false},
        {"loaded in odd pieces, the same bytes written again",
         [](LogbookDocument& book, const Files& f) {
             test::FaultyFileOps ops;
             ops.maxReadChunk = 1000;
             FileOpsOverride use(ops);
             book.load(f.logbook);
         },
         [](const Files& f) { Rewrite(f.logbook, kOriginal); }, false},
        // The last cell, long and far beyond the first pieces read, changed.
        {"bytes at the end changed",
         [](LogbookDocument& book, const Files& f) {
             WriteBytes(f.logbook, kWithLongLastCell + "1\r\n");
             book.load(f.logbook);
         },
         [](const Files& f) { Rewrite(f.logbook, kWithLongLastCell + "2\r\n"); }, true},
        {"saved to its name after a change outside",
         [](LogbookDocument& book, const Files& f) {
             book.load(f.logbook);
             Rewrite(f.logbook, kSameSize);
             book.editCell({ColOrt, 1}, "Hamburg");
             book.saveTo(f.logbook);
         },
         Nothing, false},
        {"saved to its name, the same bytes written again",
         [](LogbookDocument& book, const Files& f) {
             book.load(f.logbook);
             book.saveTo(f.logbook);
         },
         [](const Files& f) { Rewrite(f.logbook, ReadBytes(f.logbook)); }, false},
        {"saved to its name, then changed",
         [](LogbookDocument& book, const Files& f) {
             book.load(f.logbook);
             book.saveTo(f.logbook);
         },
         [](const Files& f) { Rewrite(f.logbook, kSameSize); }, true},
        {"saved under a new name, then changed there",
         [](LogbookDocument& book, const Files& f) {
             book.load(f.logbook);
             book.setFileName(f.copy);
             book.saveTo(f.copy);
         },
         [](const Files& f) { Rewrite(f.copy, kSameSize); }, true},
        {"exported to another name",
         [](LogbookDocument& book, const Files& f) {
             book.load(f.logbook);
             book.saveTo(f.csv);
         },
         Nothing, false},
        {"exported to another name, then changed",
         [](LogbookDocument& book, const Files& f) {
             book.load(f.logbook);
             book.saveTo(f.csv);
         },
         [](const Files& f) { Rewrite(f.logbook, kSameSize); }, true},
        {"after Neu, under the same name again",
         [](LogbookDocument& book, const Files& f) {
             book.load(f.logbook);
             book.clear();
             book.setFileName(f.logbook);
         },
         [](const Files& f) { Rewrite(f.logbook, kSameSize); }, false},
    };
}

TEST_F(ChangedOnDiskTest, EachCase) {
    for (const StampCase& c : StampCases()) {
        SCOPED_TRACE(c.name);
        RemoveEntries();
        const Files files{PathOf("fahrten.slg"), PathOf("kopie.slg"), PathOf("fahrten.csv")};
        WriteBytes(files.logbook, kOriginal);
        LogbookDocument book;
        c.before(book, files);
        c.outside(files);
        EXPECT_EQ(book.fileChangedOnDisk(), c.changed);
    }
}

} // namespace
} // namespace spritlog
