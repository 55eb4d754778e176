#include "app/window/importpreviewdialog.h"

#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
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

QComboBox* Choice(QWidget* parent, QHBoxLayout* row, const QString& label, const char* name,
                  const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    auto* caption = new QLabel(label, parent);
    caption->setBuddy(box);
    row->addWidget(caption);
    row->addWidget(box);
    return box;
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(QWidget* parent, const ImportResult& result,
                                         const QStringList& headers, Reparse reparse)
    : QDialog(parent), result_(result), reparse_(std::move(reparse)), headers_(headers) {
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(QStringLiteral("Import - Vorschau"));
    auto* layout = new QVBoxLayout(this);

    if (reparse_ && result.questions.any())
        addChoices(layout);

    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    caption_ = new QLabel(this);
    layout->addWidget(caption_);
    records = new QTableWidget(0, static_cast<int>(std::size(kInputColumns)), this);
    records->setObjectName(QStringLiteral("records"));
    records->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows move between the cells, Tab moves on to the buttons.
    records->setTabKeyNavigation(false);
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
    showResult(result_);
    resize(1000, 600);
}

void ImportPreviewDialog::addChoices(QLayout* layout) {
    const ImportQuestions& questions = result_.questions;
    auto* row = new QHBoxLayout;
    if (questions.vehicles.size() > 1) {
        QStringList names;
        for (const std::string& name : questions.vehicles)
            names << CellToQString(name);
        vehicle = Choice(this, row, QStringLiteral("&Fahrzeug:"), "fahrzeug", names);
        vehicle->setCurrentIndex(static_cast<int>(
            std::find(questions.vehicles.begin(), questions.vehicles.end(), questions.vehicle) -
            questions.vehicles.begin()));
        connect(vehicle, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::choose);
    }
    // The first entry is what the file was read with when nobody chose.
    if (questions.distance) {
        distance = Choice(this, row, QStringLiteral("&KM-Stand in:"), "strecke",
                          {QStringLiteral("Kilometern"), QStringLiteral("Meilen")});
        distance->setCurrentIndex(result_.options.distance == DistanceUnit::Miles ? 1 : 0);
        connect(distance, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::choose);
    }
    if (questions.volume) {
        volume = Choice(this, row, QStringLiteral("&Mengen in:"), "menge",
                        {QStringLiteral("Litern"), QStringLiteral("US-Gallonen"),
                         QStringLiteral("britischen Gallonen")});
        // Read before anyone chose: the notice in the summary names the unit taken.
        int index = 0;
        for (const std::string& notice : result_.summary.notices) {
            if (notice.find("gelesen als US-Gallonen") != std::string::npos)
                index = 1;
            else if (notice.find("gelesen als britische Gallonen") != std::string::npos)
                index = 2;
        }
        if (result_.options.volume != VolumeUnit::Unknown)
            index = static_cast<int>(result_.options.volume) - 1;
        volume->setCurrentIndex(index);
        connect(volume, &QComboBox::currentIndexChanged, this, &ImportPreviewDialog::choose);
    }
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout)->addLayout(row);
}

void ImportPreviewDialog::choose() {
    ImportOptions options;
    if (vehicle != nullptr)
        options.vehicle = QStringToCell(vehicle->currentText());
    if (distance != nullptr)
        options.distance =
            distance->currentIndex() == 1 ? DistanceUnit::Miles : DistanceUnit::Kilometres;
    if (volume != nullptr)
        options.volume = static_cast<VolumeUnit>(volume->currentIndex() + 1);
    result_ = reparse_(options);
    showResult(result_);
}

QString ImportResultText(const ImportResult& result) {
    QStringList lines;
    if (result.ok()) {
        for (const std::string& line : ImportSummaryLines(result))
            lines << CellToQString(line);
    } else {
        lines << CellToQString(ImportFailureMessage(result));
    }
    return lines.join(QLatin1Char('\n'));
}

void ImportPreviewDialog::showResult(const ImportResult& result) {
    summary->setText(ImportResultText(result));
    importButton->setEnabled(result.ok());

    const int shown = std::min(kShownRecords, static_cast<int>(result.records.size()));
    caption_->setText(
        QStringLiteral("Die ersten %1 Datensätze, wie sie in der Tabelle stehen werden:")
            .arg(shown));
    records->clearContents();
    records->setRowCount(shown);
    QStringList titles;
    for (const int column : kInputColumns)
        titles << headers_.value(column);
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
}

} // namespace spritlog
