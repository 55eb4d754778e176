// Saving and loading under injected failures and with hostile files: whatever goes wrong,
// the previous logbook stays intact and the backup holds nothing new, the error carries its
// exact message, nothing reports success, and no file
// makes loading crash, hang or take memory out of proportion.

#include "document/logbookdocument.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbookfile.h"
#include "logbook/logbookshape.h"
#include "logbook/logbooktable.h"
#include "reports/csvexport.h"
#include "reports/htmlreport.h"
#include "support/documentsave.h"
#include "support/faultyfileops.h"
#include "support/filebytes.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace spritlog {
namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;

// Five refuellings with umlauts, a quote and a semicolon, so every writer has work to do.
TextTable SampleLogbook() {
    return test::LogbookOf({
        {"01.03.2026", "10000", "40.00", "1.509", "Super", "Aral", "M\xFCnchen", "Anna", "", ""},
        {"15.03.2026", "10520", "35.20", "1.619", "Super E10", "Esso", "K\xF6ln", "", "A;B", ""},
        {"02.04.2026", "11050", "38.75", "1.559", "Super", "Aral", "M\xFCnchen", "", "",
         "\"Urlaub\""},
        {"20.04.2026", "11600", "42.10", "1.709", "Diesel", "Shell", "Bonn", "Bernd", "", ""},
        {"03.05.2026", "12110", "39.99", "1.489", "Super", "Aral", "Berlin", "", "", "<b>"},
    });
}

SaveOptions FixedReportOptions(bool backup) {
    SaveOptions options;
    options.backup = backup;
    options.report.clock = [] { return LocalDateTime{2026, 12, 6, 10, 3, 22}; };
    options.report.authorName = "Autor";
    options.report.reportWebAddress = "https://example.org/spritlog";
    return options;
}

using test::FaultyFileOps;
using test::Lines;
using test::ReadBytes;
using test::SaveThroughDocument;
using test::WriteBytes;

class RobustnessTest : public test::TemporaryFolderTest {};

// ---------------------------------------------------------------------------------------
// Saving

// Where the backup stands before the save.
enum class BackupState { Off, NoneYet, AlreadyThere };

const char* BackupStateName(BackupState state) {
    switch (state) {
    case BackupState::Off:
        return "backup off";
    case BackupState::NoneYet:
        return "no backup yet";
    case BackupState::AlreadyThere:
        return "older backup present";
    }
    return "";
}

struct WriterCase {
    const char* file;
    const char* backup;
    std::string (*expected)(const TextTable&, const std::string&, const SaveOptions&);
    const char* quoted; // the file as an error message names it (Windows-1252)
};

std::string NativeText(const TextTable& grid, const std::string&, const SaveOptions&) {
    StringSink sink;
    WriteNativeFile(sink, grid);
    return sink.text;
}
std::string CsvText(const TextTable& grid, const std::string&, const SaveOptions&) {
    StringSink sink;
    WriteCsvFile(sink, grid);
    return sink.text;
}
std::string HtmlText(const TextTable& grid, const std::string& path, const SaveOptions& options) {
    StringSink sink;
    WriteHtmlReport(sink, grid, path, options.report);
    return sink.text;
}

const WriterCase kWriters[] = {
    {"fahrten.slg", "fahrten.bak", NativeText,
     "\x84"
     "fahrten.slg\x93: "},
    {"fahrten.csv", "fahrten.bak", CsvText,
     "\x84"
     "fahrten.csv\x93: "},
    {"bericht.htm", "bericht.bak", HtmlText,
     "\x84"
     "bericht.htm\x93: "},
    // The backup name counts characters: the umlauts go whole.
    {"tankbuch.\xC3\xA4\xC3\xB6\xC3\xBC", "tankbuch.bak", NativeText,
     "\x84tankbuch.\xE4\xF6\xFC\x93: "},
};

// One way a save can fail, armed for an output of `size` bytes.
struct SaveFault {
    std::string name;
    std::function<void(FaultyFileOps&)> arm;
    const char* message; // after the file's name
};

