#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QFileDialog;
class QPrintPreviewDialog;
class QUrl;
class QWidget;

namespace spritlog {

struct ImportOptions;
struct ImportResult;

// A recovery copy as the question at the start lists it: the logbook's name and folder
// (empty for one never saved) and when its changes were last written.
struct RecoveryOffer {
    QString name;
    QString folder;
    QDateTime writtenAt;
};

// What becomes of one recovery copy.
enum class RecoveryChoice { Restore, Keep, Delete };

// Everything the window asks or tells the user in a modal box, and the hand-over to the
// desktop. The window talks only through this interface, so tests answer the questions
// themselves instead of running a modal loop.
class Prompts {
public:
    virtual ~Prompts() = default;

    enum class Answer { Yes, No, Cancel };

    // A Yes/No question with a question icon; true for Yes. No is the default: these are
    // the questions that replace or overwrite.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    // A Yes/No question whose default button is No, for a change the user did not ask for.
    // Answered like askYesNo unless overridden.
    virtual bool askYesNoDefaultNo(QWidget* parent, const QString& text) {
        return askYesNo(parent, text);
    }
    // A question with Yes, No and Cancel; closing the box cancels.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    // A plain notice with an OK button ("Datei gespeichert als: ...").
    virtual void showNotice(QWidget* parent, const QString& text) = 0;
    // The error box: title "Spritlog", error icon, OK.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // The open and save dialogs, preset to `preset`; an empty text when cancelled.
    virtual QString getOpenFileName(QWidget* parent, const QString& preset) = 0;
    virtual QString getSaveFileName(QWidget* parent, const QString& preset) = 0;
    // The open dialog of "Importieren aus CSV...": CSV files first, starting in the folder
    // of `preset`; an empty text when cancelled. Answered like getOpenFileName unless
    // overridden, so every Prompts written before the import still works.
    virtual QString getImportFileName(QWidget* parent, const QString& preset) {
        return getOpenFileName(parent, preset);
    }
    // The preview of an import that can be done: true for "Importieren". `headers` are
    // the logbook's column names. Answered Yes unless overridden, so every Prompts written
    // before the preview still imports.
    virtual bool confirmImport(QWidget* parent, const ImportResult& result,
                               const QStringList& headers) {
        (void)parent;
        (void)result;
        (void)headers;
        return true;
    }
    // The column mapping for a file of no known format (text: its first lines, UTF-8 or
    // Windows-1252; remembered: the mapping last used for the same first line), shown with
    // the result of `reparse` after every change. An empty text: cancelled; nullopt: there
    // is no such step (then the unknown format is reported).
    virtual std::optional<QString>
    mapColumns(QWidget* parent, const std::string& text, const QString& remembered,
               const std::function<ImportResult(const std::string&)>& reparse) {
        (void)parent;
        (void)text;
        (void)remembered;
        (void)reparse;
        return std::nullopt;
    }
    // The same, where the file leaves choices open (vehicle, units): `reparse` reads it
    // again with the user's choices, and `result` becomes what was chosen.
    virtual bool
    confirmImportWithChoices(QWidget* parent, ImportResult& result, const QStringList& headers,
                             const std::function<ImportResult(const ImportOptions&)>& reparse) {
        (void)reparse;
        return confirmImport(parent, result, headers);
    }
    // The desktop's default action for a file or address; false when the desktop has
    // nothing that opens it.
    virtual bool openUrl(const QUrl& url) = 0;
    // A notice with an address the user can select and copy, for a link the desktop could
    // not open. Shown as a plain notice unless overridden.
    virtual void showAddress(QWidget* parent, const QString& text, const QString& address) {
        showNotice(parent, text + QLatin1Char('\n') + address);
    }
    // The save dialog of the report's PDF and of the chart pictures, with their own name
    // filters (the first one selected); it asks before replacing a file. Answered like
    // getSaveFileName unless overridden.
    virtual QString getOutputFileName(QWidget* parent, const QString& preset,
                                      const QStringList& filters) {
        Q_UNUSED(filters);
        return getSaveFileName(parent, preset);
    }
    // The print preview, connected to what it draws; returns when the user closes it.
    virtual void showPrintPreview(QPrintPreviewDialog& dialog);
    // One question about every recovery copy: one choice for each, in the same order, at
    // most one of them Restore. Cancelled, every copy is kept. Answered Keep for all unless
    // overridden, so that no copy goes without the user's answer.
    virtual QList<RecoveryChoice> chooseRecovery(QWidget* parent,
                                                 const QList<RecoveryOffer>& offers) {
        Q_UNUSED(parent);
        return QList<RecoveryChoice>(offers.size(), RecoveryChoice::Keep);
    }
};

// The real boxes and dialogs.
class QtPrompts : public Prompts {
public:
    bool askYesNo(QWidget* parent, const QString& text) override;
    bool askYesNoDefaultNo(QWidget* parent, const QString& text) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
    void showNotice(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    QString getOpenFileName(QWidget* parent, const QString& preset) override;
    QString getSaveFileName(QWidget* parent, const QString& preset) override;
    QString getImportFileName(QWidget* parent, const QString& preset) override;
    bool confirmImportWithChoices(
        QWidget* parent, ImportResult& result, const QStringList& headers,
        const std::function<ImportResult(const ImportOptions&)>& reparse) override;
    std::optional<QString>
    mapColumns(QWidget* parent, const std::string& text, const QString& remembered,
               const std::function<ImportResult(const std::string&)>& reparse) override;
    bool confirmImport(QWidget* parent, const ImportResult& result,
                       const QStringList& headers) override;
    bool openUrl(const QUrl& url) override;
    void showAddress(QWidget* parent, const QString& text, const QString& address) override;
    QString getOutputFileName(QWidget* parent, const QString& preset,
                              const QStringList& filters) override;
    QList<RecoveryChoice> chooseRecovery(QWidget* parent,
                                         const QList<RecoveryOffer>& offers) override;
};

// Name filters of the open dialog (the first one selected), of the save dialog and of
// the import's open dialog, from the kinds of file the program reads and writes
// (FileFormats), each with "Alle Dateien (*)".
QStringList OpenDialogFilters();
QStringList SaveDialogFilters();
QStringList ImportDialogFilters();

// Everything of the import's open dialog but running it.
void SetUpImportDialog(QFileDialog& dialog, const QString& preset);

} // namespace spritlog
