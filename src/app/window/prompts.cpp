#include "app/window/prompts.h"

#include "app/window/columnmappingdialog.h"
#include "app/window/importpreviewdialog.h"
#include "app/window/recoverydialog.h"
#include "app/window/toolwindow.h"

#include "document/fileformats.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QUrl>
#include <QVBoxLayout>

namespace spritlog {
namespace {

const QString kTitle = QStringLiteral("Spritlog");

// Both dialogs start in the folder of the current file with its name filled in.
void Preset(QFileDialog& dialog, const QString& preset) {
    if (preset.isEmpty())
        return;
    const QFileInfo info(preset);
    if (info.dir().exists())
        dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
}

// "Caption (*.a *.b)" of the formats that have `can`, then "Alle Dateien (*)": second after
// the first format where `allSecond`, as the save dialog has always had it, else last.
QStringList DialogFilters(bool FileFormat::*can, bool allSecond) {
    QStringList filters;
    for (const FileFormat& format : FileFormats()) {
        if (!(format.*can))
            continue;
        QStringList patterns;
        for (std::string_view ending : format.endings)
            patterns << QLatin1Char('*') + QLatin1String(ending.data(), ending.size());
        filters << QStringLiteral("%1 (%2)").arg(QLatin1String(format.caption.c_str()),
                                                 patterns.join(QLatin1Char(' ')));
    }
    const QString all = QStringLiteral("Alle Dateien (*)");
    if (allSecond && !filters.isEmpty())
        filters.insert(1, all);
    else
        filters << all;
    return filters;
}

QString RunFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

QStringList OpenDialogFilters() {
    return DialogFilters(&FileFormat::opens, false);
}

QStringList SaveDialogFilters() {
    return DialogFilters(&FileFormat::saves, true);
}

QStringList ImportDialogFilters() {
    return DialogFilters(&FileFormat::imports, false);
}

bool QtPrompts::askYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    // The questions with Yes and No are the ones that replace or overwrite: Enter, and
    // Escape, never do.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return ExecDialog(&box) == QMessageBox::Yes;
}

bool QtPrompts::askYesNoDefaultNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Prompts::Answer QtPrompts::askYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtPrompts::showNotice(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtPrompts::showError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtPrompts::getOpenFileName(QWidget* parent, const QString& preset) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist is accepted; loading reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(OpenDialogFilters());
    dialog.selectNameFilter(OpenDialogFilters().first());
    Preset(dialog, preset);
    return RunFileDialog(dialog);
}

QString QtPrompts::getSaveFileName(QWidget* parent, const QString& preset) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(SaveDialogFilters());
    dialog.selectNameFilter(SaveDialogFilters().first());
    Preset(dialog, preset);
    return RunFileDialog(dialog);
}

QString QtPrompts::getImportFileName(QWidget* parent, const QString& preset) {
    QFileDialog dialog(parent);
    SetUpImportDialog(dialog, preset);
    return RunFileDialog(dialog);
}

bool QtPrompts::confirmImportWithChoices(
    QWidget* parent, ImportResult& result, const QStringList& headers,
    const std::function<ImportResult(const ImportOptions&)>& reparse) {
    ImportPreviewDialog dialog(parent, result, headers, reparse);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    result = dialog.result();
    return true;
}

std::optional<QString>
QtPrompts::mapColumns(QWidget* parent, const std::string& text, const QString& remembered,
                      const std::function<ImportResult(const std::string&)>& reparse) {
    ColumnMappingDialog dialog(parent, text, remembered, reparse);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.mapping();
}

bool QtPrompts::confirmImport(QWidget* parent, const ImportResult& result,
                              const QStringList& headers) {
    ImportPreviewDialog dialog(parent, result, headers);
    return dialog.exec() == QDialog::Accepted;
}

void SetUpImportDialog(QFileDialog& dialog, const QString& preset) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(ImportDialogFilters());
    dialog.selectNameFilter(ImportDialogFilters().first());
    // The logbook's folder, but not its name: the logbook is not what gets imported.
    if (!preset.isEmpty()) {
        const QFileInfo info(preset);
        if (info.dir().exists())
            dialog.setDirectory(info.absolutePath());
    }
}

QString QtPrompts::getOutputFileName(QWidget* parent, const QString& preset,
                                     const QStringList& filters) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    Preset(dialog, preset);
    return RunFileDialog(dialog);
}

QList<RecoveryChoice> QtPrompts::chooseRecovery(QWidget* parent,
                                                const QList<RecoveryOffer>& offers) {
    RecoveryDialog dialog(parent, offers);
    if (ExecDialog(&dialog) != QDialog::Accepted)
        return QList<RecoveryChoice>(offers.size(), RecoveryChoice::Keep);
    return dialog.choices();
}

void Prompts::showPrintPreview(QPrintPreviewDialog& dialog) {
    dialog.exec();
}

bool QtPrompts::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

void QtPrompts::showAddress(QWidget* parent, const QString& text, const QString& address) {
    QDialog box(parent);
    box.setObjectName(QStringLiteral("p_address"));
    box.setWindowTitle(QStringLiteral("Spritlog"));
    auto* layout = new QVBoxLayout(&box);
    auto* message = new QLabel(text, &box);
    message->setWordWrap(true);
    layout->addWidget(message);
    // Read-only, but selectable: the address goes into the browser or mail program by hand.
    auto* field = new QLineEdit(address, &box);
    field->setObjectName(QStringLiteral("p_addressField"));
    field->setReadOnly(true);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(address) + 24);
    field->selectAll();
    layout->addWidget(field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    field->setFocus();
    ExecDialog(&box);
}

} // namespace spritlog
