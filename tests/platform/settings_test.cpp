// The settings as spritlog-cli reads them. The window's reading and writing is tested with
// the window (tests/app).
#include "platform/settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace spritlog {
namespace {

// The tool only reads the store: not even the folder the window would create appears.
TEST(SettingsRead, MissingStoreGivesTheDefaultsAndCreatesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("Ostrel"));
    const QSettings store(folder + QStringLiteral("/Spritlog.conf"), QSettings::IniFormat);
    Settings settings;
    settings.read(store, {Settings::Key::Backupspeichern, Settings::Key::Anmerkung1});
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(settings.backupspeichern);
    EXPECT_EQ(settings.notes[0], QStringLiteral("Anmerkung1"));
}

} // namespace
} // namespace spritlog
