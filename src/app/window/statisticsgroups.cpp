#include "app/window/statisticsgroups.h"

#include "app/window/toolwindow.h"

#include "platform/celltext.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <utility>
#include <vector>

namespace spritlog {
namespace {

QFont CaptionFont() {
    return PixelFont(QStringLiteral("Arial"), 13, true, false);
}

QFont ValueFont() {
    // Courier New where it exists; fontconfig gives Liberation Mono in its place.
    QFont font = PixelFont(QStringLiteral("Courier New"), 13, true, false);
    font.setStyleHint(QFont::Monospace);
    return font;
}

// Both texts sit at the top of their row, the one with the smaller ascent moved down so
// that caption and value share one baseline.
int AscentGap() {
    return QFontMetrics(CaptionFont()).ascent() - QFontMetrics(ValueFont()).ascent();
}

QGroupBox* AddGroup(QWidget* parent, QBoxLayout* layout, const char* caption, const char* name) {
    auto* box = new QGroupBox(CellToQString(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(PixelFont(QStringLiteral("Arial"), 13, false, true));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(0);
    grid->setHorizontalSpacing(8);
    grid->setContentsMargins(8, 2, 4, 4);
    grid->setColumnStretch(1, 1);
    layout->addWidget(box);
    return box;
}

// A caption and its value label in row `row` of the box's grid; gives the two.
std::pair<QLabel*, QLabel*> AddRow(QGroupBox* box, int row, const QString& caption,
                                   const QString& valueName, int captionWidth) {
    const int ascentGap = AscentGap();
    auto* captionLabel = new QLabel(caption, box);
    captionLabel->setFont(CaptionFont());
    captionLabel->setFixedSize(captionWidth, 16);
    captionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    captionLabel->setContentsMargins(0, std::max(0, -ascentGap), 0, 0);
    auto* value = new QLabel(valueName, box);
    value->setObjectName(valueName);
    value->setFont(ValueFont());
    SetTextColour(value, kNavy);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setFixedHeight(16);
    value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    value->setContentsMargins(0, std::max(0, ascentGap), 0, 0);
    // A long figure widens its box (the page and the window then scroll or grow) rather
    // than being cut.
    value->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    auto* grid = static_cast<QGridLayout*>(box->layout());
    grid->addWidget(captionLabel, row, 0);
    grid->addWidget(value, row, 1);
    return {captionLabel, value};
}

int CaptionWidth(const QStringList& captions) {
    const QFontMetrics metrics(CaptionFont());
    int width = 0;
    for (const QString& caption : captions)
        width = std::max(width, metrics.horizontalAdvance(caption));
    return width;
}

// The lines of the energies, built anew for each set of figures.
void FillEnergyLines(QGroupBox* box, const std::vector<StatisticsLine>& lines, int captionWidth) {
    for (QLabel* old : box->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        delete old;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString name = QStringLiteral("p_energyLine%1").arg(i + 1);
        QLabel* value =
            AddRow(box, static_cast<int>(i), CellToQString(lines[i].caption), name, captionWidth)
                .second;
        value->setText(CellToQString(lines[i].text()));
    }
    box->setVisible(!lines.empty());
}

} // namespace

StatisticsDisplay BuildStatisticsGroups(QWidget* parent, QBoxLayout* layout,
                                        const char* firstGroupName, int valueCharacters) {
    const char* groupNames[3] = {firstGroupName, "g_durchschnitt", "g_rekorde"};
    // One caption width for all boxes puts every value at the same left edge.
    QStringList captions;
    for (const StatisticsRow& row : kStatisticsRows)
        captions << CellToQString(row.caption);
    const int captionWidth = CaptionWidth(captions);
    const int valueWidth =
        QFontMetrics(ValueFont()).horizontalAdvance(QString(valueCharacters, QLatin1Char('0')));

    StatisticsDisplay display;
    for (int g = 0; g < 3; ++g) {
        const StatisticsGroup& group = kStatisticsGroups[g];
        QGroupBox* box = AddGroup(parent, layout, group.caption, groupNames[g]);
        for (int r = 0; r < group.rowCount; ++r) {
            const StatisticsRow& row = kStatisticsRows[group.firstRow + r];
            const auto [caption, value] =
                AddRow(box, r, CellToQString(row.caption), QStringLiteral("L%1").arg(row.label),
                       captionWidth);
            value->setMinimumWidth(valueWidth);
            display.captions[row.label - 1] = caption;
            display.values[row.label - 1] = value;
        }
    }
    display.energies = AddGroup(parent, layout, kEnergyLinesCaption, "g_energien");
    display.energies->hide();
    return display;
}

void ShowStatistics(const StatisticsDisplay& display, const StatisticsLabels& figures) {
    QStringList captions;
    for (int k = 0; k < 12; ++k)
        captions << CellToQString(figures.captions[k]);
    for (const StatisticsLine& line : figures.lines)
        captions << CellToQString(line.caption);
    const int captionWidth = CaptionWidth(captions);
    for (int k = 0; k < 12; ++k) {
        display.captions[k]->setText(captions[k]);
        display.captions[k]->setFixedWidth(captionWidth);
        display.values[k]->setText(CellToQString(figures.texts[k]));
    }
    FillEnergyLines(display.energies, figures.lines, captionWidth);
}

} // namespace spritlog
