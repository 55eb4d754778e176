#pragma once

#include "settingsstore.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class QSettings;

namespace spritlog {

// The window's keys beside the ones the command-line tool reads too.
namespace settingskeys {
inline constexpr const char* kAskOnClose = "Dateispeichern";
inline constexpr const char* kAutoSave = "Autospeichern";
inline constexpr const char* kTabIndex = "TabIndex";
inline constexpr const char* kAnsicht = "Ansicht";
inline constexpr const char* kZoom = "Zoom";
inline constexpr const char* kWidth = "Width";
inline constexpr const char* kHeight = "Height";
} // namespace settingskeys

// The twelve values that survive between runs, with their defaults. Everything is stored
// as text: flags as "1"/"0", integers as decimal text.
struct Settings {
    // In the order LoadSettings reads and applies them.
    enum class Key {
        DefaultFile,
        Dateispeichern,
        Autospeichern,
        Backupspeichern,
        Anmerkung1,
        Anmerkung2,
        Anmerkung3,
        TabIndex,
        Ansicht,
        Zoom,
        Width,
        Height,
    };

    QString defaultFile;
    std::array<QString, 3> notes{QString::fromLatin1(settingskeys::kNotes[0]),
                                 QString::fromLatin1(settingskeys::kNotes[1]),
                                 QString::fromLatin1(settingskeys::kNotes[2])};
    bool dateispeichern = true;
    bool autospeichern = false;
    bool backupspeichern = true;
    int tabIndex = 0;
    int ansicht = 0;
    int zoom = 1;
    int width = 500;
    int height = 450;

    // The store's value name of `key`.
    static const char* name(Key key);

    // Reads the values one by one in load order; after each one, `applied` gets its key so
    // the caller can apply it at once. A missing value or a malformed number gives the
    // default. A value that is not text throws Error("Invalid data type for '<name>'"),
    // leaving the values read before it applied. When the store's folder cannot be opened
    // or created, nothing is read and nothing applied.
    void load(const QSettings& store, const std::function<void(Key)>& applied);
    // Writes all twelve values as text, in the order of the store's listing. When the
    // store's folder cannot be opened or created, nothing is written and nothing said; a
    // store file that cannot be created throws Error("Failed to create key Spritlog"), one
    // that cannot be rewritten Error("Failed to set data for 'DefaultFile'").
    void save(QSettings& store) const;
};

// QSettings("Ostrel", "Spritlog") in the user's scope.
std::unique_ptr<QSettings> OpenSettingsStore();

} // namespace spritlog
