// Recovery copies: written by one window, found once that window is gone, removed, set
// aside when damaged, and taken back into a document as unsaved changes.
#include "document/logbookdocument.h"
#include "document/recoverystore.h"
#include "document/recoverywriter.h"

#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"
#include "support/faultyfileops.h"
#include "support/filebytes.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace spritlog {
namespace {

using test::Exists;
using test::LogbookOf;
using test::ReadBytes;
using test::WriteBytes;

class RecoveryTest : public test::TemporaryFolderTest {
protected:
    std::string Folder() const { return PathOf("state/spritlog"); }
    static TextTable TwoRecords() {
        return LogbookOf({{"01.03.2026", "10000", "40.00", "1.50"},
                          {"15.03.2026", "10500", "35.00", "1.60", "Super"}});
    }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(RecoveryTest, CopyOfAWindowThatIsGoneIsFoundWithItsRecordsPathAndTime) {
    const std::string logbook = PathOf("golf.slg");
    {
        RecoveryStore gone(Folder());
        gone.write(gone.copyPathFor(logbook), logbook, TwoRecords(), 1796653920);
        // While the window lives its copy is its own.
        RecoveryStore other(Folder());
        EXPECT_TRUE(other.findLeftBehind().copies.empty());
    }
    RecoveryStore next(Folder());
    const RecoverySearch found = next.findLeftBehind();
    ASSERT_EQ(found.copies.size(), 1u);
    EXPECT_TRUE(found.setAside.empty());
    const RecoveryCopy& copy = found.copies.front();
    EXPECT_EQ(copy.logbookPath, logbook);
    EXPECT_EQ(copy.writtenAt, 1796653920);
    EXPECT_EQ(copy.table.rowCount(), 3);
    EXPECT_EQ(copy.table.cell(ColKmStand, 2), "10500");
    EXPECT_EQ(copy.table.cell(ColBenzin, 2), "Super");
    EXPECT_EQ(copy.table.cell(ColLiterpreis, 1), "1.50");
}

TEST_F(RecoveryTest, TwoWindowsOnOneLogbookKeepTwoCopiesNewestFirst) {
    const std::string logbook = PathOf("golf.slg");
    {
        RecoveryStore first(Folder());
        RecoveryStore second(Folder());
        ASSERT_NE(first.copyPathFor(logbook), second.copyPathFor(logbook));
        EXPECT_EQ(first.copyPathFor(logbook), first.copyPathFor(logbook));
        EXPECT_NE(first.copyPathFor(logbook), first.copyPathFor(PathOf("polo.slg")));
        first.write(first.copyPathFor(logbook), logbook, TwoRecords(), 200);
        second.write(second.copyPathFor(logbook), logbook, LogbookOf({{"x"}}), 300);
    }
    const RecoverySearch found = RecoveryStore(Folder()).findLeftBehind();
    ASSERT_EQ(found.copies.size(), 2u);
    EXPECT_EQ(found.copies[0].writtenAt, 300);
    EXPECT_EQ(found.copies[0].table.cell(ColDatum, 1), "x");
    EXPECT_EQ(found.copies[1].writtenAt, 200);
}

TEST_F(RecoveryTest, CopyOfAProcessThatEndedIsFound) {
    // Reaped, or killed and not yet reaped by its parent (a zombie still answers kill 0).
    for (const bool reaped : {true, false}) {
        SCOPED_TRACE(reaped ? "reaped" : "zombie");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(0);
        if (reaped)
            ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        else
            ::usleep(200 * 1000); // time to end
        std::filesystem::create_directories(Folder());
        const std::string name = "0123456789abcdef_" + std::to_string(child) + "_1.recovery";
        WriteBytes(Folder() + "/" + name,
                   test::Lines({"Spritlog-Wiederherstellung 1", "", "5", "0"}));
        const RecoverySearch found = RecoveryStore(Folder()).findLeftBehind();
        if (!reaped) {
            ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        }
        ASSERT_EQ(found.copies.size(), 1u);
        EXPECT_EQ(found.copies[0].writtenAt, 5);
        EXPECT_EQ(found.copies[0].logbookPath, "");
        RecoveryStore::remove(found.copies[0].copyPath);
    }
}

// A copy that cannot be read stays on disk under another name, and the search names it.
class DamagedCopyTest : public RecoveryTest,
                        public ::testing::WithParamInterface<std::pair<const char*, std::string>> {
};

TEST_P(DamagedCopyTest, IsSetAsideAndNamed) {
    std::string copy;
    {
        RecoveryStore gone(Folder());
        copy = gone.copyPathFor("");
        gone.write(copy, "", TwoRecords(), 100);
        WriteBytes(copy, GetParam().second);
    }
    const RecoverySearch found = RecoveryStore(Folder()).findLeftBehind();
    EXPECT_TRUE(found.copies.empty());
    ASSERT_EQ(found.setAside, std::vector<std::string>{copy + ".defekt"});
    EXPECT_FALSE(Exists(copy));
    EXPECT_EQ(ReadBytes(copy + ".defekt"), GetParam().second);
    // Set aside once, never offered again.
    const RecoverySearch again = RecoveryStore(Folder()).findLeftBehind();
    EXPECT_TRUE(again.copies.empty());
    EXPECT_TRUE(again.setAside.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, DamagedCopyTest,
    ::testing::Values(std::make_pair("empty", std::string()),
                      std::make_pair("other tag", test::Lines({"Spritlog 1", "", "5", "0"})),
                      std::make_pair("no time", test::Lines({"Spritlog-Wiederherstellung 1", ""})),
                      std::make_pair("time no number", test::Lines({"Spritlog-Wiederherstellung 1",
                                                                    "", "gestern", "0"})),
                      std::make_pair("no record count", test::Lines({"Spritlog-Wiederherstellung 1",
                                                                     "", "5", "abc"}))),
    [](const auto& info) {
        std::string name = info.param.first;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// A window killed at any moment of a write leaves the copy before that write or the new
// one, whole, and its logbook file as it was; what the cut write left is cleaned up.
TEST_F(RecoveryTest, KilledDuringWritesLeavesAWholeCopy) {
    const std::string logbook = PathOf("golf.slg");
    const std::string fileBytes =
        test::Lines({"1", "01.03.2026", "10000", "40.00", "1.50", "", "", "", "", "", ""});
    WriteBytes(logbook, fileBytes);
    const TextTable tables[] = {test::MarkedLogbook(20000), test::MarkedLogbook(15000)};
    for (const int delayMs : {0, 1, 3, 7, 15, 30, 60, 120}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RecoveryStore store(Folder());
            RecoveryWriter writer(store);
            for (int round = 0;; ++round) {
                writer.write(store.copyPathFor(logbook), logbook, tables[round % 2], round);
                writer.wait();
            }
        }
        ::usleep(static_cast<useconds_t>(delayMs) * 1000);
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);

        const RecoverySearch found = RecoveryStore(Folder()).findLeftBehind();
        EXPECT_TRUE(found.setAside.empty()) << delayMs << " ms";
        ASSERT_LE(found.copies.size(), 1u) << delayMs << " ms";
        if (!found.copies.empty()) {
            const RecoveryCopy& copy = found.copies.front();
            const int records = copy.writtenAt % 2 == 0 ? 20000 : 15000;
            ASSERT_EQ(copy.table.rowCount(), records + 1) << delayMs << " ms";
            EXPECT_EQ(copy.table.cell(ColOrt, records), "c11r" + std::to_string(records));
            RecoveryStore::remove(copy.copyPath);
        }
        EXPECT_EQ(ReadBytes(logbook), fileBytes);
        if (std::filesystem::exists(Folder())) {
            EXPECT_TRUE(Names().empty()) << delayMs << " ms";
        }
    }
}

TEST_F(RecoveryTest, CopyIsNewerThanItsFileUnlessTheFileWasWrittenLater) {
    RecoveryCopy copy;
    copy.logbookPath = PathOf("golf.slg");
    copy.writtenAt = 1000;
    EXPECT_TRUE(CopyIsNewerThanFile(copy)); // no file
    WriteBytes(copy.logbookPath, "0\r\n");
    const struct utimbuf older { 900, 900 };
    ASSERT_EQ(::utime(copy.logbookPath.c_str(), &older), 0);
    EXPECT_TRUE(CopyIsNewerThanFile(copy));
    const struct utimbuf newer { 1100, 1100 };
    ASSERT_EQ(::utime(copy.logbookPath.c_str(), &newer), 0);
    EXPECT_FALSE(CopyIsNewerThanFile(copy));
    copy.logbookPath.clear(); // never saved: always worth offering
    EXPECT_TRUE(CopyIsNewerThanFile(copy));
}

// A write that fails at any step leaves the copy before it whole, and no temporary file.
TEST_F(RecoveryTest, FailingWriteKeepsThePreviousCopyAndIsNoted) {
    RecoveryStore store(Folder());
    const std::string copy = store.copyPathFor("");
    store.write(copy, "", TwoRecords(), 100);
    const std::string before = ReadBytes(copy);
    for (int step = 0; step < 4; ++step) {
        RecoveryWriter writer(store);
        test::FaultyFileOps faulty;
        faulty.writeLimit = step == 0 ? 10 : SIZE_MAX;
        faulty.syncError = step == 1 ? EIO : 0;
        faulty.closeError = step == 2 ? EIO : 0;
        faulty.renameError = step == 3 ? EACCES : 0;
        const FileOpsOverride use(faulty);
        writer.write(copy, "", LogbookOf({{"neu"}}), 200);
        writer.wait();
        EXPECT_NE(writer.lastError(), "") << "step " << step;
        EXPECT_EQ(ReadBytes(copy), before) << "step " << step;
        EXPECT_EQ(Names().size(), 1u) << "step " << step;
    }
}

TEST(RecoveryFolder, StateHomeElseHomeLocalState) {
    const char* savedState = std::getenv("XDG_STATE_HOME");
    const std::string state = savedState ? savedState : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_STATE_HOME", "/var/zustand", 1);
    EXPECT_EQ(DefaultRecoveryFolder(), "/var/zustand/spritlog");
    ::setenv("XDG_STATE_HOME", "relativ", 1); // not absolute: ignored
    ::setenv("HOME", "/home/anna", 1);
    EXPECT_EQ(DefaultRecoveryFolder(), "/home/anna/.local/state/spritlog");
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(DefaultRecoveryFolder(), "/home/anna/.local/state/spritlog");
    if (savedState)
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    ::setenv("HOME", home.c_str(), 1);
}

TEST_F(RecoveryTest, RestoredRecordsAreUnsavedChangesOfTheLoadedFile) {
    const std::string logbook = PathOf("golf.slg");
    WriteBytes(logbook,
               test::Lines({"1", "01.03.2026", "10000", "40.00", "1.50", "", "", "", "", "", ""}));
    LogbookDocument document;
    document.load(logbook);
    ASSERT_FALSE(document.isModified());
    document.restoreUnsaved(TwoRecords());
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.fileName(), logbook);
    EXPECT_EQ(document.recordCount(), 2);
    EXPECT_EQ(document.table().cell(ColKmStand, 2), "10500");
    EXPECT_EQ(document.table().cell(ColKm, 2), "500"); // calculated
    document.undo();
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.recordCount(), 1);
}

} // namespace
} // namespace spritlog
