#pragma once

#include <QDialog>

class QPushButton;

namespace spritlog {

class TFmain;

// FSetup, "Einstellungen...": the settings dialog. It works on the main window's
// settings, which live in `Fmain`.
class TFSetup : public QDialog {
    Q_OBJECT

public:
    explicit TFSetup(TFmain* Fmain);

    QPushButton* b_abbrechen = nullptr;

private:
    TFmain* Fmain_;
};

} // namespace spritlog
