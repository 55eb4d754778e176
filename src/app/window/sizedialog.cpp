#include "app/window/sizedialog.h"

#include "app/window/toolwindow.h"

#include "document/files.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "platform/celltext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace spritlog {
namespace {

// The dialog's client area and the fields' column: right-aligned, so the longest caption
// ("Anzahl der Datensätze:") still fits beside them.
constexpr int kWidth = 385;
constexpr int kHeight = 153;
constexpr int kFieldWidth = 201;
constexpr int kFieldLeft = kWidth - kFieldWidth - 3;

QLabel* RowLabel(QWidget* parent, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(PixelFont(QStringLiteral("Arial"), 16, true));
    label->setGeometry(3, y, 177, 21);
    return label;
}

QLineEdit* RowField(QWidget* parent, const char* name, int y) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setFont(PixelFont(QStringLiteral("Arial"), 13, false, true));
    SetTextColour(field, kNavy);
    field->setGeometry(kFieldLeft, y, kFieldWidth, 21);
    return field;
}

// Shows the start of a text that is wider than its field.
void SetField(QLineEdit* field, const QString& text) {
    field->setText(text);
    field->setCursorPosition(0);
}

} // namespace

QString FreeSpaceText() {
    std::error_code failure;
    const std::filesystem::space_info space = std::filesystem::space(".", failure);
    // A volume that cannot be asked shows -1 for both, as the disk-free call gives then.
    const int64_t available = failure ? -1 : static_cast<int64_t>(space.available);
    const int64_t capacity = failure ? -1 : static_cast<int64_t>(space.capacity);
    return CellToQString(FormatByteSize(available) + " von insgesamt " + FormatByteSize(capacity));
}

TFSize::TFSize(QWidget* parent) : QDialog(parent) {
    MakeToolWindow(this, "FSize", QStringLiteral("Dateigröße..."), kWidth, kHeight);

    const QString captions[5] = {
        QStringLiteral("Geladene Datei:"), QStringLiteral("Anzahl der Datensätze:"),
        QStringLiteral("Größe der Datei:"), QStringLiteral("Anzahl der Zeichen:"),
        QStringLiteral("Freier Speicherplatz:")};
    QLineEdit** fields[5] = {&loadedFileField, &recordCountField, &fileSizeField,
                             &characterCountField, &freeSpaceField};
    const char* names[5] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"};
    for (int row = 0; row < 5; ++row) {
        const int y = 6 + 24 * row;
        QLabel* label = RowLabel(this, captions[row], y);
        *fields[row] = RowField(this, names[row], y);
        LabelField(label, *fields[row]);
    }

    closeButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                  QStringLiteral("&Schliessen"), this);
    closeButton->setObjectName(QStringLiteral("BitBtn1"));
    closeButton->setFont(PixelFont(QStringLiteral("Arial"), 16, true));
    closeButton->setCursor(Qt::PointingHandCursor);
    closeButton->setGeometry(0, kHeight - 25, kWidth, 25);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TFSize::fitFields() {
    // What a line edit needs around its text: its frame and inner margins, and the cursor.
    const int chrome =
        2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, loadedFileField) + 2 * 2 +
        2;
    int fieldWidth = kFieldWidth;
    for (QLineEdit* field :
         {loadedFileField, recordCountField, fileSizeField, characterCountField, freeSpaceField})
        fieldWidth =
            std::max(fieldWidth, field->fontMetrics().horizontalAdvance(field->text()) + chrome);
    const int width = kWidth + fieldWidth - kFieldWidth;
    setFixedSize(width, kHeight);
    for (QLineEdit* field :
         {loadedFileField, recordCountField, fileSizeField, characterCountField, freeSpaceField})
        field->setGeometry(kFieldLeft, field->y(), fieldWidth, field->height());
    closeButton->setGeometry(0, kHeight - 25, width, 25);
}

void TFSize::ShowFileSizeDialog(const std::string& currentFileName, int recordCount) {
    SetField(loadedFileField, CellToQString(ShortenPath(Utf8ToCp1252(currentFileName), 25)));
    SetField(recordCountField, QString::number(recordCount) + QStringLiteral(" Datensätze"));
    SetField(freeSpaceField, FreeSpaceText());
    const FileFigures figures = CountFileFigures(currentFileName);
    SetField(fileSizeField, CellToQString(FormatByteSize(figures.size)));
    SetField(characterCountField,
             QString::number(figures.characters) + QStringLiteral(" Zeichen in der Datei"));
    fitFields();
    ExecDialog(this);
}

} // namespace spritlog
