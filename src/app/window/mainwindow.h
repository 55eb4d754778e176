#pragma once

#include "app/window/chartpagecontroller.h"
#include "app/window/filecontroller.h"
#include "app/window/recoverycontroller.h"
#include "app/window/setupdialog.h"
#include "chartwidget/chartwidget.h"

#include "document/logbookdocument.h"
#include "logbook/clock.h"
#include "platform/settings.h"

#include <QMainWindow>

#include <array>
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
class QPushButton;
class QTabBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;

namespace spritlog {

class GridView;
class LogbookModel;
class OrderCheck;
class StationTableModel;
class Prompts;
class TextTableModel;
class HelpWindow;
class TFAbout;
class TFSize;
class TFStatistik;

// The main window Fmain. It holds the open logbook (the table p_Grid shows, the chart
// source, the station table p_Info, the file name and the save options) as one document,
// builds the menus, the tool bar and the pages, and wires them to its own table commands
// and to the two controllers: the file commands and the pages "Grafik" and "Statistik".
// It loads and saves the settings and runs the start-up and close sequences. Every command
// handler may throw; the wiring runs each through the general error display.
class TFmain : public QMainWindow, private DocumentListener, private FileController::Host {
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
    // Makes the dialogs (through setDialogs) when a command needs one before they were made:
    // the program makes them only once the window is on screen.
    void setDialogMaker(std::function<void()> make) { dialogMaker_ = std::move(make); }

    LogbookDocument& document() { return document_; }
    const LogbookDocument& document() const { return document_; }
    LogbookModel* gridModel() const { return gridModel_; }
    int RecordCount() const;
    Prompts& prompts() { return *services_.prompts; }

    // The file commands, the recent files and the saving part of the close sequence.
    FileController& files() { return *files_; }
    // The recovery copy of the unsaved changes.
    RecoveryController& recovery() { return *recovery_; }

    // Commands. They throw; the menus, buttons and keys run them through RunCommand.
    void m_BeendenClick();
    void m_RueckgaengigClick();
    void m_WiederholenClick();
    void m_NeuerDatensatzClick();
    void b_datumClick();
    void m_DelZeileClick();
    void m_WerteBerechnenClick();
    // "Als &Teilbetankung markieren" and "&Fehlende Betankung davor": the mark of the cursor's
    // record on or off, one step of the history.
    void m_TeilbetankungClick();
    void m_FehlendeBetankungClick();
    void m_StatistikClick();
    void m_EinstellungenClick();
    void m_UeberClick();
    // "&Handbuch" (F1): the help window, made when first asked for.
    void m_HandbuchClick();
    // ShowFileSizeDialog for the current file; the settings dialog's "Dateigröße" runs it.
    void m_DateigroesseClick();
    void m_UpdateherunterladenClick();
    void m_EmailandenAutorsendenClick();
    void m_OstrelHomepageClick();

    // The close sequence; false when an error or a declined save keeps the window open.
    bool FormClose();
    void UpdateStatusBar();
    void LoadSettings();
    void SaveSettings();
    // CalculateValues over p_Grid with the chart basis of p_ansicht.
    void CalculateValues();
    // Sets the header cell of a note column; the table header shows it at once.
    void setNoteHeader(int column, const QString& text);
    // The About dialog, which the settings dialog opens too; null until setDialogs.
    TFAbout* aboutDialog() const { return FAbout; }

    // The window's settings as they stand, and some of them taken over (the settings
    // dialog's "Annehmen" gives the five it shows).
    Settings currentSettings() const;
    void applySettings(const Settings& values, std::initializer_list<Settings::Key> keys);
    // "Verbrauch von Volltank zu Volltank rechnen", a setting beside the twelve. A change
    // calculates the logbook anew.
    bool fullTankIntervals() const { return document_.fullTankIntervals(); }
    void setFullTankIntervals(bool on);
    // What the settings dialog shows, and its accepted values taken over.
    SetupValues setupValues() const;
    void applySetupValues(const SetupValues& values);

    // Runs a command through the general error display; false when it failed.
    bool runCommand(const std::function<void()>& command);

    // The size that shows every control, the bottom panel on one row. Only a hint: the user
    // may make the window smaller, and the panel then wraps.
    QSize minimumSizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // DocumentListener: the status bar and the undo actions follow the document.
    void tableReset() override;
    void recordsInserted(int firstRow, int lastRow) override;
    void recordsRemoved(int firstRow, int lastRow) override;
    void fileNameChanged() override;
    void modifiedChanged() override;

