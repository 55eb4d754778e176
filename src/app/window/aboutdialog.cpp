#include "aboutdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace spritlog {

TFAbout::TFAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("Über..."));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(385, 201);

    auto* layout = new QVBoxLayout(this);
    Name = new QLabel(QStringLiteral("Spritlog"), this);
    Name->setObjectName(QStringLiteral("Name"));
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(21);
    nameFont.setBold(true);
    Name->setFont(nameFont);
    Version = new QLabel(QStringLiteral("Version 3.3"), this);
    Version->setObjectName(QStringLiteral("Version"));
    QFont versionFont(QStringLiteral("Arial"));
    versionFont.setPixelSize(16);
    versionFont.setBold(true);
    Version->setFont(versionFont);
    layout->addWidget(Name);
    layout->addWidget(Version);
    layout->addStretch(1);

    b_schliessen = new QPushButton(QStringLiteral("&Schliessen"), this);
    b_schliessen->setObjectName(QStringLiteral("b_schliessen"));
    b_schliessen->setCursor(Qt::PointingHandCursor);
    layout->addWidget(b_schliessen);
    connect(b_schliessen, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace spritlog
