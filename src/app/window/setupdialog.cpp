#include "app/window/setupdialog.h"

#include "app/window/toolwindow.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace spritlog {
namespace {

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// A group box with a bold caption; its contents keep the dialog's plain font.
QGroupBox* Group(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(Bold(parent->font()));
    return box;
}

// The weight is set outright: a font that only matches the dialog's would still take the
// bold of the group box around it.
template <typename Widget> Widget* Plain(Widget* widget, QFont font) {
    font.setBold(false);
    widget->setFont(font);
    return widget;
}

QString ShortPathText(const std::string& utf8Path) {
    return CellToQString(ShortenPath(Utf8ToCp1252(utf8Path), 35));
}

} // namespace

TFSetup::TFSetup(QWidget* parent) : QDialog(parent) {
    // One row higher than the three save flags alone need, for the consumption flag.
    MakeToolWindow(this, "FSetup", QStringLiteral("Einstellungen..."), 432, 418);
    const QFont plain = font();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(buildFlagsGroup(plain));
    layout->addWidget(buildNotesGroup(plain));
    layout->addWidget(buildInfoGroup(plain));
    layout->addStretch(1);
    layout->addWidget(buildButtons());

    for (QPushButton* button : {b_undo, b_dateigroesse, b_ueber, b_annehmen, b_abbrechen})
        button->setFont(Bold(plain));

    connect(askToSaveOnExitBox, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
    connect(saveOnExitBox, &QCheckBox::toggled, this, [this] { CheckBox5Click(); });
    connect(b_annehmen, &QPushButton::clicked, this, [this] { b_annehmenClick(); });
    connect(b_abbrechen, &QPushButton::clicked, this, [this] { b_abbrechenClick(); });
    connect(b_undo, &QPushButton::clicked, this, [this] { b_undoClick(); });
    connect(b_dateigroesse, &QPushButton::clicked, this, [this] { b_dateigroesseClick(); });
    connect(b_ueber, &QPushButton::clicked, this, [this] { b_ueberClick(); });

    FillSetupDialog(filled_);
}

QWidget* TFSetup::buildFlagsGroup(const QFont& plain) {
    // 1. The save flags; "Rückgängig" at the lower right.
    g_einstellungen = Group(this, "g_einstellungen", QStringLiteral("Einstellungen"));
    auto* flags = new QGridLayout(g_einstellungen);
    auto checkBox = [&](const char* name, const QString& text) {
        auto* box = Plain(new QCheckBox(text, g_einstellungen), plain);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    askToSaveOnExitBox =
        checkBox("CheckBox4", QStringLiteral("Datei speichern Abfrage beim Beenden"));
    saveOnExitBox = checkBox("CheckBox5", QStringLiteral("Automatisches Speichern beim Beenden"));
    backupOnSaveBox = checkBox("CheckBox6", QStringLiteral("Sicherungskopie beim Speichern"));
    fullTankBox =
        checkBox("CheckBox7", QStringLiteral("Verbrauch von Volltank zu Volltank rechnen"));
    b_undo = new QPushButton(QStringLiteral("Rückgängig"), g_einstellungen);
    b_undo->setObjectName(QStringLiteral("b_undo"));
    flags->addWidget(askToSaveOnExitBox, 0, 0);
    flags->addWidget(saveOnExitBox, 1, 0);
    flags->addWidget(backupOnSaveBox, 2, 0);
    flags->addWidget(fullTankBox, 3, 0);
    flags->addWidget(b_undo, 3, 1, Qt::AlignRight | Qt::AlignBottom);
    const std::pair<QWidget*, const char*> tips[] = {
        {askToSaveOnExitBox, "Beim Beenden fragen, ob ungespeicherte Änderungen gespeichert "
                             "werden sollen."},
        {saveOnExitBox, "Beim Beenden ungespeicherte Änderungen ohne Frage speichern."},
        {backupOnSaveBox, "Vor dem ersten Speichern eine Kopie der alten Datei mit der Endung "
                          ".bak anlegen; eine vorhandene Kopie bleibt unverändert."},
        {fullTankBox, "Teilbetankungen zählen zur Strecke bis zur nächsten Volltankung: der "
                      "Verbrauch gilt von Volltank zu Volltank. Ausgeschaltet zählt jeder "
                      "Datensatz für sich."},
        {b_undo, "Die Einstellungen auf den Stand vor dem Öffnen dieses Fensters zurücksetzen."},
    };
    for (const auto& [control, tip] : tips)
        control->setToolTip(QString::fromUtf8(tip));
    flags->setColumnStretch(0, 1);
    return g_einstellungen;
}

QWidget* TFSetup::buildNotesGroup(const QFont& plain) {
    // 2. The captions of the three note columns.
    g_beschriftung = Group(this, "g_beschriftung", QStringLiteral("Beschriftung"));
    auto* notes = new QGridLayout(g_beschriftung);
    QFont noteFont = Bold(plain);
    noteFont.setItalic(true);
    QLineEdit** noteFields[3] = {&f_anmerkung1, &f_anmerkung2, &f_anmerkung3};
    for (int note = 0; note < 3; ++note) {
        auto* label =
            Plain(new QLabel(QStringLiteral("Anmerkung %1").arg(note + 1), g_beschriftung), plain);
        auto* field = new QLineEdit(g_beschriftung);
        field->setObjectName(QStringLiteral("f_anmerkung%1").arg(note + 1));
        field->setFont(noteFont);
        field->setToolTip(QStringLiteral("Die Überschrift der %1. Anmerkungsspalte in der Tabelle")
                              .arg(note + 1));
        LabelField(label, field);
        notes->addWidget(label, note, 0);
        notes->addWidget(field, note, 1);
        *noteFields[note] = field;
    }
    notes->setColumnStretch(1, 1);
    return g_beschriftung;
}

QWidget* TFSetup::buildInfoGroup(const QFont& plain) {
    // 3. Where the logbook and the program are; the file-size and About dialogs.
    g_informationen = Group(this, "g_informationen", QStringLiteral("Informationen"));
    auto* info = new QGridLayout(g_informationen);
    auto readOnly = [&](const char* name) {
        auto* field = Plain(new QLineEdit(g_informationen), plain);
        field->setObjectName(QLatin1String(name));
        field->setReadOnly(true);
        return field;
    };
    loadedFileField = readOnly("Edit1");
    programPathField = readOnly("Edit2");
    const QString infoCaptions[2] = {QStringLiteral("Geladene Datei:"),
                                     QStringLiteral("Pfad des Programmes:")};
    QLineEdit* const infoFields[2] = {loadedFileField, programPathField};
    for (int row = 0; row < 2; ++row) {
        auto* label = Plain(new QLabel(infoCaptions[row], g_informationen), plain);
        LabelField(label, infoFields[row]);
        info->addWidget(label, row, 0);
        info->addWidget(infoFields[row], row, 1);
    }
    b_dateigroesse = new QPushButton(QStringLiteral("Dateigröße"), g_informationen);
    b_dateigroesse->setObjectName(QStringLiteral("b_dateigroesse"));
    b_ueber = new QPushButton(QStringLiteral("Über..."), g_informationen);
    b_ueber->setObjectName(QStringLiteral("b_ueber"));
    auto* infoButtons = new QHBoxLayout;
    infoButtons->addStretch(1);
    infoButtons->addWidget(b_dateigroesse);
    infoButtons->addWidget(b_ueber);
    info->addLayout(infoButtons, 2, 0, 1, 2);
    info->setColumnStretch(1, 1);
    return g_informationen;
}

QWidget* TFSetup::buildButtons() {
    // 4. "Annehmen" is the default; the other is the platform's own cancel button, which
    // Qt's German translation calls "Abbrechen" and which Escape presses too.
    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("p_buttons"));
    b_annehmen = buttons->addButton(QStringLiteral("Annehmen"), QDialogButtonBox::AcceptRole);
    b_annehmen->setObjectName(QStringLiteral("b_annehmen"));
    b_annehmen->setDefault(true);
    if (style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, this))
        b_annehmen->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, this));
    b_abbrechen = buttons->addButton(QDialogButtonBox::Cancel);
    b_abbrechen->setObjectName(QStringLiteral("b_abbrechen"));
    return buttons;
}

