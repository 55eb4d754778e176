#include "statistikdialog.h"

#include "statisticsgroups.h"
#include "texttablemodel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace spritlog {

TFStatistik::TFStatistik(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FStatistik"));
    setWindowTitle(QStringLiteral("Statistik..."));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    labels = BuildStatisticsGroups(this, layout, "GroupBox1");
    Beenden1 = new QPushButton(QStringLiteral("&Schliessen"), this);
    Beenden1->setObjectName(QStringLiteral("Beenden1"));
    Beenden1->setCursor(Qt::PointingHandCursor);
    layout->addWidget(Beenden1);
    connect(Beenden1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFStatistik::showFigures(const StatisticsLabels& figures) {
    for (int k = 0; k < 12; ++k)
        labels[k]->setText(CellToQString(figures.texts[k]));
}

} // namespace spritlog
