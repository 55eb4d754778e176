#include "settingsstore.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace spritlog {
namespace {

// A stored text, or `fallback` when the value does not exist. An empty stored text stays
// empty. An INI line edited by hand with unquoted commas reads as a list; it is joined back
// so the header still shows what the file says.
QString TextValue(const QSettings& store, const char* key, const QString& fallback) {
    if (!store.contains(QLatin1String(key)))
        return fallback;
    const QVariant value = store.value(QLatin1String(key));
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1String(", "));
    return value.toString();
}

std::string ToCp1252(const QString& text) {
    return Utf8ToCp1252(text.toUtf8().toStdString());
}

} // namespace

bool FlagFromText(const QString& text, bool defaultValue) {
    int32_t number = 0;
    if (!TryTextToInteger(ToCp1252(text), number))
        return defaultValue;
    return number != 0;
}

StoredSettings ReadStoredSettings() {
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope,
                          QLatin1String(settingskeys::kOrganization),
                          QLatin1String(settingskeys::kApplication));
    StoredSettings settings;
    for (int i = 0; i < 3; ++i) {
        const char* key = settingskeys::kNotes[i];
        settings.noteHeaders[i] = ToCp1252(TextValue(store, key, QLatin1String(key)));
    }
    settings.backup = FlagFromText(TextValue(store, settingskeys::kBackup, QString()), true);
    return settings;
}

} // namespace spritlog
