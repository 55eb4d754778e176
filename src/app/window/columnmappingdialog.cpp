#include "app/window/columnmappingdialog.h"

#include "app/window/importpreviewdialog.h"

#include "document/importing.h"
#include "platform/celltext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace spritlog {

namespace {

using import::Role;

constexpr int kShownLines = 8;
constexpr char kSeparators[] = {';', ',', '\t', '|'};
constexpr Role kRoles[] = {Role::None,      Role::Date,  Role::Odometer, Role::Quantity,
                           Role::UnitPrice, Role::Total, Role::Grade,    Role::Station,
                           Role::Place,     Role::Note,  Role::Full,     Role::Partial};

QComboBox* Box(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    return box;
}

} // namespace

ColumnMappingDialog::ColumnMappingDialog(QWidget* parent, const std::string& text,
                                         const QString& mapping, Reparse reparse)
    : QDialog(parent), text_(text), reparse_(std::move(reparse)) {
    setObjectName(QStringLiteral("ColumnMapping"));
    setWindowTitle(QStringLiteral("Import - Spalten zuordnen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Das Format der Datei ist unbekannt. Was steht in welcher Spalte?"), this));
    auto* form = new QFormLayout;
    separator = Box(this, "trenner",
                    {QStringLiteral("Semikolon ;"), QStringLiteral("Komma ,"),
                     QStringLiteral("Tabulator"), QStringLiteral("Strich |")});
    decimal = Box(this, "dezimal", {QStringLiteral("Komma (1,5)"), QStringLiteral("Punkt (1.5)")});
    dates = Box(this, "datum",
                {QStringLiteral("Tag, Monat, Jahr"), QStringLiteral("Monat, Tag, Jahr"),
                 QStringLiteral("Jahr, Monat, Tag")});
    header = new QCheckBox(QStringLiteral("Die &erste Zeile nennt die Spalten"), this);
    header->setObjectName(QStringLiteral("kopf"));
    distance = Box(this, "strecke", {QStringLiteral("Kilometern"), QStringLiteral("Meilen")});
    volume = Box(this, "menge",
                 {QStringLiteral("Litern"), QStringLiteral("US-Gallonen"),
                  QStringLiteral("britischen Gallonen")});
    form->addRow(QStringLiteral("&Trennzeichen:"), separator);
    form->addRow(QStringLiteral("&Dezimalzeichen:"), decimal);
    form->addRow(QStringLiteral("Datum &in der Folge:"), dates);
    form->addRow(QString(), header);
    form->addRow(QStringLiteral("&KM-Stand in:"), distance);
    form->addRow(QStringLiteral("&Mengen in:"), volume);
    layout->addLayout(form);
    columns = new QTableWidget(this);
    columns->setObjectName(QStringLiteral("spalten"));
    columns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    columns->setTabKeyNavigation(false);
    layout->addWidget(columns, 1);
    summary = new QLabel(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary);
    auto* buttons = new QDialogButtonBox(this);
    nextButton = buttons->addButton(QStringLiteral("Weiter"), QDialogButtonBox::AcceptRole);
    nextButton->setObjectName(QStringLiteral("weiter"));
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // The remembered mapping, or a guess: the separator the first line has most of.
    std::string error;
    if (const auto m = import::ReadMapping(QStringToCell(mapping), error)) {
        for (int i = 0; i < 4; ++i)
            if (kSeparators[i] == m->separator)
                separator->setCurrentIndex(i);
        decimal->setCurrentIndex(m->point == ',' ? 0 : 1);
        dates->setCurrentIndex(static_cast<int>(m->dates));
        header->setChecked(m->header);
        distance->setCurrentIndex(m->distance == DistanceUnit::Miles ? 1 : 0);
        volume->setCurrentIndex(static_cast<int>(m->volume) - 1);
        for (const Role role : m->roles)
            roles_.push_back(static_cast<int>(
                std::find(std::begin(kRoles), std::end(kRoles), role) - std::begin(kRoles)));
    } else {
        const std::string first = text_.substr(0, text_.find('\n'));
        const auto count = [&first](char c) { return std::count(first.begin(), first.end(), c); };
        const bool commas = count(',') > count(';') && count(',') >= count('\t');
        separator->setCurrentIndex(count('\t') > std::max(count(';'), count(',')) ? 2
                                   : commas                                       ? 1
                                                                                  : 0);
        decimal->setCurrentIndex(commas ? 1 : 0);
        header->setChecked(true);
    }
    for (QComboBox* box : {decimal, dates, distance, volume})
        connect(box, &QComboBox::currentIndexChanged, this, &ColumnMappingDialog::update);
    connect(separator, &QComboBox::currentIndexChanged, this, &ColumnMappingDialog::fillColumns);
    connect(header, &QCheckBox::toggled, this, &ColumnMappingDialog::update);
    fillColumns();
    resize(1000, 650);
}

