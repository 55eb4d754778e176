#pragma once

#include <QString>

#include <array>
#include <string>

namespace spritlog {

// The per-user settings store: QSettings("Ostrel", "Spritlog"), values at its top level,
// every value written as text. The window's settings use the same keys.
namespace settingskeys {
inline constexpr const char* kOrganization = "Ostrel";
inline constexpr const char* kApplication = "Spritlog";
inline constexpr const char* kDefaultFile = "DefaultFile";
inline constexpr const char* kNotes[3] = {"Anmerkung1", "Anmerkung2", "Anmerkung3"};
inline constexpr const char* kBackup = "Backupspeichern";
} // namespace settingskeys

// What the command-line tool takes from the store. Read-only: it never writes a value.
struct StoredSettings {
    std::array<std::string, 3> noteHeaders; // Windows-1252; the value names when absent
    bool backup = true;                     // Backupspeichern
};

StoredSettings ReadStoredSettings();

// A flag's reading rule: the stored text read as integer text; empty or malformed text
// gives `defaultValue`; true when the integer is not 0.
bool FlagFromText(const QString& text, bool defaultValue);

} // namespace spritlog
