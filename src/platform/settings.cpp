#include "platform/settings.h"

#include "platform/celltext.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace spritlog {
namespace {

using Key = Settings::Key;

// The stored text of `name` into `text`; false, and `text` untouched, when the value does
// not exist. An INI line edited by hand with unquoted commas reads back as a list; it is
// joined again.
bool ReadText(const QSettings& store, const char* name, QString& text) {
    const QString key = QString::fromLatin1(name);
    if (!store.contains(key))
        return false;
    const QVariant value = store.value(key);
    switch (value.typeId()) {
    case QMetaType::QString:
        text = value.toString();
        return true;
    case QMetaType::QStringList:
        text = value.toStringList().join(QLatin1String(", "));
        return true;
    default:
        throw Error(std::string("Invalid data type for '") + name + "'");
    }
}

bool ReadInteger(const QSettings& store, const char* name, int32_t& number) {
    QString text;
    return ReadText(store, name, text) && TryTextToInteger(QStringToCell(text), number);
}

// The reading rule of each member type.
void Read(const QSettings& store, const char* name, QString& value) {
    ReadText(store, name, value);
}

void Read(const QSettings& store, const char* name, int& value) {
    int32_t number = 0;
    if (ReadInteger(store, name, number))
        value = number;
}

// Any integer but 0 is true.
void Read(const QSettings& store, const char* name, bool& value) {
    int32_t number = 0;
    if (ReadInteger(store, name, number))
        value = number != 0;
}

QString StoredText(const QString& value) {
    return value;
}

QString StoredText(int value) {
    return QString::number(value);
}

QString StoredText(bool flag) {
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

// The store's folder stands for the key "Ostrel", its file for the subkey "Spritlog". The
// key is opened, and created when missing, before anything is read or written; when that
// fails the store is left alone without a word.
bool OpenKey(const QSettings& store) {
    return store.status() == QSettings::NoError &&
           QDir().mkpath(QFileInfo(store.fileName()).absolutePath());
}

// Reads the values `wanted` gives true for, in load order, and tells `applied` of each.
template <typename Wanted>
void ReadValues(Settings& values, const QSettings& store, Wanted wanted,
                const std::function<void(Key)>& applied) {
    Settings::forEach(values, [&](Key key, const char* name, auto& value) {
        if (!wanted(key))
            return;
        Read(store, name, value);
        if (applied)
            applied(key);
    });
}

} // namespace

const char* Settings::name(Key key) {
    const char* found = "";
    Settings probe;
    forEach(probe, [&](Key each, const char* name, const auto&) {
        if (each == key)
            found = name;
    });
    return found;
}

void Settings::load(const QSettings& store, const std::function<void(Key)>& applied) {
    if (!OpenKey(store))
        return;
    ReadValues(
        *this, store, [](Key) { return true; }, applied);
}

void Settings::read(const QSettings& store, std::initializer_list<Key> keys) {
    if (store.status() != QSettings::NoError)
        return;
    const auto wanted = [&](Key key) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    ReadValues(*this, store, wanted, nullptr);
}

void Settings::save(QSettings& store) const {
    if (!OpenKey(store))
        return;
    const bool subkeyExisted = QFileInfo::exists(store.fileName());
    forEach(*this, [&](Key, const char* name, const auto& value) {
        store.setValue(QString::fromLatin1(name), StoredText(value));
    });
    store.sync();
    if (store.status() == QSettings::NoError)
        return;
    // All values go out together, so a failed write is blamed on the first of them.
    if (subkeyExisted)
        throw Error(std::string("Failed to set data for '") + name(Key::DefaultFile) + "'");
    throw Error(std::string("Failed to create key ") + settingskeys::kApplication);
}

void RecentFiles::read(const QSettings& store) {
    paths.clear();
    const QVariant value = store.value(QLatin1String(kName));
    // One entry reads back as a text, several as a list.
    QStringList stored;
    if (value.typeId() == QMetaType::QString)
        stored << value.toString();
    else if (value.typeId() == QMetaType::QStringList)
        stored = value.toStringList();
    for (auto it = stored.crbegin(); it != stored.crend(); ++it)
        if (!it->isEmpty())
            add(*it);
}

void RecentFiles::write(QSettings& store) const {
    if (!OpenKey(store))
        return;
    if (paths.isEmpty())
        store.remove(QLatin1String(kName));
    else
        store.setValue(QLatin1String(kName), paths);
    store.sync();
}

void RecentFiles::add(const QString& path) {
    paths.removeAll(path);
    paths.prepend(path);
    while (paths.size() > kLimit)
        paths.removeLast();
}

void RecentFiles::remove(const QString& path) {
    paths.removeAll(path);
}

void FullTankIntervals::read(const QSettings& store) {
    if (store.status() != QSettings::NoError)
        return;
    const QVariant value = store.value(QLatin1String(kName));
    int32_t number = 0;
    if (value.typeId() == QMetaType::QString &&
        TryTextToInteger(QStringToCell(value.toString()), number))
        on = number != 0;
}

void FullTankIntervals::write(QSettings& store) const {
    if (!OpenKey(store))
        return;
    store.setValue(QLatin1String(kName), StoredText(on));
    store.sync();
}

std::unique_ptr<QSettings> OpenSettingsStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QLatin1String(settingskeys::kOrganization),
                                       QLatin1String(settingskeys::kApplication));
}

} // namespace spritlog
