#include "app/window/importpreviewdialog.h"

#include "import/csvimport.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace spritlog {

namespace {

// The columns a user typed; the derived ones are computed after the import.
constexpr int kInputColumns[] = {ColDatum,      ColKmStand, ColLiter, ColLiterpreis, ColBenzin,
                                 ColTankstelle, ColOrt,     ColNote1, ColNote2,      ColNote3};

} // namespace

ImportPreviewDialog::ImportPreviewDialog(QWidget* parent, const ImportResult& result,
                                         const QStringList& headers)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(QStringLiteral("Import - Vorschau"));
    auto* layout = new QVBoxLayout(this);

    QStringList lines;
    for (const std::string& line : ImportSummaryLines(result))
        lines << CellToQString(line);
    summary = new QLabel(lines.join(QLatin1Char('\n')), this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    const int shown = std::min(kShownRecords, static_cast<int>(result.records.size()));
    auto* caption =
        new QLabel(QStringLiteral("Die ersten %1 Datensätze, wie sie in der Tabelle stehen werden:")
                       .arg(shown),
                   this);
    layout->addWidget(caption);
    records = new QTableWidget(shown, static_cast<int>(std::size(kInputColumns)), this);
    records->setObjectName(QStringLiteral("records"));
    records->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows move between the cells, Tab moves on to the buttons.
    records->setTabKeyNavigation(false);
    QStringList titles;
    for (const int column : kInputColumns)
        titles << headers.value(column);
    records->setHorizontalHeaderLabels(titles);
    for (int row = 0; row < shown; ++row) {
        const ImportRecord& record = result.records[static_cast<std::size_t>(row)];
        for (int i = 0; i < static_cast<int>(std::size(kInputColumns)); ++i) {
            const std::string& cell =
                record.cells[static_cast<std::size_t>(kInputColumns[static_cast<std::size_t>(i)])];
            records->setItem(row, i, new QTableWidgetItem(CellToQString(cell)));
        }
    }
    records->resizeColumnsToContents();
    records->verticalHeader()->setDefaultSectionSize(records->fontMetrics().height() + 6);
    layout->addWidget(records, 1);

    auto* buttons = new QDialogButtonBox(this);
    importButton = buttons->addButton(QStringLiteral("Importieren"), QDialogButtonBox::AcceptRole);
    importButton->setObjectName(QStringLiteral("importieren"));
    cancelButton = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancelButton->setObjectName(QStringLiteral("abbrechen"));
    importButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(1000, 600);
}

} // namespace spritlog
