#include "app/window/statistikdialog.h"

#include "app/window/statisticsgroups.h"
#include "app/window/toolwindow.h"

#include "platform/celltext.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace spritlog {

TFStatistik::TFStatistik(QWidget* parent) : QDialog(parent) {
    MakeToolWindow(this, "FStatistik", QStringLiteral("Statistik..."), 241, 339);

    // The boxes span the window but for a narrow edge, the button all of it.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    // The figures scroll when the window is too small for them, and the window grows to
    // show a long figure whole rather than cut it.
    auto* figures = new QWidget;
    figures->setObjectName(QStringLiteral("p_figures"));
    auto* groups = new QVBoxLayout(figures);
    groups->setContentsMargins(3, 2, 3, 0);
    groups->setSpacing(2);
    labels = BuildStatisticsGroups(figures, groups, "GroupBox1", 0);
    groups->addStretch(1);
    scroller_ = new QScrollArea(this);
    scroller_->setObjectName(QStringLiteral("p_figuresScroll"));
    scroller_->setWidget(figures);
    scroller_->setWidgetResizable(true);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(scroller_, 1);
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
    // Wide enough for the widest figure (a long total), as far as the screen allows.
    const int needed = scroller_->widget()->sizeHint().width() +
                       scroller_->verticalScrollBar()->sizeHint().width();
    if (needed > width())
        setFixedWidth(needed);
}

} // namespace spritlog