std::vector<SaveFault> SaveFaults(std::size_t size) {
    std::vector<SaveFault> faults;
    // The disk fills up at every kind of place: before the first byte, after one, in the
    // middle, just before the end; once with the error, once as a write that stores nothing.
    for (const std::size_t at : {std::size_t{0}, std::size_t{1}, size / 3, size / 2, size - 1}) {
        faults.push_back({"disk full after " + std::to_string(at) + " bytes",
                          [at](FaultyFileOps& ops) {
                              ops.maxWriteChunk = 97;
                              ops.writeLimit = at;
                          },
                          "Datentr\xE4ger voll"});
        faults.push_back({"write stores nothing after " + std::to_string(at) + " bytes",
                          [at](FaultyFileOps& ops) {
                              ops.writeLimit = at;
                              ops.writeError = 0;
                          },
                          "Datentr\xE4ger voll"});
    }
    faults.push_back({"quota exceeded halfway",
                      [size](FaultyFileOps& ops) {
                          ops.writeLimit = size / 2;
                          ops.writeError = EDQUOT;
                      },
                      "Datentr\xE4ger voll"});
    faults.push_back({"device error halfway",
                      [size](FaultyFileOps& ops) {
                          ops.writeLimit = size / 2;
                          ops.writeError = EIO;
                      },
                      "Ein-/Ausgabefehler 5"});
    faults.push_back({"cannot create: too many files",
                      [](FaultyFileOps& ops) { ops.createError = EMFILE; },
                      "Zu viele offene Dateien"});
    faults.push_back({"cannot create: read-only file system",
                      [](FaultyFileOps& ops) { ops.createError = EROFS; }, "Zugriff verweigert"});
    faults.push_back({"sync finds the disk full",
                      [](FaultyFileOps& ops) { ops.syncError = ENOSPC; }, "Datentr\xE4ger voll"});
    faults.push_back({"close reports a device error",
                      [](FaultyFileOps& ops) { ops.closeError = EIO; }, "Ein-/Ausgabefehler 5"});
    faults.push_back({"close finds the disk full",
                      [](FaultyFileOps& ops) { ops.closeError = ENOSPC; }, "Datentr\xE4ger voll"});
    faults.push_back({"rename across devices", [](FaultyFileOps& ops) { ops.renameError = EXDEV; },
                      "Ein-/Ausgabefehler 18"});
    faults.push_back({"rename of a busy file", [](FaultyFileOps& ops) { ops.renameError = EBUSY; },
                      "Ein-/Ausgabefehler 16"});
    faults.push_back({"rename denied", [](FaultyFileOps& ops) { ops.renameError = EPERM; },
                      "Zugriff verweigert"});
    return faults;
}

