#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace spritlog {

// FAbout, "Über...": the program's name and version.
class TFAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFAbout(QWidget* parent = nullptr);

    QLabel* Name = nullptr;
    QLabel* Version = nullptr;
    QPushButton* b_schliessen = nullptr;
};

} // namespace spritlog
