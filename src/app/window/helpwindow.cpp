#include "app/window/helpwindow.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

// Resources of a static library are registered by hand, outside any namespace.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace spritlog {
namespace {

const QString kHelpFolder = QStringLiteral(":/help/");

QToolButton* NavigationButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                              const QString& text, const QKeySequence& key) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setShortcut(key);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QLatin1Char('&')),
                                                     key.toString(QKeySequence::NativeText)));
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    InitHelpResources();
    setObjectName(QStringLiteral("FHandbuch"));
    setWindowTitle(QStringLiteral("Spritlog – Handbuch"));
    resize(640, 560);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* bar = new QHBoxLayout;
    b_zurueck = NavigationButton(this, "b_zurueck", QStyle::SP_ArrowBack, QStringLiteral("&Zurück"),
                                 QKeySequence(QKeySequence::Back));
    b_vor = NavigationButton(this, "b_vor", QStyle::SP_ArrowForward, QStringLiteral("&Vor"),
                             QKeySequence(QKeySequence::Forward));
    b_inhalt = NavigationButton(this, "b_inhalt", QStyle::SP_DirHomeIcon, QStringLiteral("&Inhalt"),
                                QKeySequence(Qt::ALT | Qt::Key_Home));
    bar->addWidget(b_zurueck);
    bar->addWidget(b_vor);
    bar->addWidget(b_inhalt);
    bar->addStretch(1);
    layout->addLayout(bar);

    p_Handbuch = new QTextBrowser(this);
    p_Handbuch->setObjectName(QStringLiteral("p_Handbuch"));
    // Links to other sites open in the desktop's browser; the handbook's own stay here.
    p_Handbuch->setOpenExternalLinks(true);
    p_Handbuch->setSearchPaths({kHelpFolder});
    layout->addWidget(p_Handbuch, 1);

    b_zurueck->setEnabled(false);
    b_vor->setEnabled(false);
    connect(b_zurueck, &QToolButton::clicked, p_Handbuch, &QTextBrowser::backward);
    connect(b_vor, &QToolButton::clicked, p_Handbuch, &QTextBrowser::forward);
    connect(b_inhalt, &QToolButton::clicked, this,
            [this] { showPage(QStringLiteral("index.html")); });
    connect(p_Handbuch, &QTextBrowser::backwardAvailable, b_zurueck, &QToolButton::setEnabled);
    connect(p_Handbuch, &QTextBrowser::forwardAvailable, b_vor, &QToolButton::setEnabled);
    showPage(QStringLiteral("index.html"));
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes the handbook, as it closes the program's dialogs.
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showPage(const QString& page) {
    p_Handbuch->setSource(QUrl(QStringLiteral("qrc") + kHelpFolder + page));
}

QStringList HelpWindow::Pages() {
    InitHelpResources();
    return QDir(kHelpFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

} // namespace spritlog