TEST_F(RobustnessTest, FailedSaveKeepsThePreviousFileForEveryWriterAndBackupState) {
    const TextTable grid = SampleLogbook();
    const std::string previous = "7\r\nthe logbook as it was\r\n";
    const std::string older = "3\r\nan older backup\r\n";
    for (const WriterCase& writer : kWriters) {
        const std::string path = PathOf(writer.file);
        const std::string backup = PathOf(writer.backup);
        for (const BackupState state :
             {BackupState::Off, BackupState::NoneYet, BackupState::AlreadyThere}) {
            const SaveOptions options = FixedReportOptions(state != BackupState::Off);
            const std::string output = writer.expected(grid, path, options);
            ASSERT_GT(output.size(), 100u);
            for (const SaveFault& fault : SaveFaults(output.size())) {
                SCOPED_TRACE(std::string(writer.file) + ", " + BackupStateName(state) + ", " +
                             fault.name);
                RemoveEntries();
                WriteBytes(path, previous);
                ::chmod(path.c_str(), 0640);
                if (state == BackupState::AlreadyThere)
                    WriteBytes(backup, older);

                FaultyFileOps ops;
                fault.arm(ops);
                bool reported = false;
                {
                    FileOpsOverride use(ops);
                    try {
                        SaveThroughDocument(path, grid, options);
                    } catch (const Error& error) {
                        reported = true;
                        const std::string quoted = writer.quoted;
                        EXPECT_EQ(error.what(), quoted + fault.message + ". Die Datei " +
                                                    quoted.substr(0, quoted.size() - 2) +
                                                    " ist unver\xE4ndert.");
                    }
                }
                EXPECT_TRUE(reported) << "the save reported success";
                EXPECT_EQ(ops.openFiles, 0);

                switch (state) {
                case BackupState::Off:
                    EXPECT_EQ(Entries(), std::set<std::string>{writer.file});
                    EXPECT_EQ(ReadBytes(path), previous);
                    break;
                case BackupState::NoneYet:
                    // The file stays; a backup made just before a failing rename is a second
                    // name of the same old contents.
                    EXPECT_EQ(ReadBytes(path), previous);
                    if (Entries().count(writer.backup) != 0) {
                        EXPECT_EQ(Entries(), (std::set<std::string>{writer.file, writer.backup}));
                        EXPECT_EQ(ReadBytes(backup), previous);
                    } else {
                        EXPECT_EQ(Entries(), std::set<std::string>{writer.file});
                    }
                    break;
                case BackupState::AlreadyThere:
                    EXPECT_EQ(Entries(), (std::set<std::string>{writer.file, writer.backup}));
                    EXPECT_EQ(ReadBytes(path), previous);
                    EXPECT_EQ(ReadBytes(backup), older);
                    break;
                }
            }

            // Without a fault the same save goes through, written in small pieces.
            SCOPED_TRACE(std::string(writer.file) + ", " + BackupStateName(state) + ", no fault");
            RemoveEntries();
            WriteBytes(path, previous);
            if (state == BackupState::AlreadyThere)
                WriteBytes(backup, older);
            FaultyFileOps ops;
            ops.maxWriteChunk = 97;
            {
                FileOpsOverride use(ops);
                SaveThroughDocument(path, grid, options);
            }
            EXPECT_EQ(ReadBytes(path), output);
            if (state == BackupState::Off)
                EXPECT_EQ(Entries(), std::set<std::string>{writer.file});
            else
                EXPECT_EQ(ReadBytes(backup), state == BackupState::NoneYet ? previous : older);
        }
    }
}

TEST_F(RobustnessTest, ReplacedFileKeepsItsModeOrTheSaveFails) {
    const std::string path = PathOf("fahrten.slg");
    WriteBytes(path, "0\r\n");
    ::chmod(path.c_str(), 0604);
    FaultyFileOps ops;
    ops.setModeError = EPERM;
    FileOpsOverride use(ops);
    try {
        SaveThroughDocument(path, SampleLogbook(), SaveOptions{});
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "\x84"
                                   "fahrten.slg\x93: Zugriff verweigert. Die Datei \x84"
                                   "fahrten.slg\x93 ist unver\xE4ndert.");
    }
    EXPECT_EQ(ReadBytes(path), "0\r\n");
    EXPECT_EQ(Entries(), std::set<std::string>{"fahrten.slg"});
    EXPECT_EQ(ops.openFiles, 0);
}

TEST_F(RobustnessTest, ReportThatCannotBeComputedLeavesTheOldReport) {
    // The report stops at a sum beyond the range of numbers, before the backup step.
    const std::string path = PathOf("bericht.htm");
    WriteBytes(path, "old report");
    TextTable grid = SampleLogbook();
    grid.setCell(ColLiter, 4, "1e308");
    grid.setCell(ColLiter, 5, "1e308");
    try {
        SaveThroughDocument(path, grid, FixedReportOptions(true));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Datensatz 5, Liter: Summe zu gro\xDF.");
    }
    EXPECT_EQ(Entries(), std::set<std::string>{"bericht.htm"});
    EXPECT_EQ(ReadBytes(PathOf("bericht.htm")), "old report");
}

