#include "app/window/recoverydialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace spritlog {
namespace {

// The entries of each row's choice, in the order of RecoveryChoice.
const char* const kChoiceTexts[] = {"Wiederherstellen", "Für später behalten", "Löschen"};

// A name or folder is shown as it is, never read as markup.
QLabel* Cell(const QString& text, QWidget* parent, bool heading = false) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (heading) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    return label;
}

} // namespace

RecoveryDialog::RecoveryDialog(QWidget* parent, const QList<RecoveryOffer>& offers)
    : QDialog(parent) {
    setObjectName(QStringLiteral("p_recovery"));
    setWindowTitle(QStringLiteral("Ungespeicherte Änderungen"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Spritlog wurde nicht ordnungsgemäß beendet. Diese Tankbücher haben "
                       "ungespeicherte Änderungen:"),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* rows = new QGridLayout;
    rows->addWidget(Cell(QStringLiteral("Tankbuch"), this, true), 0, 0);
    rows->addWidget(Cell(QStringLiteral("Ordner"), this, true), 0, 1);
    rows->addWidget(Cell(QStringLiteral("Geändert"), this, true), 0, 2);
    for (int i = 0; i < offers.size(); ++i) {
        const RecoveryOffer& offer = offers[i];
        const QString name =
            offer.name.isEmpty() ? QStringLiteral("(noch nie gespeichert)") : offer.name;
        rows->addWidget(Cell(name, this), i + 1, 0);
        rows->addWidget(Cell(offer.folder, this), i + 1, 1);
        rows->addWidget(Cell(offer.writtenAt.toString(QStringLiteral("dd.MM.yyyy hh:mm")), this),
                        i + 1, 2);
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("p_recoveryChoice_%1").arg(i + 1));
        for (const char* text : kChoiceTexts)
            box->addItem(QString::fromUtf8(text));
        box->setCurrentIndex(static_cast<int>(RecoveryChoice::Keep));
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { choiceChanged(box); });
        rows->addWidget(box, i + 1, 3);
        boxes_ << box;
    }
    layout->addLayout(rows);

    auto* note = new QLabel(QStringLiteral("Wiederherstellen öffnet das Tankbuch mit den "
                                           "Änderungen; die Datei selbst bleibt, bis Sie "
                                           "speichern. Behaltene Änderungen werden beim "
                                           "nächsten Start wieder angeboten."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Übernehmen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (!boxes_.isEmpty())
        boxes_.first()->setFocus();
}

void RecoveryDialog::choiceChanged(QComboBox* changed) {
    if (changed->currentIndex() != static_cast<int>(RecoveryChoice::Restore))
        return;
    for (QComboBox* box : boxes_) {
        if (box != changed && box->currentIndex() == static_cast<int>(RecoveryChoice::Restore))
            box->setCurrentIndex(static_cast<int>(RecoveryChoice::Keep));
    }
}

QList<RecoveryChoice> RecoveryDialog::choices() const {
    QList<RecoveryChoice> result;
    for (const QComboBox* box : boxes_)
        result << static_cast<RecoveryChoice>(box->currentIndex());
    return result;
}

} // namespace spritlog
