#include "app/window/statistikdialog.h"

#include "app/window/statisticsgroups.h"
#include "app/window/toolwindow.h"

#include "platform/celltext.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace spritlog {

TFStatistik::TFStatistik(QWidget* parent) : QDialog(parent) {
    MakeToolWindow(this, "FStatistik", QStringLiteral("Statistik..."), 241, 339);

    // The boxes span the window but for a narrow edge, the button all of it.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* groups = new QVBoxLayout;
    groups->setContentsMargins(3, 2, 3, 0);
    groups->setSpacing(2);
    labels = BuildStatisticsGroups(this, groups, "GroupBox1", 0);
    layout->addLayout(groups);
    layout->addStretch(1);
    Beenden1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                               QStringLiteral("&Schliessen"), this);
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
