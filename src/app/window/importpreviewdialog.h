#pragma once

#include "document/importing.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace spritlog {

// What the preview and the column mapping say of a reading: the summary lines of a clean
// result, else the message naming the lines that are wrong.
QString ImportResultText(const ImportResult& result);

// "Importieren aus CSV...": what a file holds before anything is appended. The format
// recognised, the number of refuellings, dates, odometer range, units converted,
// duplicates skipped, grades and stations, notices, and the first records as the table
// will show them. Accepted by "Importieren", rejected by "Abbrechen".
// Where the file leaves something open (which of its vehicles, the unit of the odometer or
// of the quantities), a row of choices above the summary reads the file again with the
// user's choice and shows the result at once.
class ImportPreviewDialog : public QDialog {
    Q_OBJECT

public:
    using Reparse = std::function<ImportResult(const ImportOptions&)>;

    // `headers`: the logbook's column names (row 0 of the table), UTF-8. Without `reparse`
    // no choices are offered.
    ImportPreviewDialog(QWidget* parent, const ImportResult& result, const QStringList& headers,
                        Reparse reparse = {});

    // What "Importieren" takes: the file as read with the choices made.
    const ImportResult& result() const { return result_; }

    static constexpr int kShownRecords = 10;

    QComboBox* vehicle = nullptr;  // only with several vehicles
    QComboBox* distance = nullptr; // only where the file does not say
    QComboBox* volume = nullptr;   // only where the file does not say
    QLabel* summary = nullptr;
    QTableWidget* records = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void addChoices(QLayout* layout);
    void choose();
    void showResult(const ImportResult& result);

    ImportResult result_;
    Reparse reparse_;
    QStringList headers_;
    QLabel* caption_ = nullptr;
};

} // namespace spritlog