TEST_F(RobustnessTest, RepeatedFailuresNeverTouchTheBackup) {
    // A save that fails again and again, then one that succeeds: no failure makes a backup,
    // the backup keeps the version from before the first attempt, and the logbook ends up
    // complete.
    const std::string path = PathOf("fahrten.slg");
    const std::string backup = PathOf("fahrten.bak");
    WriteBytes(path, "1\r\nfirst\r\n");
    const TextTable grid = SampleLogbook();
    const SaveOptions options = FixedReportOptions(true);
    for (const std::size_t limit : {std::size_t{0}, std::size_t{40}, std::size_t{200}}) {
        FaultyFileOps ops;
        ops.writeLimit = limit;
        FileOpsOverride use(ops);
        EXPECT_THROW(SaveThroughDocument(path, grid, options), Error);
        EXPECT_EQ(ReadBytes(path), "1\r\nfirst\r\n");
        EXPECT_EQ(Entries(), std::set<std::string>{"fahrten.slg"});
    }
    SaveThroughDocument(path, grid, options);
    EXPECT_EQ(ReadBytes(path), NativeText(grid, path, options));
    EXPECT_EQ(ReadBytes(backup), "1\r\nfirst\r\n");
    EXPECT_EQ(Entries(), (std::set<std::string>{"fahrten.slg", "fahrten.bak"}));
}

TEST_F(RobustnessTest, SavingThroughALinkReplacesTheFileItLeadsTo) {
    // A logbook kept elsewhere and opened through a link: the save must reach that file and
    // leave the link in place, as writing into the file would.
    ::mkdir(PathOf("ablage").c_str(), 0777);
    const std::string real = PathOf("ablage/fahrten.slg");
    WriteBytes(real, "1\r\nalt\r\n");
    const TextTable grid = SampleLogbook();
    const std::string expected = NativeText(grid, real, SaveOptions{});
    ASSERT_EQ(::symlink(real.c_str(), PathOf("absolute.slg").c_str()), 0);
    ASSERT_EQ(::symlink("ablage/fahrten.slg", PathOf("relative.slg").c_str()), 0);
    ASSERT_EQ(::symlink("absolute.slg", PathOf("chained.slg").c_str()), 0);
    for (const char* name : {"absolute.slg", "relative.slg", "chained.slg"}) {
        SCOPED_TRACE(name);
        WriteBytes(real, "1\r\nalt\r\n");
        ::unlink(PathOf("ablage/fahrten.bak").c_str());
        const std::string path = PathOf(name);

        SaveThroughDocument(path, grid, FixedReportOptions(true));

        struct stat info;
        ASSERT_EQ(::lstat(path.c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode));
        EXPECT_EQ(ReadBytes(real), expected);
        EXPECT_EQ(ReadBytes(PathOf("ablage/fahrten.bak")), "1\r\nalt\r\n");
    }
    // A link that leads nowhere is replaced by the file.
    const std::string dangling = PathOf("nirgends.slg");
    ASSERT_EQ(::symlink(PathOf("fehlt/fahrten.slg").c_str(), dangling.c_str()), 0);
    SaveThroughDocument(dangling, grid, SaveOptions{});
    EXPECT_EQ(ReadBytes(dangling), expected);
}

// ---------------------------------------------------------------------------------------
// Loading a file that changes under the reader

// The real file system, with something done to the file right after the existence check
// or right after the first read.
class RacingFileOps : public FileOps {
public:
    std::function<void()> afterCheck;
    std::function<void()> afterFirstRead;
    std::size_t maxReadChunk = SIZE_MAX;
    int openFiles = 0;

    int statPath(const char* path, struct stat* info) override {
        const int result = FileOps::statPath(path, info);
        RunOnce(afterCheck);
        return result;
    }
    int openForReading(const char* path) override {
        const int fd = FileOps::openForReading(path);
        openFiles += fd >= 0;
        return fd;
    }
    ssize_t readSome(int fd, void* buffer, std::size_t size) override {
        const ssize_t got = FileOps::readSome(fd, buffer, std::min(size, maxReadChunk));
        if (got > 0)
            RunOnce(afterFirstRead);
        return got;
    }
    int closeFile(int fd) override {
        --openFiles;
        return FileOps::closeFile(fd);
    }

private:
    static void RunOnce(std::function<void()>& action) {
        if (action) {
            const std::function<void()> run = std::move(action);
            action = nullptr;
            run();
        }
    }
};

struct LoadLog {
    std::vector<std::string> notices;
    int statusBarCalls = 0;
};

