#include "logbook/fileio.h"

#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

namespace spritlog {
namespace {

class FileIoTest : public test::TemporaryFolderTest {};

TEST(IoErrorMessageTest, SystemErrorsGiveTheirMessages) {
    const struct {
        int error;
        const char* message;
    } cases[] = {
        {ENOENT, "\x84log.slg\x93: Datei nicht gefunden"},
        {ENOTDIR, "\x84log.slg\x93: Ung\xFCltiger Dateiname"},
        {ENAMETOOLONG, "\x84log.slg\x93: Ung\xFCltiger Dateiname"},
        {ELOOP, "\x84log.slg\x93: Ung\xFCltiger Dateiname"},
        {EINVAL, "\x84log.slg\x93: Ung\xFCltiger Dateiname"},
        {EMFILE, "\x84log.slg\x93: Zu viele offene Dateien"},
        {ENFILE, "\x84log.slg\x93: Zu viele offene Dateien"},
        {EACCES, "\x84log.slg\x93: Zugriff verweigert"},
        {EPERM, "\x84log.slg\x93: Zugriff verweigert"},
        {EROFS, "\x84log.slg\x93: Zugriff verweigert"},
        {EISDIR, "\x84log.slg\x93: Zugriff verweigert"},
        {ENOSPC, "\x84log.slg\x93: Datentr\xE4ger voll"},
        {EDQUOT, "\x84log.slg\x93: Datentr\xE4ger voll"},
        {EIO, "\x84log.slg\x93: Ein-/Ausgabefehler 5"},
        {EBUSY, "\x84log.slg\x93: Ein-/Ausgabefehler 16"},
        {ETXTBSY, "\x84log.slg\x93: Ein-/Ausgabefehler 26"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IoErrorMessage(c.error, "/home/fahrer/Tankbuch/log.slg"), c.message) << c.error;
}

TEST(IoErrorMessageTest, TheFileIsNamedAsTheUserKnowsIt) {
    // File names are UTF-8, messages Windows-1252.
    const struct {
        const char* path;
        const char* message;
    } cases[] = {
        {"log.slg", "\x84log.slg\x93: Datei nicht gefunden"},
        {"/home/fahrer/\xC3\x9C"
         "bersicht.slg",
         "\x84\xDC"
         "bersicht.slg\x93: Datei nicht gefunden"},
        {"/home/fahrer/\xC5\x81\xC3\xB3"
         "d\xC5\xBA.slg",
         "\x84?\xF3"
         "d?.slg\x93: Datei nicht gefunden"},
        {"/home/fahrer/Ordner/", "\x84/home/fahrer/Ordner/\x93: Datei nicht gefunden"},
        {"", "Datei nicht gefunden"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IoErrorMessage(ENOENT, c.path), c.message) << c.path;
}

// A writer that fills a file by name knows only the temporary one; its failure is reported
// under the target's name.
TEST_F(FileIoTest, WriterFailureNamesTheTargetNotTheTemporaryFile) {
    try {
        ReplaceFileByName(PathOf("bericht.xlsx"), false,
                          [](const std::string&) { ThrowIoError(ENOSPC); });
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "\x84"
                                   "bericht.xlsx\x93: Datentr\xE4ger voll. Die Datei \x84"
                                   "bericht.xlsx\x93 wurde nicht angelegt.");
    }
    EXPECT_EQ(Entries(), std::set<std::string>{});
}

} // namespace
} // namespace spritlog
