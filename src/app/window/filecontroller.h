#pragma once

#include "chartwidget/preparedreport.h"

#include "document/logbookdocument.h"
#include "platform/settings.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QPrinter;
class QSettings;
class QWidget;

namespace spritlog {

class Prompts;

// Gives the printer "&Drucken" prints on, or nothing when there is none.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
std::unique_ptr<QPrinter> DefaultPrinter();

// `extension` (with its dot) appended to a name typed without it.
QString WithExtension(const QString& path, const QString& extension);

// The file commands of the main window: new, open, save, save as, the exports, the import,
// printing, the report, the recent files ("&Zuletzt geöffnet") and the saving part of the
// close sequence. It works on the window's document and asks through its Prompts, with the
// window as the parent of every box and dialog. Every command may throw; the window runs
// each through the general error display.
class FileController : public QObject {
    Q_OBJECT

public:
    // What the controller asks of the window besides the document and the prompts.
    class Host {
    public:
        virtual ~Host() = default;
        // The cursor of the table, and moving it there.
        virtual std::optional<CellPosition> cursorCell() const = 0;
        virtual void setCursorCell(CellPosition cell) = 0;
        // The report with the chart the page "Grafik" shows; calculates first.
        virtual PreparedReport prepareReport() = 0;
    };
    // What the close sequence does with unsaved changes: ask "Datei speichern?", save
    // without asking.
    struct Closing {
        bool Dateispeichern = false;
        bool Autospeichern = false;
    };

    FileController(LogbookDocument& document, Prompts& prompts, QWidget* dialogParent, Host& host,
                   PrinterSource printer);

    void m_NeuClick();
    void m_LadenClick();
    // An entry of "&Zuletzt geöffnet": opens `path`, or drops it from the list when it is gone.
    void m_ZuletztClick(const QString& path);
    void m_SpeichernClick();
    void m_SpeichernunterClick();
    void m_Export_CSVClick();
    void m_Export_HTMLClick();
    void m_Export_XLSXClick();
    // "Exportieren für Spritmonitor": the service's CSV layout beside the logbook, under
    // the name SpritmonitorExportName gives.
    void m_Export_SpritmonitorClick();
    void m_Import_CSVClick();
    void m_DruckenClick();
    // The readable report: preview (and from there the printer), PDF file.
    void m_DruckvorschauClick();
    void m_AlsPdfSpeichernClick();

    // Before "&Neu" and opening discard the table: with unsaved changes asks "Die Änderungen
    // am Tankbuch speichern?", and saves on Yes. True when the command may go on.
    bool AskSaveChanges();
    // Loads `path` into the table and makes it the current name (notice for a missing file).
    void LoadLogbookFile(const std::string& path);
    // Saves the table to `path` in the format its name selects.
    void SaveLogbookFile(const std::string& path);
    // "&Speichern": to the current name, or "Speichern &unter" without one. False when the
    // file was changed outside since and the user chose not to overwrite it.
    bool SaveCurrentFile();
    // The saving part of the close sequence; false when the window is to stay open: the
    // question was cancelled, or a save was declined.
    bool SaveBeforeClosing();

    Closing& closing() { return closing_; }
    const Closing& closing() const { return closing_; }

    // Fills the menu "&Zuletzt geöffnet" with its fixed entries.
    void fillRecentMenu(QMenu* menu);
    // Takes the list from the settings store.
    void readRecentFiles(const QSettings& store);

signals:
    // A logbook was read from its file.
    void logbookLoaded();
    // An entry of "&Zuletzt geöffnet" was chosen; the window runs m_ZuletztClick for it.
    void recentFileChosen(const QString& path);

private:
    // The save dialog's result with a missing extension completed; empty when cancelled.
    QString askSaveFileName();
    // "Datei speichern als" for the exports: target with the given extension.
    void exportTo(const char* extension, bool openAfterwards);
    // The target `nameFor` makes of the logbook's name (which the save dialog gives when
    // there is none), once the user agreed to replace a file there; empty when not.
    std::string exportTarget(const std::function<std::string(const std::string&)>& nameFor);
    // The cursor on its column and row again after the table changed, or where it starts.
    void restoreCursor(const std::optional<CellPosition>& cursor);
    // Puts `path` at the top of the recent list (the store's, which another window may
    // have changed) or takes it out.
    void rememberRecentFile(const std::string& path);
    void forgetRecentFile(const QString& path);
    void updateRecentMenu();

    LogbookDocument& document_;
    Prompts& prompts_;
    QWidget* dialogParent_;
    Host& host_;
    PrinterSource printer_;
    Closing closing_;
    QMenu* m_Zuletzt = nullptr;
    QList<QAction*> recentActions_; // one per place in the list, hidden while unused
    RecentFiles recentFiles_;
};

} // namespace spritlog
