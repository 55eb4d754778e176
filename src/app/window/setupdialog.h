#pragma once

#include "platform/settings.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QFont;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace spritlog {

// What the settings dialog shows and gives back: the settings of the window (the three save
// flags, the note captions, the loaded file) and the way consumption is computed.
struct SetupValues {
    Settings settings;
    bool fullTankIntervals = true;
};

// FSetup, "Einstellungen...": the three save flags, the way consumption is computed and the
// note captions; the loaded file and the program's path; the ways to the file-size and About
// dialogs, which it asks the window for. It edits a copy of the values it is given and gives
// back the accepted ones; the window applies them. Nothing here touches the settings store.
class TFSetup : public QDialog {
    Q_OBJECT

public:
    explicit TFSetup(QWidget* parent = nullptr);

    // Fills the controls from `values` and shows the dialog modally; the values as accepted
    // with "Annehmen", or nothing when the dialog was cancelled.
    std::optional<SetupValues> edit(const SetupValues& values);
    // Copies `values` into the controls; "Rückgängig" copies them again.
    void FillSetupDialog(const SetupValues& values);

    void b_annehmenClick();
    void b_abbrechenClick();
    void b_undoClick();
    void CheckBox4Click();
    void CheckBox5Click();
    void b_dateigroesseClick();
    void b_ueberClick();

signals:
    // "Dateigröße" and "Über..." were clicked.
    void fileSizeWanted();
    void aboutWanted();

private:
    // The controls; each keeps the program's name as its objectName (given after it where
    // it differs), and tests find them by that name.
    QGroupBox* g_einstellungen = nullptr;
    QCheckBox* askToSaveOnExitBox = nullptr; // CheckBox4, setting Dateispeichern
    QCheckBox* saveOnExitBox = nullptr;      // CheckBox5, setting Autospeichern
    QCheckBox* backupOnSaveBox = nullptr;    // CheckBox6, setting Backupspeichern
    QCheckBox* fullTankBox = nullptr;        // CheckBox7, "Verbrauch von Volltank zu Volltank"
    QPushButton* b_undo = nullptr;
    QGroupBox* g_beschriftung = nullptr;
    QLineEdit* f_anmerkung1 = nullptr;
    QLineEdit* f_anmerkung2 = nullptr;
    QLineEdit* f_anmerkung3 = nullptr;
    QGroupBox* g_informationen = nullptr;
    QLineEdit* loadedFileField = nullptr;  // Edit1, "Geladene Datei:"
    QLineEdit* programPathField = nullptr; // Edit2, "Pfad des Programmes:"
    QPushButton* b_dateigroesse = nullptr;
    QPushButton* b_ueber = nullptr;
    QPushButton* b_annehmen = nullptr;
    QPushButton* b_abbrechen = nullptr;

    QLineEdit* noteField(int note) const;
    // The dialog's four parts from top to bottom.
    QWidget* buildFlagsGroup(const QFont& plain);
    QWidget* buildNotesGroup(const QFont& plain);
    QWidget* buildInfoGroup(const QFont& plain);
    QWidget* buildButtons();

    // What the dialog was filled with, and what "Annehmen" gave.
    SetupValues filled_;
    SetupValues accepted_;
};

} // namespace spritlog
