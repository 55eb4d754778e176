#pragma once

#include <QDialog>

class QCheckBox;
class QFont;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace spritlog {

class TFmain;

// FSetup, "Einstellungen...": the three save flags, the way consumption is computed and the
// note captions, which it applies to the main window on "Annehmen"; the loaded file and the
// program's path; the ways to the file-size and About dialogs. Nothing here touches the settings
// store: the values reach it when the main window closes.
class TFSetup : public QDialog {
    Q_OBJECT

public:
    explicit TFSetup(TFmain* Fmain);

    // Copies the main window's current settings into the controls.
    void FillSetupDialog();

    void b_annehmenClick();
    void b_abbrechenClick();
    void b_undoClick();
    void CheckBox4Click();
    void CheckBox5Click();
    void b_dateigroesseClick();
    void b_ueberClick();

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

    TFmain* Fmain_;
};

} // namespace spritlog
