// Open, save, save as, the exports and printing.
#include "app/window/mainwindow.h"

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/prompts.h"
#include "app/window/shelllinks.h"

#include "document/logbookdocument.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "platform/celltext.h"
#include "platform/printrenderer.h"
#include "reports/printlayout.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QSettings>

#include <algorithm>

#include <vector>

namespace spritlog {
namespace {

// A name typed without an extension gets ".slg".
QString WithDefaultExtension(const QString& path) {
    const QFileInfo file(path);
    if (!file.suffix().isEmpty() || file.fileName().isEmpty())
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + QStringLiteral("slg")
                                           : path + QStringLiteral(".slg");
}

} // namespace

void TFmain::LoadLogbookFile(const std::string& path) {
    // The notices wait until the views know the new table.
    std::vector<std::string> notices;
    LoadHooks hooks;
    hooks.notice = [&](std::string_view text) { notices.emplace_back(text); };
    bool read = false;
    hooks.read = [&read] { read = true; };
    const auto cursor = p_Grid->cursorCell();
    auto afterwards = [&] {
        const CellPosition before = cursor.value_or(CellPosition{ColDatum, 1});
        p_Grid->setCursorCell({before.column, std::min(before.row, std::max(1, RecordCount()))});
        for (const std::string& notice : notices)
            prompts().showNotice(this, CellToQString(notice));
    };
    try {
        document_.load(path, hooks);
    } catch (...) {
        // A file that was read but does not calculate is open all the same.
        if (read)
            rememberRecentFile(path);
        afterwards();
        throw;
    }
    if (read)
        rememberRecentFile(path);
    afterwards();
}

void TFmain::SaveLogbookFile(const std::string& path) {
    document_.saveTo(path);
    // Exports and reports under the current name are no logbooks to open again.
    if (path == document_.fileName() && WriterFor(path) == WriterKind::Native)
        rememberRecentFile(path);
}

bool TFmain::AskSaveChanges() {
    if (!document_.isModified())
        return true;
    switch (
        prompts().askYesNoCancel(this, QStringLiteral("Die Änderungen am Tankbuch speichern?"))) {
    case Prompts::Answer::Yes:
        // A cancelled save dialog or a declined overwrite keeps the changes, and the command
        // does not go on.
        return SaveCurrentFile() && !document_.isModified();
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
}

void TFmain::m_ZuletztClick(const QString& path) {
    // A file that is gone is not worth the question.
    const QFileInfo file(path);
    if (!file.exists() || file.isDir()) {
        forgetRecentFile(path);
        prompts().showNotice(this, QStringLiteral("Datei nicht gefunden!"));
        return;
    }
    if (!AskSaveChanges())
        return;
    LoadLogbookFile(path.toStdString());
}

void TFmain::rememberRecentFile(const std::string& path) {
    const auto store = OpenSettingsStore();
    recentFiles_.read(*store);
    recentFiles_.add(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    recentFiles_.write(*store);
    updateRecentMenu();
}

void TFmain::forgetRecentFile(const QString& path) {
    const auto store = OpenSettingsStore();
    recentFiles_.read(*store);
    recentFiles_.remove(path);
    recentFiles_.write(*store);
    updateRecentMenu();
}

void TFmain::updateRecentMenu() {
    const QStringList& paths = recentFiles_.paths;
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* entry = recentActions_[i];
        const bool used = i < paths.size();
        entry->setVisible(used);
        const QString path = used ? paths[i] : QString();
        entry->setData(path);
        entry->setToolTip(path);
        // A "&" in the name is no access key.
        entry->setText(QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    if (m_Zuletzt)
        m_Zuletzt->setEnabled(!paths.isEmpty());
}

QString TFmain::askSaveFileName() {
    const QString chosen =
        prompts().getSaveFileName(this, QString::fromStdString(document_.fileName()));
    if (chosen.isEmpty())
        return chosen;
    return WithDefaultExtension(chosen);
}

void TFmain::m_LadenClick() {
    if (!AskSaveChanges())
        return;
    const QString chosen =
        prompts().getOpenFileName(this, QString::fromStdString(document_.fileName()));
    if (chosen.isEmpty())
        return;
    LoadLogbookFile(chosen.toStdString());
}

bool TFmain::SaveCurrentFile() {
    if (!document_.hasFileName()) {
        m_SpeichernunterClick();
        return true;
    }
    // What spritlog-cli, another window or a sync tool wrote is not thrown away unasked;
    // after a No the logbook can still go under another name.
    if (document_.fileChangedOnDisk() &&
        !prompts().askYesNo(
            this,
            QStringLiteral("Die Datei wurde außerhalb von Spritlog geändert. Trotzdem speichern?")))
        return false;
    SaveLogbookFile(document_.fileName());
    return true;
}

void TFmain::m_SpeichernClick() {
    (void)SaveCurrentFile();
}

void TFmain::m_SpeichernunterClick() {
    const QString chosen = askSaveFileName();
    if (chosen.isEmpty())
        return;
    document_.setFileName(chosen.toStdString());
    SaveLogbookFile(document_.fileName());
}

void TFmain::exportTo(const char* extension, bool openAfterwards) {
    if (!document_.hasFileName()) {
        const QString chosen = askSaveFileName();
        if (chosen.isEmpty())
            return;
        document_.setFileName(chosen.toStdString());
    }
    const std::string target = ReplaceExtension(document_.fileName(), extension);
    SaveLogbookFile(target);
    const QString shown = QString::fromStdString(target);
    prompts().showNotice(this, QStringLiteral("Datei gespeichert als: ") + shown);
    if (openAfterwards)
        ShellOpen(prompts(), shown);
}

void TFmain::m_Export_CSVClick() {
    exportTo("csv", false);
}

void TFmain::m_Export_HTMLClick() {
    exportTo("htm", true);
}

// The name's last three characters give way to "xlsx", as for the other exports:
// "name.slg" becomes "name.xlsx".
void TFmain::m_Export_XLSXClick() {
    exportTo("xlsx", false);
}

void TFmain::m_DruckenClick() {
    const std::unique_ptr<QPrinter> printer = services_.printer();
    if (!printer || !printer->isValid())
        throw Error("Kein Drucker verf\xFCgbar");
    printer->setDocName(QStringLiteral("Spritlog"));
    RenderPrintLayout(BuildPrintLayout(document_.table(), document_.fileName()), *printer);
    prompts().showNotice(this, QStringLiteral("Datei wird gedruckt..."));
}

} // namespace spritlog
