#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace spritlog {

// "<free> von insgesamt <total>" of the volume that holds the working directory.
QString FreeSpaceText();

// FSize, "Dateigröße...": figures about the loaded file.
class TFSize : public QDialog {
    Q_OBJECT

public:
    explicit TFSize(QWidget* parent = nullptr);

    // Fills the fields in the dialog's order and shows it modally. The file name, the
    // record count and the free space are written before the file is read; a file that
    // cannot be read throws before the dialog is shown.
    void ShowFileSizeDialog(const std::string& currentFileName, int recordCount);

private:
    // The controls; each keeps the program's name as its objectName (given after it), and
    // tests find them by that name.
    QLineEdit* loadedFileField = nullptr;     // Edit1, "Geladene Datei:"
    QLineEdit* recordCountField = nullptr;    // Edit2, "Anzahl der Datensätze:"
    QLineEdit* fileSizeField = nullptr;       // Edit3, "Größe der Datei:"
    QLineEdit* characterCountField = nullptr; // Edit4, "Anzahl der Zeichen:"
    QLineEdit* freeSpaceField = nullptr;      // Edit5, "Freier Speicherplatz:"
    QPushButton* closeButton = nullptr;       // BitBtn1

    // The fields keep their width unless a text would not fit; then they, and the dialog,
    // grow by what the widest text needs.
    void fitFields();
};

} // namespace spritlog
