// Saving never leaves less than before: the backup is made only once the new file is
// complete, never by moving the only copy, and a failing backup stops the save with the
// file as it was. On a real full file system the same holds.

#include "document/logbookdocument.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbookfile.h"
#include "support/documentsave.h"
#include "support/faultyfileops.h"
#include "support/filebytes.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spritlog {
namespace {

using test::FaultyFileOps;
using test::ReadBytes;
using test::SaveThroughDocument;
using test::WriteBytes;

class SaveSafetyTest : public test::TemporaryFolderTest {};

TextTable ManyRecords(int count) {
    std::vector<test::Record> records;
    for (int i = 0; i < count; ++i)
        records.push_back({"01.03.2026", std::to_string(10000 + 500 * i), "40.00", "1.509", "Super",
                           "Aral Tankstelle an der Hauptstra\xDF"
                           "e",
                           "M\xFCnchen"});
    return test::LogbookOf(records);
}

std::string NativeText(const TextTable& grid) {
    StringSink sink;
    WriteNativeFile(sink, grid);
    return sink.text;
}

TEST_F(SaveSafetyTest, FailingBackupStopsTheSaveWithTheFileAsItWas) {
    const std::string previous = "1\r\nthe logbook as it was\r\n";
    const TextTable grid = ManyRecords(3);
    const std::size_t newSize = NativeText(grid).size();
    const char* denied = "Die Sicherungskopie \x84"
                         "fahrten.bak\x93 lie\xDF sich nicht anlegen: Zugriff verweigert. Die "
                         "Datei \x84"
                         "fahrten.slg\x93 ist unver\xE4ndert.";
    const char* full = "Die Sicherungskopie \x84"
                       "fahrten.bak\x93 lie\xDF sich nicht anlegen: Datentr\xE4ger voll. Die "
                       "Datei \x84"
                       "fahrten.slg\x93 ist unver\xE4ndert.";
    const struct {
        const char* name;
        std::function<void(FaultyFileOps&)> arm;
        const char* message;
    } cases[] = {
        {"link denied", [](FaultyFileOps& ops) { ops.backupError = EACCES; }, denied},
        // Without hard links the backup is a copy; the disk fills in the middle of it.
        {"copy: disk full in the middle",
         [&](FaultyFileOps& ops) {
             ops.linkError = EPERM;
             ops.maxWriteChunk = 5;
             ops.writeLimit = newSize + previous.size() / 2;
         },
         full},
        {"copy: disk full at its first byte",
         [&](FaultyFileOps& ops) {
             ops.linkError = EPERM;
             ops.writeLimit = newSize;
         },
         full},
        {"copy without a fault", [](FaultyFileOps& ops) { ops.linkError = EOPNOTSUPP; }, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveEntries();
        const std::string path = PathOf("fahrten.slg");
        WriteBytes(path, previous);
        FaultyFileOps ops;
        c.arm(ops);
        SaveOptions options;
        options.backup = true;
        {
            FileOpsOverride use(ops);
            if (c.message == nullptr) {
                // Armed to succeed: the copy is the backup.
                SaveThroughDocument(path, grid, options);
                EXPECT_EQ(ReadBytes(path), NativeText(grid));
                EXPECT_EQ(ReadBytes(PathOf("fahrten.bak")), previous);
                EXPECT_EQ(Entries(), (std::set<std::string>{"fahrten.slg", "fahrten.bak"}));
                continue;
            }
            try {
                SaveThroughDocument(path, grid, options);
                ADD_FAILURE() << "no error";
            } catch (const Error& error) {
                EXPECT_STREQ(error.what(), c.message);
            }
        }
        EXPECT_EQ(ReadBytes(path), previous);
        EXPECT_EQ(Entries(), std::set<std::string>{"fahrten.slg"});
        EXPECT_EQ(ops.openFiles, 0);
    }
}

TEST_F(SaveSafetyTest, BackupIsASecondNameNotAMove) {
    // The old file's contents are in two places the moment the backup exists.
    const std::string path = PathOf("fahrten.slg");
    WriteBytes(path, "0\r\n");
    FaultyFileOps ops;
    ops.renameError = EIO; // the rename over the target fails after the backup
    SaveOptions options;
    options.backup = true;
    {
        FileOpsOverride use(ops);
        EXPECT_THROW(SaveThroughDocument(path, ManyRecords(2), options), Error);
    }
    EXPECT_EQ(ReadBytes(path), "0\r\n");
    EXPECT_EQ(ReadBytes(PathOf("fahrten.bak")), "0\r\n");
}

TEST_F(SaveSafetyTest, NewFileThatFailsSaysItWasNotCreated) {
    FaultyFileOps ops;
    ops.writeLimit = 10;
    FileOpsOverride use(ops);
    try {
        SaveThroughDocument(PathOf("neu.slg"), ManyRecords(2), SaveOptions{});
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(),
                     "\x84neu.slg\x93: Datentr\xE4ger voll. Die Datei \x84neu.slg\x93 "
                     "wurde nicht angelegt.");
    }
    EXPECT_EQ(Entries(), std::set<std::string>{});
}

// A small tmpfs filled up to a few bytes: the real kernel's ENOSPC, wherever it strikes.
class FullFileSystemTest : public test::TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        mountPoint_ = PathOf("klein");
        ::mkdir(mountPoint_.c_str(), 0777);
        if (::mount("tmpfs", mountPoint_.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "no tmpfs mount here: " << std::strerror(errno);
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_)
            ::umount(mountPoint_.c_str());
        TemporaryFolderTest::TearDown();
    }
    // Fills the file system to the last byte.
    void fillUp() {
        FILE* file = std::fopen((mountPoint_ + "/filler").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::setvbuf(file, nullptr, _IONBF, 0);
        for (std::size_t block = 1024; block > 0; block /= 2) {
            const std::string bytes(block, 'x');
            while (std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()) {
            }
            std::clearerr(file);
        }
        std::fclose(file);
    }
    std::string mountPoint_;
    bool mounted_ = false;
};

TEST_F(FullFileSystemTest, SaveOnAFullDiskKeepsTheLogbookWhole) {
    const std::string path = mountPoint_ + "/voll.slg";
    const std::string previous = NativeText(ManyRecords(5));
    WriteBytes(path, previous);
    fillUp();
    for (const bool backup : {true, false}) {
        SCOPED_TRACE(backup ? "with backup" : "without backup");
        SaveOptions options;
        options.backup = backup;
        try {
            SaveThroughDocument(path, ManyRecords(200), options);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "\x84voll.slg\x93: Datentr\xE4ger voll. Die Datei "
                                       "\x84voll.slg\x93 ist unver\xE4ndert.");
        }
        EXPECT_EQ(ReadBytes(path), previous);
    }
    // Room again: the save goes through, and the backup holds the old logbook.
    ::unlink((mountPoint_ + "/filler").c_str());
    SaveOptions options;
    options.backup = true;
    SaveThroughDocument(path, ManyRecords(200), options);
    EXPECT_EQ(ReadBytes(path), NativeText(ManyRecords(200)));
    EXPECT_EQ(ReadBytes(mountPoint_ + "/voll.bak"), previous);
}

} // namespace
} // namespace spritlog
