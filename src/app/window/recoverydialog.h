#pragma once

#include "app/window/prompts.h"

#include <QDialog>
#include <QList>

class QComboBox;

namespace spritlog {

// The question at the start about the unsaved changes that windows which did not close
// cleanly left behind: one row per logbook (name, folder, time) with its choice,
// "Für später behalten" until the user picks another. Only one logbook can be restored, as
// the window shows one: picking it for a second row keeps the first for later.
class RecoveryDialog : public QDialog {
public:
    RecoveryDialog(QWidget* parent, const QList<RecoveryOffer>& offers);

    QList<RecoveryChoice> choices() const;

private:
    void choiceChanged(QComboBox* changed);

    QList<QComboBox*> boxes_;
};

} // namespace spritlog
