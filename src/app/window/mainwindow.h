#pragma once

#include "app/window/chartpage.h"

#include "chartwidget/preparedreport.h"

#include "charts/chartviews.h"
#include "document/logbookdocument.h"
#include "logbook/clock.h"
#include "platform/settings.h"

#include <QMainWindow>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

class QAction;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QTabBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;

namespace spritlog {

class GridView;
class LogbookModel;
class StationTableModel;
class Prompts;
class TextTableModel;
class TFAbout;
class TFSetup;
class TFSize;
class TFStatistik;

// Gives the printer "&Drucken" prints on, or nothing when there is none.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
std::unique_ptr<QPrinter> DefaultPrinter();

// The main window Fmain. It holds the open logbook (the table p_Grid shows, the chart
// source, the station table p_Info, the file name and the save options) as one document,
// and the close-sequence flags. Every command handler may throw; the wiring runs each
// through the general error display.
class TFmain : public QMainWindow, private DocumentListener {
    Q_OBJECT

public:
    // What the window works with; tests put their own in.
    struct Services {
        std::shared_ptr<Prompts> prompts; // default: the real boxes and dialogs
        Clock clock;                      // default: the system's local time
        PrinterSource printer;            // default: the system's default printer
        ChartWidgetFactory chart;         // default: CreateChartWidget
    };

    explicit TFmain(Services services = {}, QWidget* parent = nullptr);
    ~TFmain() override;

    // The start-up sequence; `arguments` without the program name.
    void FormCreate(const QStringList& arguments);
    // The four dialogs made after the main window; the window shows them on demand.
    void setDialogs(TFAbout* about, TFSetup* setup, TFSize* size, TFStatistik* statistik);

    LogbookDocument& document() { return document_; }
    const LogbookDocument& document() const { return document_; }
    LogbookModel* gridModel() const { return gridModel_; }
    int RecordCount() const;
    Prompts& prompts() { return *services_.prompts; }

    // Commands. They throw; the menus, buttons and keys run them through RunCommand.
    void m_NeuClick();
    void m_LadenClick();
    // An entry of "&Zuletzt geöffnet": opens `path`, or drops it from the list when it is gone.
    void m_ZuletztClick(const QString& path);
    void m_SpeichernClick();
    void m_SpeichernunterClick();
    void m_Export_CSVClick();
    void m_Export_HTMLClick();
    void m_Export_XLSXClick();
    void m_Import_CSVClick();
    void m_DruckenClick();
    // The readable report: preview (and from there the printer), PDF file.
    void m_DruckvorschauClick();
    void m_AlsPdfSpeichernClick();
    // The context menu of the chart: the chart shown as a PNG or SVG file, or on the
    // clipboard.
    void m_GrafikSpeichernClick();
    void m_GrafikKopierenClick();
    void m_BeendenClick();
    void m_RueckgaengigClick();
    void m_WiederholenClick();
    void m_NeuerDatensatzClick();
    void b_datumClick();
    void m_DelZeileClick();
    void m_WerteBerechnenClick();
    void m_StatistikClick();
    void m_EinstellungenClick();
    void m_UeberClick();
    // ShowFileSizeDialog for the current file; the settings dialog's "Dateigröße" runs it.
    void m_DateigroesseClick();
    void m_UpdateherunterladenClick();
    void m_EmailandenAutorsendenClick();
    void m_OstrelHomepageClick();

    bool AskSaveFile();
    // Before "&Neu" and opening discard the table: with unsaved changes asks "Die Änderungen
    // am Tankbuch speichern?", and saves on Yes. True when the command may go on.
    bool AskSaveChanges();
    // The logbooks of "&Zuletzt geöffnet", newest first.
    const QStringList& recentFiles() const { return recentFiles_.paths; }
    // The close sequence; false when an error or a declined save keeps the window open.
    bool FormClose();
    void p_controlChange();
    void TabChange(int newTab);
    void UpdateStatusBar();
    void LoadSettings();
    void SaveSettings();
    // CalculateValues over p_Grid with the chart basis of p_ansicht.
    void CalculateValues();
    // Loads `path` into p_Grid and makes it the current name (notice for a missing file).
    void LoadLogbookFile(const std::string& path);
    // Saves p_Grid to `path` in the format its name selects, then refreshes the status bar.
    void SaveLogbookFile(const std::string& path);
    // "&Speichern": to the current name, or "Speichern &unter" without one. False when the
    // file was changed outside since and the user chose not to overwrite it.
    bool SaveCurrentFile();
    // Sets the header cell of a note column; the table header shows it at once.
    void setNoteHeader(int column, const QString& text);
    // The About dialog, which the settings dialog opens too; null until setDialogs.
    TFAbout* aboutDialog() const { return FAbout; }

