#include "settings.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace spritlog {
namespace {

using Key = Settings::Key;

// A stored text, or `fallback` when the value does not exist. An INI line edited by hand
// with unquoted commas reads back as a list; it is joined again.
QString ReadText(const QSettings& store, Key key, const QString& fallback) {
    const QString name = QString::fromLatin1(Settings::name(key));
    if (!store.contains(name))
        return fallback;
    const QVariant value = store.value(name);
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(QLatin1String(", "));
    default:
        throw Error(std::string("Invalid data type for '") + Settings::name(key) + "'");
    }
}

int ReadInteger(const QSettings& store, Key key, int fallback) {
    int32_t number = 0;
    const QString text = ReadText(store, key, QString());
    if (!TryTextToInteger(Utf8ToCp1252(text.toStdString()), number))
        return fallback;
    return number;
}

bool ReadFlag(const QSettings& store, Key key, bool fallback) {
    return FlagFromText(ReadText(store, key, QString()), fallback);
}

QString FlagText(bool flag) {
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

// The store's folder stands for the key "Ostrel", its file for the subkey "Spritlog". The
// key is opened, and created when missing, before anything is read or written; when that
// fails the store is left alone without a word.
bool OpenKey(const QSettings& store) {
    return QDir().mkpath(QFileInfo(store.fileName()).absolutePath());
}

} // namespace

const char* Settings::name(Key key) {
    using namespace settingskeys;
    switch (key) {
    case Key::DefaultFile:
        return kDefaultFile;
    case Key::Dateispeichern:
        return kAskOnClose;
    case Key::Autospeichern:
        return kAutoSave;
    case Key::Backupspeichern:
        return kBackup;
    case Key::Anmerkung1:
        return kNotes[0];
    case Key::Anmerkung2:
        return kNotes[1];
    case Key::Anmerkung3:
        return kNotes[2];
    case Key::TabIndex:
        return kTabIndex;
    case Key::Ansicht:
        return kAnsicht;
    case Key::Zoom:
        return kZoom;
    case Key::Width:
        return kWidth;
    case Key::Height:
        return kHeight;
    }
    return "";
}

void Settings::load(const QSettings& store, const std::function<void(Key)>& applied) {
    if (!OpenKey(store))
        return;
    const Settings defaults;
    auto done = [&](Key key) {
        if (applied)
            applied(key);
    };
    defaultFile = ReadText(store, Key::DefaultFile, defaults.defaultFile);
    done(Key::DefaultFile);
    dateispeichern = ReadFlag(store, Key::Dateispeichern, defaults.dateispeichern);
    done(Key::Dateispeichern);
    autospeichern = ReadFlag(store, Key::Autospeichern, defaults.autospeichern);
    done(Key::Autospeichern);
    backupspeichern = ReadFlag(store, Key::Backupspeichern, defaults.backupspeichern);
    done(Key::Backupspeichern);
    const Key noteKeys[3] = {Key::Anmerkung1, Key::Anmerkung2, Key::Anmerkung3};
    for (int i = 0; i < 3; ++i) {
        notes[i] = ReadText(store, noteKeys[i], defaults.notes[i]);
        done(noteKeys[i]);
    }
    tabIndex = ReadInteger(store, Key::TabIndex, defaults.tabIndex);
    done(Key::TabIndex);
    ansicht = ReadInteger(store, Key::Ansicht, defaults.ansicht);
    done(Key::Ansicht);
    zoom = ReadInteger(store, Key::Zoom, defaults.zoom);
    done(Key::Zoom);
    width = ReadInteger(store, Key::Width, defaults.width);
    done(Key::Width);
    height = ReadInteger(store, Key::Height, defaults.height);
    done(Key::Height);
}

void Settings::save(QSettings& store) const {
    if (!OpenKey(store))
        return;
    const bool subkeyExisted = QFileInfo::exists(store.fileName());
    auto write = [&](Key key, const QString& text) {
        store.setValue(QString::fromLatin1(name(key)), text);
    };
    write(Key::DefaultFile, defaultFile);
    write(Key::Anmerkung1, notes[0]);
    write(Key::Anmerkung2, notes[1]);
    write(Key::Anmerkung3, notes[2]);
    write(Key::Dateispeichern, FlagText(dateispeichern));
    write(Key::Autospeichern, FlagText(autospeichern));
    write(Key::Backupspeichern, FlagText(backupspeichern));
    write(Key::TabIndex, QString::number(tabIndex));
    write(Key::Ansicht, QString::number(ansicht));
    write(Key::Zoom, QString::number(zoom));
    write(Key::Width, QString::number(width));
    write(Key::Height, QString::number(height));
    store.sync();
    if (store.status() == QSettings::NoError)
        return;
    // All values go out together, so a failed write is blamed on the first of them.
    if (subkeyExisted)
        throw Error(std::string("Failed to set data for '") + name(Key::DefaultFile) + "'");
    throw Error(std::string("Failed to create key ") + settingskeys::kApplication);
}

std::unique_ptr<QSettings> OpenSettingsStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QLatin1String(settingskeys::kOrganization),
                                       QLatin1String(settingskeys::kApplication));
}

} // namespace spritlog
