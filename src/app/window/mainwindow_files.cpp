// Open, save, save as, the exports and printing.
#include "app/window/mainwindow.h"

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/prompts.h"
#include "app/window/shelllinks.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "platform/celltext.h"
#include "platform/printrenderer.h"
#include "reports/printlayout.h"
#include "reports/reportcontext.h"

#include <QFileInfo>
#include <QPrinter>

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
    // The notices and the status bar wait until the views know the new table.
    std::vector<std::string> notices;
    bool statusBarDue = false;
    LoadHooks hooks;
    hooks.notice = [&](std::string_view text) { notices.emplace_back(text); };
    hooks.statusBar = [&] { statusBarDue = true; };
    const auto cursor = p_Grid->cursorCell();
    auto afterwards = [&] {
        const CellPosition before = cursor.value_or(CellPosition{ColDatum, 1});
        p_Grid->setCursorCell({before.column, std::min(before.row, std::max(1, RecordCount()))});
        if (statusBarDue)
            UpdateStatusBar();
        for (const std::string& notice : notices)
            prompts().showNotice(this, CellToQString(notice));
    };
    try {
        gridModel_->resetWith([&] { document_.load(path, hooks); });
    } catch (...) {
        afterwards();
        throw;
    }
    afterwards();
}

void TFmain::SaveLogbookFile(const std::string& path) {
    document_.saveTo(path);
    UpdateStatusBar();
}

QString TFmain::askSaveFileName() {
    const QString chosen =
        prompts().getSaveFileName(this, QString::fromStdString(document_.fileName()));
    if (chosen.isEmpty())
        return chosen;
    return WithDefaultExtension(chosen);
}

void TFmain::m_LadenClick() {
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