QComboBox* ColumnMappingDialog::roleBox(int column) const {
    return qobject_cast<QComboBox*>(columns->cellWidget(0, column));
}

void ColumnMappingDialog::fillColumns() {
    filling_ = true;
    import::CsvDialect dialect = import::ExportDialect(kSeparators[separator->currentIndex()]);
    const std::vector<import::CsvRow> rows = import::ReadCsvRows(text_, dialect, kShownLines);
    int width = 0;
    for (const import::CsvRow& row : rows)
        width = std::max(width, static_cast<int>(row.fields.size()));
    columns->clear();
    columns->setColumnCount(width);
    columns->setRowCount(static_cast<int>(rows.size()) + 1);
    QStringList roleNames{QStringLiteral("-")};
    for (std::size_t i = 1; i < std::size(kRoles); ++i)
        roleNames << CellToQString(import::RoleName(kRoles[i]));
    for (int c = 0; c < width; ++c) {
        auto* box = new QComboBox(columns);
        box->setObjectName(QStringLiteral("rolle%1").arg(c + 1));
        box->addItems(roleNames);
        if (static_cast<std::size_t>(c) < roles_.size())
            box->setCurrentIndex(roles_[static_cast<std::size_t>(c)]);
        connect(box, &QComboBox::currentIndexChanged, this, &ColumnMappingDialog::update);
        columns->setCellWidget(0, c, box);
        columns->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::number(c + 1)));
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].fields.size(); ++c)
            columns->setItem(static_cast<int>(r) + 1, static_cast<int>(c),
                             new QTableWidgetItem(QString::fromUtf8(rows[r].fields[c].c_str())));
    }
    columns->resizeColumnsToContents();
    filling_ = false;
    update();
}

QString ColumnMappingDialog::mapping() const {
    import::ColumnMapping m;
    m.separator = kSeparators[separator->currentIndex()];
    m.point = decimal->currentIndex() == 0 ? ',' : '.';
    m.dates = static_cast<import::DateOrder>(dates->currentIndex());
    m.header = header->isChecked();
    m.distance = distance->currentIndex() == 1 ? DistanceUnit::Miles : DistanceUnit::Kilometres;
    m.volume = static_cast<VolumeUnit>(volume->currentIndex() + 1);
    for (int c = 0; c < columns->columnCount(); ++c)
        m.roles.push_back(roleBox(c) != nullptr ? kRoles[roleBox(c)->currentIndex()] : Role::None);
    return CellToQString(import::MappingText(m));
}

void ColumnMappingDialog::update() {
    if (filling_)
        return;
    roles_.clear();
    for (int c = 0; c < columns->columnCount(); ++c)
        roles_.push_back(roleBox(c) != nullptr ? roleBox(c)->currentIndex() : 0);
    const ImportResult result = reparse_(QStringToCell(mapping()));
    summary->setText(ImportResultText(result));
    nextButton->setEnabled(result.ok());
}

} // namespace spritlog
