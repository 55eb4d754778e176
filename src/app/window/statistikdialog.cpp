#include "app/window/statistikdialog.h"

#include "app/window/statisticsgroups.h"
#include "app/window/toolwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace spritlog {
namespace {

// The window's own size, which a long figure or the lines of several energies enlarge.
constexpr int kWidth = 241;
constexpr int kHeight = 339;

} // namespace

TFStatistik::TFStatistik(QWidget* parent) : QDialog(parent) {
    MakeToolWindow(this, "FStatistik", QStringLiteral("Statistik..."), kWidth, kHeight);

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
    display_ = BuildStatisticsGroups(figures, groups, "GroupBox1", 0);
    labels = display_.values;
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
    ShowStatistics(display_, figures);
    // Wide enough for the widest figure (a long total) and tall enough for the lines of
    // several energies, as far as the screen allows; never smaller than the window's own size.
    QWidget* content = scroller_->widget();
    content->adjustSize();
    QSize needed(content->sizeHint().width() + scroller_->verticalScrollBar()->sizeHint().width(),
                 content->sizeHint().height() + layout()->spacing() +
                     Beenden1->sizeHint().height());
    if (const QScreen* screen = this->screen())
        needed = needed.boundedTo(screen->availableGeometry().size());
    setFixedSize(needed.expandedTo(QSize(kWidth, kHeight)));
}

} // namespace spritlog
