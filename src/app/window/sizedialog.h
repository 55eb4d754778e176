#pragma once

#include <QDialog>

class QPushButton;

namespace spritlog {

// FSize, "Dateigröße...": figures about the loaded file.
class TFSize : public QDialog {
    Q_OBJECT

public:
    explicit TFSize(QWidget* parent = nullptr);

    QPushButton* BitBtn1 = nullptr;
};

} // namespace spritlog
