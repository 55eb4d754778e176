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

    // Fills the fields in the dialog's order and shows it modally. Fields 1, 2 and 5 are
    // written before the file is read; a file that cannot be read throws before the
    // dialog is shown.
    void ShowFileSizeDialog(const std::string& currentFileName, int recordCount);

private:
    // The controls, named as their objectName; tests find them by that name.
    QLineEdit* Edit1 = nullptr; // "Geladene Datei:"
    QLineEdit* Edit2 = nullptr; // "Anzahl der Datensätze:"
    QLineEdit* Edit3 = nullptr; // "Größe der Datei:"
    QLineEdit* Edit4 = nullptr; // "Anzahl der Zeichen:"
    QLineEdit* Edit5 = nullptr; // "Freier Speicherplatz:"
    QPushButton* BitBtn1 = nullptr;

    // The fields keep their width unless a text would not fit; then they, and the dialog,
    // grow by what the widest text needs.
    void fitFields();
};

} // namespace spritlog