QLineEdit* TFSetup::noteField(int note) const {
    QLineEdit* const fields[3] = {f_anmerkung1, f_anmerkung2, f_anmerkung3};
    return fields[note];
}

std::optional<SetupValues> TFSetup::edit(const SetupValues& values) {
    FillSetupDialog(values);
    if (ExecDialog(this) != QDialog::Accepted)
        return std::nullopt;
    return accepted_;
}

void TFSetup::FillSetupDialog(const SetupValues& values) {
    filled_ = values;
    // Each change runs the exit-option rule, so two set flags leave "save on exit" checked.
    const Settings& settings = values.settings;
    askToSaveOnExitBox->setChecked(settings.dateispeichern);
    saveOnExitBox->setChecked(settings.autospeichern);
    backupOnSaveBox->setChecked(settings.backupspeichern);
    fullTankBox->setChecked(values.fullTankIntervals);
    loadedFileField->setText(ShortPathText(settings.defaultFile.toStdString()));
    programPathField->setText(ShortPathText(QCoreApplication::applicationFilePath().toStdString()));
    for (int note = 0; note < 3; ++note)
        noteField(note)->setText(settings.notes[note]);
}

// Asking on close and saving on close exclude each other; both may be off.
void TFSetup::CheckBox4Click() {
    if (askToSaveOnExitBox->isChecked() && saveOnExitBox->isChecked())
        saveOnExitBox->setChecked(false);
}

void TFSetup::CheckBox5Click() {
    if (saveOnExitBox->isChecked() && askToSaveOnExitBox->isChecked())
        askToSaveOnExitBox->setChecked(false);
}

void TFSetup::b_annehmenClick() {
    accepted_ = filled_;
    Settings& settings = accepted_.settings;
    settings.dateispeichern = askToSaveOnExitBox->isChecked();
    settings.autospeichern = saveOnExitBox->isChecked();
    settings.backupspeichern = backupOnSaveBox->isChecked();
    for (int note = 0; note < 3; ++note)
        settings.notes[note] = noteField(note)->text();
    accepted_.fullTankIntervals = fullTankBox->isChecked();
    accept();
}

void TFSetup::b_abbrechenClick() {
    reject();
}

void TFSetup::b_undoClick() {
    FillSetupDialog(filled_);
}

void TFSetup::b_dateigroesseClick() {
    emit fileSizeWanted();
}

void TFSetup::b_ueberClick() {
    emit aboutWanted();
}

} // namespace spritlog
