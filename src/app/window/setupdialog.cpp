#include "setupdialog.h"

#include "mainwindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace spritlog {

TFSetup::TFSetup(TFmain* Fmain) : QDialog(Fmain), Fmain_(Fmain) {
    setObjectName(QStringLiteral("FSetup"));
    setWindowTitle(QStringLiteral("Einstellungen..."));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    resize(432, 394);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Abort, this);
    b_abbrechen = buttons->button(QDialogButtonBox::Abort);
    b_abbrechen->setObjectName(QStringLiteral("b_abbrechen"));
    layout->addWidget(buttons);
    connect(b_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace spritlog
