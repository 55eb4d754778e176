#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

class QSettings;

namespace spritlog {

// The per-user store: QSettings("Ostrel", "Spritlog"), values at its top level.
namespace settingskeys {
inline constexpr const char* kOrganization = "Ostrel";
inline constexpr const char* kApplication = "Spritlog";
} // namespace settingskeys

// The twelve values that survive between runs. Everything is stored as text: flags as
// "1"/"0", integers as decimal text. The window reads and writes all of them; spritlog-cli
// only reads the note headers and Backupspeichern.
struct Settings {
    // In the order load reads and applies them.
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

    // A member's type chooses its reading rule, its initializer is its default.
    QString defaultFile;
    bool dateispeichern = true;
    bool autospeichern = false;
    bool backupspeichern = true;
    std::array<QString, 3> notes{QStringLiteral("Anmerkung1"), QStringLiteral("Anmerkung2"),
                                 QStringLiteral("Anmerkung3")}; // the value names
    int tabIndex = 0;
    int ansicht = 0;
    int zoom = 1;
    int width = 500;
    int height = 450;

    // Calls visit(key, name in the store, member) for every value, in load order: the one
    // place that ties a key to its name and its member.
    template <typename Values, typename Visit> static void forEach(Values& values, Visit visit) {
        visit(Key::DefaultFile, "DefaultFile", values.defaultFile);
        visit(Key::Dateispeichern, "Dateispeichern", values.dateispeichern);
        visit(Key::Autospeichern, "Autospeichern", values.autospeichern);
        visit(Key::Backupspeichern, "Backupspeichern", values.backupspeichern);
        visit(Key::Anmerkung1, "Anmerkung1", values.notes[0]);
        visit(Key::Anmerkung2, "Anmerkung2", values.notes[1]);
        visit(Key::Anmerkung3, "Anmerkung3", values.notes[2]);
        visit(Key::TabIndex, "TabIndex", values.tabIndex);
        visit(Key::Ansicht, "Ansicht", values.ansicht);
        visit(Key::Zoom, "Zoom", values.zoom);
        visit(Key::Width, "Width", values.width);
        visit(Key::Height, "Height", values.height);
    }

    // The store's value name of `key`.
    static const char* name(Key key);

    // Reads the values one by one in load order; after each one, `applied` gets its key so
    // the caller can apply it at once. A missing value, or a flag or number whose text is
    // not an integer, leaves the member as it was: its default in a fresh Settings. A text
    // edited by hand into a list is joined again with ", ". A value that is neither text
    // nor a list throws Error("Invalid data type for '<name>'"), leaving the values read
    // before it applied. When the store cannot be read, or its folder cannot be opened or
    // created, nothing is read and nothing applied.
    void load(const QSettings& store, const std::function<void(Key)>& applied);
    // Reads only `keys`, in load order and by load's rules, without creating the store's
    // folder: for a reader that never writes the store.
    void read(const QSettings& store, std::initializer_list<Key> keys);
    // Writes all twelve values as text. When the store cannot be read, or its folder cannot
    // be opened or created, nothing is written and nothing said; a store file that cannot
    // be created throws Error("Failed to create key Spritlog"), one that cannot be
    // rewritten Error("Failed to set data for 'DefaultFile'").
    void save(QSettings& store) const;
};

// The logbooks opened or saved last, newest first. They live in the same store as a value
// of their own beside the twelve, which Settings neither reads nor writes.
struct RecentFiles {
    static constexpr int kLimit = 8;
    static constexpr const char* kName = "RecentFiles";

    QStringList paths;

    // Reads the list; a missing value, or one that is no text, gives an empty list.
    void read(const QSettings& store);
    // Writes the list (an empty one removes the value). A store that cannot be written is
    // left as it is without a word: the list is a convenience, never a reason for an error.
    void write(QSettings& store) const;
    // `path` first, once, and no more than kLimit entries.
    void add(const QString& path);
    void remove(const QString& path);
};

// "Verbrauch von Volltank zu Volltank rechnen": on, consumption runs from one full fill-up to
// the next; off, every record by itself. A value of its own beside the twelve, stored as
// "1"/"0" like their flags; Settings neither reads nor writes it.
struct FullTankIntervals {
    static constexpr const char* kName = "VolltankZuVolltank";

    bool on = true;

    // Reads the flag by the flags' rule (any integer but 0 is true); a missing value, or one
    // that is no integer text, leaves it as it was.
    void read(const QSettings& store);
    // Writes the flag. A store that cannot be written is left as it is without a word, as
    // the twelve values are when their folder cannot be made.
    void write(QSettings& store) const;
};

// QSettings("Ostrel", "Spritlog") in the user's scope.
std::unique_ptr<QSettings> OpenSettingsStore();

} // namespace spritlog
