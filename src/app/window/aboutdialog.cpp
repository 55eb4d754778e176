#include "app/window/aboutdialog.h"

#include "app/window/errordisplay.h"
#include "app/window/shelllinks.h"
#include "app/window/toolwindow.h"

#include "document/printing.h"
#include "platform/celltext.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

// Resources of a static library are registered by hand, outside any namespace.
static void InitAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace spritlog {
namespace {

// Copperplate Gothic Light is a Windows font; where it is missing a serif in small capitals
// gives the same engraved look.
QFont AuthorFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Copperplate Gothic Light"), QStringLiteral("C059"),
                      QStringLiteral("Liberation Serif")});
    font.setPixelSize(19);
    font.setBold(true);
    font.setCapitalization(QFont::SmallCaps);
    return font;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    return label;
}

// A flat button with a glyph, its caption beside it.
QToolButton* LinkButton(QWidget* parent, const char* name, const QString& text,
                        const QString& glyph) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setIcon(QIcon(glyph));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

QString TFAbout::AuthorName() {
    return CellToQString(DefaultReportContext().authorName);
}

TFAbout::TFAbout(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    InitAboutResources();
    MakeToolWindow(this, "FAbout", QStringLiteral("Über..."), 385, 201);

    panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken); // lowered outside, raised inside
    panel->setGeometry(0, 0, 385, 177);

    pictureFrame = new QFrame(panel);
    pictureFrame->setObjectName(QStringLiteral("Bevel1"));
    pictureFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pictureFrame->setGeometry(14, 14, 101, 149);
    picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(16, 16, 97, 145);
    picture->setScaledContents(true);
    picture->setPixmap(
        QIcon(QStringLiteral(":/about/zapfsaeule.svg")).pixmap(QSize(97, 145), devicePixelRatio()));

    nameLabel = Caption(panel, "Name", QStringLiteral("Spritlog"),
                        PixelFont(QStringLiteral("Arial"), 21, true));
    nameLabel->move(128, 16);
    versionLabel = Caption(panel, "Version", QStringLiteral("Version 3.3"),
                           PixelFont(QStringLiteral("Arial"), 16, true));
    versionLabel->setAlignment(Qt::AlignCenter);
    SetTextColour(versionLabel, Qt::black);
    versionLabel->move(280, 48);
    authorLabel = Caption(panel, "Label1", QStringLiteral("By ") + AuthorName(), AuthorFont());
    authorLabel->setAlignment(Qt::AlignCenter);
    SetTextColour(authorLabel, kNavy);
    authorLabel->move(128, 81);

    mailButton = LinkButton(panel, "Mail1", QStringLiteral("Email an den Autor senden"),
                            QStringLiteral(":/about/mail.svg"));
    mailButton->setToolTip(QString::fromLatin1(kAuthorMailAddress));
    mailButton->setGeometry(128, 112, 193, 22);
    webButton = LinkButton(panel, "Web1", QStringLiteral("Homepage des Autors besuchen"),
                           QStringLiteral(":/about/web.svg"));
    webButton->setToolTip(QString::fromLatin1(kHomePageAddress));
    webButton->setGeometry(128, 134, 193, 22);
    for (QLabel* label : {nameLabel, versionLabel, authorLabel})
        label->adjustSize();

    b_schliessen = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                   QStringLiteral("&Schliessen"), this);
    b_schliessen->setObjectName(QStringLiteral("b_schliessen"));
    b_schliessen->setFont(PixelFont(QStringLiteral("Arial"), 16, true));
    b_schliessen->setCursor(Qt::PointingHandCursor);
    b_schliessen->setGeometry(0, 201 - 25, 385, 25);

    connect(mailButton, &QToolButton::clicked, this,
            [this] { RunCommand(prompts_, this, [this] { Mail1Click(); }); });
    connect(webButton, &QToolButton::clicked, this,
            [this] { RunCommand(prompts_, this, [this] { Web1Click(); }); });
    connect(b_schliessen, &QPushButton::clicked, this, &QDialog::accept);
}

void TFAbout::showPersonalAddresses() {
    mailButton->setToolTip(QString::fromLatin1(kPersonalMailAddress));
    webButton->setToolTip(QString::fromLatin1(kPersonalHomePageAddress));
    nameLabel->setText(QStringLiteral("Spritlog"));
    versionLabel->setText(QStringLiteral("Version 3.3"));
}

void TFAbout::Mail1Click() {
    SendMailTo(prompts_, QString::fromLatin1(kAuthorMailAddress), this);
}

void TFAbout::Web1Click() {
    OpenWebPage(prompts_, QString::fromLatin1(kHomePageAddress), this);
}

} // namespace spritlog