    // The window's settings as they stand, and some of them taken over (the settings
    // dialog's "Annehmen" gives the five it shows).
    Settings currentSettings() const;
    void applySettings(const Settings& values, std::initializer_list<Settings::Key> keys);

    // Runs a command through the general error display; false when it failed.
    bool runCommand(const std::function<void()>& command);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // What the view selector switches on the page "Grafik".
    void setChartVisible(bool visible);
    void setInfoVisible(bool visible);
    void setRadioGroupsEnabled(bool enabled);

    // DocumentListener: the status bar and the undo actions follow the document.
    void tableReset() override;
    void recordsInserted(int firstRow, int lastRow) override;
    void recordsRemoved(int firstRow, int lastRow) override;
    void fileNameChanged() override;
    void modifiedChanged() override;

    void buildMenu();
    void buildToolBar();
    QWidget* buildDataPage();
    QWidget* buildChartPage();
    QWidget* buildStatisticsPage();
    QWidget* buildButtonPanel();
    void buildStatusBar();
    void wireCommands();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& text, const QString& icon,
                         void (TFmain::*handler)(), const QKeySequence& shortcut = QKeySequence());
    QToolButton* addToolButton(const char* name, const QString& accessibleName, const QString& icon,
                               void (TFmain::*handler)());
    // Connects a signal without arguments to a handler run through the error display.
    template <typename Sender, typename Signal>
    void wire(Sender* sender, Signal signal, void (TFmain::*handler)());

    // The save dialog's result with a missing extension completed; empty when cancelled.
    QString askSaveFileName();
    // "Datei speichern als" for the exports: target with the given extension.
    void exportTo(const char* extension, bool openAfterwards);
    void applySetting(Settings::Key key, const Settings& values);
    // Undo or redo, with the cursor following.
    void stepHistory(CellPosition (LogbookDocument::*step)());
    void updateHistoryActions();
    // Puts `path` at the top of the recent list (the store's, which another window may
    // have changed) or takes it out.
    void rememberRecentFile(const std::string& path);
    void forgetRecentFile(const QString& path);
    void updateRecentMenu();
    int zoomIndex() const;
    void fillStatisticsPage();
    // The report of the logbook with the chart the page "Grafik" shows; calculates first.
    PreparedReport prepareReport();
    // The chart the page shows, drawn anew at a size for a picture; null while the page
    // shows no chart.
    std::unique_ptr<ChartPicture> shownChartPicture();

    Services services_;
    LogbookDocument document_;
    // What the close sequence does: ask "Datei speichern?", save without asking.
    bool Dateispeichern = false;
    bool Autospeichern = false;
    // The controls, named as their objectName; tests find them by that name.
    QToolBar* p_toolbar = nullptr;
    QTabWidget* p_control = nullptr;
    QWidget* tab_daten = nullptr;
    QWidget* tab_grafik = nullptr;
    QWidget* tab_statistik = nullptr;
    GridView* p_Grid = nullptr;
    QFrame* p_grafik = nullptr;
    ChartWidget* p_chart = nullptr;
    QTableView* p_Info = nullptr;
    QTabBar* Tab = nullptr;
    QLabel* p_nografik = nullptr;
    QFrame* p_Statistik = nullptr;
    QLabel* p_nostats = nullptr;
    QLabel* statisticsLabels[12] = {}; // L1..L12
    QWidget* p_button = nullptr;
    QPushButton* b_neu = nullptr;
    QPushButton* b_datum = nullptr;
    QPushButton* b_beenden = nullptr;
    QGroupBox* p_ansicht = nullptr;
    QGroupBox* p_zoom = nullptr;
    QButtonGroup* p_ansichtItems = nullptr; // ids 0 "Eintrag", 1 "Monat"
    QButtonGroup* p_zoomItems = nullptr;    // ids 0 "100%", 1 "Bereich"
    QLabel* statusPanels[2] = {};

    LogbookModel* gridModel_ = nullptr;
    StationTableModel* infoModel_ = nullptr;
    TFAbout* FAbout = nullptr;
    TFSetup* FSetup = nullptr;
    TFSize* FSize = nullptr;
    TFStatistik* FStatistik = nullptr;
    QAction* m_Rueckgaengig = nullptr;
    QAction* m_Wiederholen = nullptr;
    QMenu* m_Zuletzt = nullptr;
    QList<QAction*> recentActions_; // one per place in the list, hidden while unused
    RecentFiles recentFiles_;
    bool centred_ = false;
    // The dimensions whose size LoadSettings found in the store.
    Qt::Orientations storedSize_;
};

template <typename Sender, typename Signal>
void TFmain::wire(Sender* sender, Signal signal, void (TFmain::*handler)()) {
    connect(sender, signal, this,
            [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
}

} // namespace spritlog
