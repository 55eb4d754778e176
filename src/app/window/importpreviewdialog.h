#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;

namespace spritlog {

struct ImportResult;

// "Importieren aus CSV...": what a file holds before anything is appended. The format
// recognised, the number of refuellings, dates, odometer range, units converted,
// duplicates skipped, grades and stations, notices, and the first records as the table
// will show them. Accepted by "Importieren", rejected by "Abbrechen".
class ImportPreviewDialog : public QDialog {
    Q_OBJECT

public:
    // `headers`: the logbook's column names (row 0 of the table), UTF-8.
    ImportPreviewDialog(QWidget* parent, const ImportResult& result, const QStringList& headers);

    static constexpr int kShownRecords = 10;

    QLabel* summary = nullptr;
    QTableWidget* records = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

} // namespace spritlog
