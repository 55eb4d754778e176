#include "app/window/importmapping.h"

#include "app/window/prompts.h"
#include "document/files.h"
#include "document/logbookdocument.h"
#include "platform/settings.h"

#include <QCryptographicHash>
#include <QSettings>

namespace spritlog {

namespace {

// The first lines are all the mapping step shows.
constexpr std::size_t kSampleBytes = 64 * 1024;

// The settings key of a file's first line.
QString MappingKey(const std::string& bytes) {
    std::string first = bytes.substr(0, bytes.find('\n'));
    if (!first.empty() && first.back() == '\r')
        first.pop_back();
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(first), QCryptographicHash::Md5);
    return QStringLiteral("Importzuordnung/") + QString::fromLatin1(hash.toHex());
}

} // namespace

bool MapUnknownColumns(Prompts& prompts, QWidget* parent, const std::string& path,
                       ImportResult& result) {
    if (!result.unrecognised)
        return true;
    const std::string bytes = ReadWholeFile(path);
    const QString remembered = OpenSettingsStore()->value(MappingKey(bytes)).toString();
    const auto reparse = [&path](const std::string& mapping) {
        ImportOptions options;
        options.mapping = mapping;
        return LogbookDocument::readImport(path, options);
    };
    const std::optional<QString> mapping =
        prompts.mapColumns(parent, bytes.substr(0, kSampleBytes), remembered, reparse);
    if (!mapping)
        return true; // no mapping step: the message about the unknown format stands
    if (mapping->isEmpty())
        return false;
    result = reparse(mapping->toStdString());
    return true;
}

void RememberMapping(const std::string& path, const ImportResult& result) {
    if (result.options.mapping.empty() || !result.ok())
        return;
    OpenSettingsStore()->setValue(MappingKey(ReadWholeFile(path)),
                                  QString::fromStdString(result.options.mapping));
}

} // namespace spritlog