    // FileController::Host: the table's cursor and the report of the page "Grafik".
    std::optional<CellPosition> cursorCell() const override;
    void setCursorCell(CellPosition cell) override;
    PreparedReport prepareReport() override;

    void buildMenu();
    QMenu* addMenu(const char* name, const QString& title);
    void buildFileMenu(QMenu* datei);
    void buildEditMenu(QMenu* bearbeiten);
    // The table's context menu: the edit commands that work on the cursor's record.
    void buildGridMenu();
    void buildToolBar();
    QWidget* buildDataPage();
    QWidget* buildChartPage();
    // p_Info, the station table, with its model.
    void buildStationTable(QWidget* parent);
    QWidget* buildStatisticsPage();
    QWidget* buildButtonPanel();
    void buildStatusBar();
    // Strg+Bild ab and Strg+Bild auf: the next and previous page, from anywhere in the window.
    void buildPageKeys();
    void wireCommands();
    // A command: a handler of this window or of a controller; null for none.
    using Command = std::function<void()>;
    template <typename Receiver>
    static Command command(Receiver* receiver, void (Receiver::*handler)()) {
        return [receiver, handler] { (receiver->*handler)(); };
    }
    Command command(void (TFmain::*handler)()) { return command(this, handler); }
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& text, const QString& icon,
                         const Command& handler, const QKeySequence& shortcut = QKeySequence());
    QToolButton* addToolButton(const char* name, const QString& accessibleName, const QString& icon,
                               const Command& handler);
    // Connects a signal without arguments to a command run through the error display.
    template <typename Sender, typename Signal>
    void wire(Sender* sender, Signal signal, const Command& handler);

    void applySetting(Settings::Key key, const Settings& values);
    // Undo or redo, with the cursor following.
    void stepHistory(CellPosition (LogbookDocument::*step)());
    void updateHistoryActions();
    // The mark `partial` (else "missed before") of the cursor's record on or off.
    void toggleMark(bool partial);
    // The two mark actions checked as the cursor's record is marked.
    void updateMarkActions();

    Services services_;
    LogbookDocument document_;
    std::unique_ptr<FileController> files_;
    std::unique_ptr<RecoveryController> recovery_;
    // "Nach Datum sortieren" and the question after a reading out of order.
    std::unique_ptr<OrderCheck> orderCheck_;
    // Made once the pages are built.
    std::unique_ptr<ChartPageController> charts_;
    // The controls, named as their objectName; tests find them by that name.
    QToolBar* p_toolbar = nullptr;
    QWidget* tab_daten = nullptr;
    // The pages "Grafik" and "Statistik" and the view selector, which the chart page
    // controller keeps up to date.
    ChartPageWidgets page_;
    GridView* p_Grid = nullptr;
    QFrame* p_grafik = nullptr;
    QFrame* p_Statistik = nullptr;
    QWidget* p_button = nullptr;
    QPushButton* b_neu = nullptr;
    QPushButton* b_datum = nullptr;
    QPushButton* b_beenden = nullptr;
    QButtonGroup* p_ansichtItems = nullptr; // ids 0 "Eintrag", 1 "Monat"
    QLabel* statusPanels[3] = {};

    LogbookModel* gridModel_ = nullptr;
    StationTableModel* infoModel_ = nullptr;
    // The dialogs, made on demand by dialogMaker_ until setDialogs gave them.
    void makeDialogs();
    // "Dateigröße" and "Über..." of the settings dialog.
    void connectSetupDialog();
    std::function<void()> dialogMaker_;
    TFAbout* FAbout = nullptr;
    TFSetup* FSetup = nullptr;
    TFSize* FSize = nullptr;
    TFStatistik* FStatistik = nullptr;
    HelpWindow* FHandbuch = nullptr;
    QAction* m_Rueckgaengig = nullptr;
    QAction* m_Wiederholen = nullptr;
    QAction* m_Teilbetankung = nullptr;
    QAction* m_FehlendeBetankung = nullptr;
    QMenu* p_GridMenu = nullptr;
    bool centred_ = false;
    // The dimensions whose size LoadSettings found in the store.
    Qt::Orientations storedSize_;
};

template <typename Sender, typename Signal>
void TFmain::wire(Sender* sender, Signal signal, const Command& handler) {
    connect(sender, signal, this, [this, handler] { runCommand(handler); });
}

} // namespace spritlog
