#pragma once

#include "app/window/statisticsgroups.h"
#include "document/figures.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QScrollArea;

namespace spritlog {

// FStatistik, "Statistik...": the twelve figures in a window of their own.
class TFStatistik : public QDialog {
    Q_OBJECT

public:
    explicit TFStatistik(QWidget* parent = nullptr);

    // Writes the figures into L1..L12.
    void showFigures(const StatisticsLabels& figures);

    std::array<QLabel*, 12> labels{}; // L1..L12
    QPushButton* Beenden1 = nullptr;

private:
    StatisticsDisplay display_;
    QScrollArea* scroller_ = nullptr;
};

} // namespace spritlog
