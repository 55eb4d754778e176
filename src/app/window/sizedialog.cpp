#include "sizedialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace spritlog {

TFSize::TFSize(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FSize"));
    setWindowTitle(QStringLiteral("Dateigröße..."));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(385, 153);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("&Schliessen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setCursor(Qt::PointingHandCursor);
    layout->addWidget(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace spritlog
