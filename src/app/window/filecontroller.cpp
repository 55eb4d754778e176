// New, open, save, save as, the recent files and the saving part of the close sequence.
#include "app/window/filecontroller.h"

#include "app/window/damagedfile.h"
#include "app/window/prompts.h"

#include "document/cells.h"
#include "logbook/conventions.h"
#include "platform/celltext.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

#include <algorithm>
#include <utility>
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

std::unique_ptr<QPrinter> DefaultPrinter() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
}

FileController::FileController(LogbookDocument& document, Prompts& prompts, QWidget* dialogParent,
                               Host& host, PrinterSource printer)
    : document_(document), prompts_(prompts), dialogParent_(dialogParent), host_(host),
      printer_(std::move(printer)) {}

void FileController::restoreCursor(const std::optional<CellPosition>& cursor) {
    const CellPosition before = cursor.value_or(CellPosition{ColDatum, 1});
    host_.setCursorCell(
        {before.column, std::min(before.row, std::max(1, document_.recordCount()))});
}

void FileController::LoadLogbookFile(const std::string& path) {
    // The notices wait until the views know the new table.
    std::vector<std::string> notices;
    LoadHooks hooks;
    hooks.notice = [&](std::string_view text) { notices.emplace_back(text); };
    bool read = false;
    const auto cursor = host_.cursorCell();
    auto afterwards = [&] {
        restoreCursor(cursor);
        for (const std::string& notice : notices)
            prompts_.showNotice(dialogParent_, CellToQString(notice));
    };
    try {
        const std::optional<bool> loaded =
            LoadOrOfferDamagedCopy(document_, prompts_, dialogParent_, path, hooks);
        if (!loaded) {
            restoreCursor(cursor);
            return;
        }
        read = *loaded;
    } catch (...) {
        // A file that was read but does not calculate is open all the same.
        if (!document_.calculationError().empty())
            rememberRecentFile(path);
        afterwards();
        throw;
    }
    // A damaged file's copy has no name to come back to.
    if (read && document_.damagedSource().empty())
        rememberRecentFile(path);
    afterwards();
    // The cells the calculation could not read, in one box.
    if (read && !document_.cellIssues().empty())
        prompts_.showError(dialogParent_, CellToQString(CellIssuesBoxText(document_.cellIssues())));
    if (read)
        emit logbookLoaded();
}

void FileController::SaveLogbookFile(const std::string& path) {
    document_.saveTo(path);
    // Exports and reports under the current name are no logbooks to open again.
    if (path == document_.fileName() && WriterFor(path) == WriterKind::Native)
        rememberRecentFile(path);
}

bool FileController::AskSaveChanges() {
    if (!document_.isModified())
        return true;
    switch (prompts_.askYesNoCancel(dialogParent_,
                                    QStringLiteral("Die Änderungen am Tankbuch speichern?"))) {
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

bool FileController::SaveBeforeClosing() {
    // A logbook as it was loaded or last saved has nothing to lose: closing asks nothing and
    // saves nothing.
    if (closing_.Dateispeichern && document_.isModified()) {
        switch (prompts_.askYesNoCancel(dialogParent_, QStringLiteral("Datei speichern?"))) {
        case Prompts::Answer::Yes:
            // A save that did not happen (the dialog cancelled, an error shown) keeps the
            // window open: the user asked to keep the changes.
            if (!SaveCurrentFile() || document_.isModified())
                return false;
            break;
        case Prompts::Answer::No:
            break;
        case Prompts::Answer::Cancel:
            return false;
        }
    }
    if (closing_.Autospeichern && document_.isModified())
        return SaveCurrentFile();
    return true;
}

void FileController::m_NeuClick() {
    if (!AskSaveChanges())
        return;
    document_.clear();
    host_.setCursorCell({ColDatum, 1});
}

void FileController::m_ZuletztClick(const QString& path) {
    // A file that is gone is not worth the question.
    const QFileInfo file(path);
    if (!file.exists() || file.isDir()) {
        forgetRecentFile(path);
        prompts_.showNotice(dialogParent_, QStringLiteral("Datei nicht gefunden!"));
        return;
    }
    if (!AskSaveChanges())
        return;
    LoadLogbookFile(path.toStdString());
}

void FileController::fillRecentMenu(QMenu* menu) {
    m_Zuletzt = menu;
    // Fixed entries that change their text: an entry is never deleted while it runs.
    for (int i = 0; i < RecentFiles::kLimit; ++i) {
        auto* entry = menu->addAction(QIcon(QStringLiteral(":/icons/spritlog.svg")), QString());
        entry->setObjectName(QStringLiteral("m_Zuletzt_%1").arg(i + 1));
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this,
                [this, entry] { emit recentFileChosen(entry->data().toString()); });
        recentActions_ << entry;
    }
    updateRecentMenu();
}

void FileController::readRecentFiles(const QSettings& store) {
    recentFiles_.read(store);
    updateRecentMenu();
}

void FileController::rememberRecentFile(const std::string& path) {
    const auto store = OpenSettingsStore();
    recentFiles_.read(*store);
    recentFiles_.add(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    recentFiles_.write(*store);
    updateRecentMenu();
}

void FileController::forgetRecentFile(const QString& path) {
    const auto store = OpenSettingsStore();
    recentFiles_.read(*store);
    recentFiles_.remove(path);
    recentFiles_.write(*store);
    updateRecentMenu();
}

void FileController::updateRecentMenu() {
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

QString FileController::askSaveFileName() {
    const QString chosen =
        prompts_.getSaveFileName(dialogParent_, QString::fromStdString(document_.fileName()));
    if (chosen.isEmpty())
        return chosen;
    return WithDefaultExtension(chosen);
}

void FileController::m_LadenClick() {
    if (!AskSaveChanges())
        return;
    const QString chosen =
        prompts_.getOpenFileName(dialogParent_, QString::fromStdString(document_.fileName()));
    if (chosen.isEmpty())
        return;
    LoadLogbookFile(chosen.toStdString());
}

bool FileController::SaveCurrentFile() {
    if (!document_.hasFileName()) {
        m_SpeichernunterClick();
        return true;
    }
    // What spritlog-cli, another window or a sync tool wrote is not thrown away unasked;
    // after a No the logbook can still go under another name.
    if (document_.fileChangedOnDisk() &&
        !prompts_.askYesNo(
            dialogParent_,
            QStringLiteral("Die Datei wurde außerhalb von Spritlog geändert. Trotzdem speichern?")))
        return false;
    SaveLogbookFile(document_.fileName());
    return true;
}

void FileController::m_SpeichernClick() {
    (void)SaveCurrentFile();
}

void FileController::m_SpeichernunterClick() {
    const QString chosen = askSaveFileName();
    if (chosen.isEmpty())
        return;
    // A save that fails leaves the logbook under its old name, still unsaved.
    const std::string path = chosen.toStdString();
    document_.saveAs(path);
    if (WriterFor(path) == WriterKind::Native)
        rememberRecentFile(path);
}

} // namespace spritlog