LoadHooks HooksFor(LoadLog& log) {
    LoadHooks hooks;
    hooks.notice = [&log](std::string_view text) { log.notices.emplace_back(text); };
    return hooks;
}

// Three records of which the derived values can be computed.
const std::string kThreeRecords =
    Lines({"3",     "01.03.2026", "15.03.2026", "02.04.2026", "10000", "10500",  "11000", "40.00",
           "35.00", "30.00",      "1.50",       "1.60",       "1.55",  "Super",  "Super", "Diesel",
           "Aral",  "Esso",       "Aral",       "Berlin",     "Bonn",  "Berlin", "",      "",
           "",      "",           "",           "",           "",      "",       ""});

TEST_F(RobustnessTest, FileThatGoesWrongBetweenCheckAndReadGivesTheIoError) {
    const std::string path = PathOf("fahrten.slg");
    const std::string elsewhere = PathOf("anderswo.slg");
    const struct {
        const char* name;
        std::function<void()> change;
        const char* message;
    } cases[] = {
        {"vanishes", [&] { ::unlink(path.c_str()); },
         "\x84"
         "fahrten.slg\x93: Datei nicht gefunden"},
        {"becomes a directory",
         [&] {
             ::unlink(path.c_str());
             ::mkdir(path.c_str(), 0777);
         },
         "\x84"
         "fahrten.slg\x93: Zugriff verweigert"},
        {"becomes a dangling link",
         [&] {
             ::unlink(path.c_str());
             EXPECT_EQ(::symlink(elsewhere.c_str(), path.c_str()), 0);
         },
         "\x84"
         "fahrten.slg\x93: Datei nicht gefunden"},
        {"becomes a link to itself",
         [&] {
             ::unlink(path.c_str());
             EXPECT_EQ(::symlink(path.c_str(), path.c_str()), 0);
         },
         "\x84"
         "fahrten.slg\x93: Ung\xFCltiger Dateiname"},
        {"its directory is replaced by a file",
         [&] {
             std::filesystem::remove_all(PathOf("sub"));
             WriteBytes(PathOf("sub"), "");
         },
         "\x84"
         "fahrten.slg\x93: Ung\xFCltiger Dateiname"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveEntries();
        ::mkdir(PathOf("sub").c_str(), 0777);
        const bool inSub = std::string(c.name) == "its directory is replaced by a file";
        const std::string file = inSub ? PathOf("sub/fahrten.slg") : path;
        WriteBytes(file, kThreeRecords);

        LogbookDocument book;
        const TextTable& grid = book.table();
        const ChartSource& prepareGrid = book.chartSource();
        RacingFileOps ops;
        ops.afterCheck = c.change;
        LoadLog log;
        {
            FileOpsOverride use(ops);
            try {
                log.statusBarCalls += book.load(file, HooksFor(log)) ? 1 : 0;
                ADD_FAILURE() << "no error";
            } catch (const Error& error) {
                EXPECT_STREQ(error.what(), c.message);
            }
        }
        // Not the notice of a missing file: the check found it.
        EXPECT_TRUE(log.notices.empty());
        EXPECT_EQ(log.statusBarCalls, 0);
        EXPECT_EQ(grid.rowCount(), 2);
        EXPECT_EQ(prepareGrid.cell(ColDatum, 0), ""); // not rebuilt
        EXPECT_EQ(ops.openFiles, 0);
    }
}

TEST_F(RobustnessTest, FileThatChangesWhileLoadingGivesAConsistentTable) {
    const std::string path = PathOf("fahrten.slg");
    const std::string other = PathOf("neu.slg");
    const std::string twoRecords =
        Lines({"2", "01.01.2027", "02.01.2027", "500", "900", "10", "20", "1", "2", "", "",
               "",  "",           "",           "",    "",    "",   "",   "",  "",  ""});
    const struct {
        const char* name;
        bool afterCheck; // else after the first piece was read
        std::function<void()> change;
        int records;
        const char* firstDate;
        const char* lastKm; // "KM" of the last record after CalculateValues
    } cases[] = {
        {"replaced by another logbook before the read", true,
         [&] {
             WriteBytes(other, twoRecords);
             ::rename(other.c_str(), path.c_str());
         },
         2, "01.01.2027", "400"},
        {"emptied before the read", true, [&] { ::truncate(path.c_str(), 0); }, 0, nullptr,
         nullptr},
        // The open file keeps its contents when the name goes or points elsewhere.
        {"removed while being read", false, [&] { ::unlink(path.c_str()); }, 3, "01.03.2026",
         "500"},
        {"replaced while being read", false,
         [&] {
             WriteBytes(other, twoRecords);
             ::rename(other.c_str(), path.c_str());
         },
         3, "01.03.2026", "500"},
        // Only by a final line end: a line of text more would make the file damaged.
        {"grows while being read", false,
         [&] {
             std::ofstream out(path, std::ios::binary | std::ios::app);
             out << "\r\n";
         },
         3, "01.03.2026", "500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, kThreeRecords);
        LogbookDocument book;
        const TextTable& grid = book.table();
        RacingFileOps ops;
        ops.maxReadChunk = 16;
        (c.afterCheck ? ops.afterCheck : ops.afterFirstRead) = c.change;
        LoadLog log;
        {
            FileOpsOverride use(ops);
            log.statusBarCalls += book.load(path, HooksFor(log)) ? 1 : 0;
        }
        EXPECT_EQ(log.statusBarCalls, 1);
        ASSERT_EQ(RecordCount(grid), c.records);
        if (c.records > 0) {
            EXPECT_EQ(grid.cell(ColDatum, 1), c.firstDate);
            EXPECT_EQ(grid.cell(ColKm, c.records), c.lastKm);
        }
        EXPECT_EQ(ops.openFiles, 0);
    }
}

TEST_F(RobustnessTest, FileCutShortWhileLoadingGivesEmptyCellsNotACrash) {
    // The file loses its end after the first piece was read: the reader meets the end of
    // the file early, and the records lack their later columns.
    const std::string path = PathOf("fahrten.slg");
    WriteBytes(path, kThreeRecords);
    RacingFileOps ops;
    ops.maxReadChunk = 16;
    ops.afterFirstRead = [&] { ::truncate(path.c_str(), 49); };
    TextTable grid = NewLogbookTable();
    {
        FileOpsOverride use(ops);
        ASSERT_TRUE(ReadLogbookFile(path, grid));
    }
    ASSERT_EQ(RecordCount(grid), 3);
    EXPECT_EQ(grid.cell(ColDatum, 3), "02.04.2026");
    EXPECT_EQ(grid.cell(ColKmStand, 1), "10000");
    EXPECT_EQ(grid.cell(ColKmStand, 2), "105"); // cut in the middle of the line
    EXPECT_EQ(grid.cell(ColKmStand, 3), "");
    EXPECT_EQ(grid.cell(ColOrt, 3), "");
    EXPECT_EQ(ops.openFiles, 0);
}

// ---------------------------------------------------------------------------------------
// Hostile files

// A file made of runs of bytes, served piece by piece without ever being held whole, so a
// test of a 100 MB file takes only the memory the reader itself needs.
class SyntheticFile : public FileOps {
public:
    struct Run {
        std::string bytes;
        std::size_t repeat = 1;
        std::size_t period = 0; // the length of the pattern as given
    };

    explicit SyntheticFile(std::vector<Run> runs) : runs_(std::move(runs)) {
        for (Run& run : runs_) {
            size_ += run.bytes.size() * run.repeat;
            // Short patterns are widened to whole periods, so a read copies large blocks.
            run.period = run.bytes.size();
            const std::size_t times = std::min<std::size_t>(run.repeat, 65536 / run.period + 1);
            std::string wide;
            for (std::size_t i = 0; i < times; ++i)
                wide += run.bytes;
            run.bytes = std::move(wide);
        }
    }

    std::size_t size() const { return size_; }
    std::size_t bytesRead() const { return position_; }
    bool closed() const { return closed_; }

    int statPath(const char*, struct stat* info) override {
        *info = {};
        info->st_mode = S_IFREG | 0644;
        info->st_size = static_cast<off_t>(size_);
        return 0;
    }
    int openForReading(const char*) override { return kDescriptor; }
    ssize_t readSome(int fd, void* buffer, std::size_t size) override {
        EXPECT_EQ(fd, kDescriptor);
        char* out = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < size && run_ < runs_.size()) {
            const Run& run = runs_[run_];
            const std::size_t runSize = run.period * run.repeat;
            if (offset_ >= runSize) {
                ++run_;
                offset_ = 0;
                continue;
            }
            const std::size_t within = offset_ % run.period;
            const std::size_t n =
                std::min({size - done, run.bytes.size() - within, runSize - offset_});
            std::memcpy(out + done, run.bytes.data() + within, n);
            done += n;
            offset_ += n;
        }
        position_ += done;
        return static_cast<ssize_t>(done);
    }
    int closeFile(int fd) override {
        EXPECT_EQ(fd, kDescriptor);
        closed_ = true;
        return 0;
    }

private:
    static constexpr int kDescriptor = 4711;
    std::vector<Run> runs_;
    std::size_t size_ = 0;
    std::size_t run_ = 0;
    std::size_t offset_ = 0;
    std::size_t position_ = 0;
    bool closed_ = false;
};

struct ExpectedCell {
    int column;
    int row;
    std::string text;
};

struct HostileCase {
    const char* name;
    std::vector<SyntheticFile::Run> runs;
    int records;                     // rows after the load, less the header
    std::vector<ExpectedCell> cells; // a few cells to check (long ones by length below)
    std::size_t longCellLength;      // length of the Datum of record 1, when not 0
    const char* error;               // the error of the load, nullptr for none
    bool statusBar;                  // the table was filled
    std::size_t maxBytesRead;        // the reader of a copy stops early when it may
};

std::vector<HostileCase> HostileCases() {
    const std::size_t hundredMb = 100 * kMegabyte;
    const std::size_t all = SIZE_MAX;
    return {
        {"count 2147483647 with records after it",
         {{"2147483647\r\n"}, {"01.01.2026\r\n", 1000}},
         1,
         {},
         0,
         "Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.",
         false,
         all},
        {"smallest integer as count",
         {{"-2147483648\r\n"}, {"x\r\n", 10}},
         0,
         {},
         0,
         nullptr,
         true,
         all},
        {"count at the limit, nothing else",
         {{"1000000\r\n"}},
         1000000,
         {{ColDatum, 1000000, ""}},
         0,
         nullptr,
         true,
         all},
        {"100 MB cell line",
         {{"1\r\n"}, {"a", hundredMb}, {"\r\n10000\r\n40.00\r\n1.50\r\n"}},
         1,
         {{ColKmStand, 1, "10000"}, {ColTankkosten, 1, "60.00"}},
         hundredMb,
         nullptr,
         true,
         all},
        {"100 MB line without any line end",
         {{"1\r\n"}, {"\xFC", hundredMb}},
         1,
         {{ColKmStand, 1, ""}},
         hundredMb,
         nullptr,
         true,
         all},
        {"100 MB rest of the count line",
         {{"2 "}, {"Datens\xE4tze ", hundredMb / 10}, {"\r\n1.1.\r\n2.1.\r\n100\r\n200\r\n"}},
         2,
         {{ColDatum, 2, "2.1."}, {ColKm, 2, "100"}},
         0,
         nullptr,
         true,
         all},
        {"100 MB of digits as count",
         {{"1", hundredMb}},
         1,
         {},
         0,
         "Die Datei ist kein Spritlog-Tankbuch. Daten anderer Programme \xFC"
         "bernimmt Datei > Export/Import > Importieren aus CSV...",
         false,
         kMegabyte},
        {"100 MB of blanks and line ends before the count",
         {{" \t\r\n", hundredMb / 4}, {"1\r\nd\r\n"}},
         1,
         {{ColDatum, 1, "d"}},
         0,
         nullptr,
         true,
         all},
        {"100 MB of NUL bytes", {{std::string(1, '\0'), hundredMb}}, 0, {}, 0, nullptr, true, all},
        {"NUL bytes around the count",
         {{std::string("\0\0"
                       "2\0rest\r\n",
                       10)},
          {"a\r\nb\r\n"}},
         2,
         {{ColDatum, 1, "a"}, {ColDatum, 2, "b"}},
         0,
         nullptr, // readings not typed in yet are missing, no error
         true,
         all},
        {"NUL bytes in the count",
         {{std::string("1\0"
                       "0\r\na\r\n",
                       8)}},
         1,
         {{ColDatum, 1, "a"}},
         0,
         nullptr,
         true,
         all},
        {"Ctrl-Z early in a 100 MB file",
         {{"1\r\nab\x1A"}, {"zzzzzzzz\r\n", hundredMb / 10}},
         1,
         {{ColDatum, 1, "ab"}, {ColKmStand, 1, ""}},
         0,
         nullptr,
         true,
         kMegabyte},
        {"only CRs", {{"\r", hundredMb}}, 0, {}, 0, nullptr, true, all},
        {"count followed by only CRs",
         {{"2"}, {"\r", kMegabyte}},
         2,
         {{ColDatum, 1, ""}},
         0,
         nullptr,
         true,
         all},
        {"CR line ends only",
         {{"2\r\n01.01.2026\r02.01.2026\r100\r200\r"}},
         2,
         {{ColDatum, 1, "01.01.2026"}, {ColDatum, 2, ""}, {ColKmStand, 1, ""}},
         0,
         nullptr,
         true,
         all},
        {"a million empty lines for three records",
         {{"3\r\n"}, {"\r\n", kMegabyte}},
         3,
         {{ColNote3, 3, ""}},
         0,
         nullptr,
         true,
         128 * 1024},
    };
}

TEST(HostileFileTest, EachGivesItsResultOrAClearError) {
    for (const HostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.name);
        SyntheticFile file(c.runs);
        LogbookDocument book;
        const TextTable& grid = book.table();
        book.editCell({ColOrt, 1}, "before");
        LoadLog log;
        // A file whose lines do not fit its count is read to its end, told and not taken;
        // the copy the user may then open is read as far as the count goes.
        bool damaged = false;
        {
            FileOpsOverride use(file);
            try {
                log.statusBarCalls += book.load("hostile.slg", HooksFor(log)) ? 1 : 0;
                EXPECT_EQ(c.error, nullptr) << "no error";
            } catch (const DamagedLogbook&) {
                damaged = true;
            } catch (const Error& error) {
                ASSERT_NE(c.error, nullptr) << error.what();
                EXPECT_STREQ(error.what(), c.error);
            }
        }
        EXPECT_TRUE(file.closed());
        SyntheticFile copy(c.runs);
        if (damaged) {
            EXPECT_EQ(log.statusBarCalls, 0);
            EXPECT_EQ(grid.cell(ColOrt, 1), "before");
            FileOpsOverride use(copy);
            try {
                log.statusBarCalls += book.loadDamagedCopy("hostile.slg", HooksFor(log)) ? 1 : 0;
                EXPECT_EQ(c.error, nullptr) << "no error";
            } catch (const Error& error) {
                ASSERT_NE(c.error, nullptr) << error.what();
                EXPECT_STREQ(error.what(), c.error);
            }
            EXPECT_TRUE(copy.closed());
        }
        EXPECT_LE((damaged ? copy : file).bytesRead(), c.maxBytesRead);
        EXPECT_EQ(log.statusBarCalls, c.statusBar ? 1 : 0);
        EXPECT_TRUE(log.notices.empty());
        if (!c.statusBar) {
            // A bad count leaves the table as it was.
            EXPECT_EQ(grid.rowCount(), 2);
            EXPECT_EQ(grid.cell(ColOrt, 1), "before");
            continue;
        }
        ASSERT_EQ(RecordCount(grid), c.records);
        for (const ExpectedCell& cell : c.cells)
            EXPECT_EQ(grid.cell(cell.column, cell.row), cell.text)
                << "column " << cell.column << " row " << cell.row;
        if (c.longCellLength > 0) {
            const std::string_view text = grid.cell(ColDatum, 1);
            ASSERT_EQ(text.size(), c.longCellLength);
            EXPECT_EQ(text.find_first_not_of(text.front()), std::string_view::npos);
        }
    }
}

} // namespace
} // namespace spritlog
