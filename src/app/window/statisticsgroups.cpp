#include "app/window/statisticsgroups.h"

#include "app/window/toolwindow.h"

#include "document/figures.h"
#include "platform/celltext.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

namespace spritlog {

std::array<QLabel*, 12> BuildStatisticsGroups(QWidget* parent, QBoxLayout* layout,
                                              const char* firstGroupName, int valueCharacters) {
    const char* groupNames[3] = {firstGroupName, "g_durchschnitt", "g_rekorde"};
    const QFont groupFont = PixelFont(QStringLiteral("Arial"), 13, false, true);
    const QFont captionFont = PixelFont(QStringLiteral("Arial"), 13, true, false);
    // Courier New where it exists; fontconfig gives Liberation Mono in its place.
    QFont valueFont = PixelFont(QStringLiteral("Courier New"), 13, true, false);
    valueFont.setStyleHint(QFont::Monospace);

    // One caption width for all three boxes puts every value at the same left edge.
    const QFontMetrics captionMetrics(captionFont);
    int captionWidth = 0;
    for (const StatisticsRow& row : kStatisticsRows)
        captionWidth =
            std::max(captionWidth, captionMetrics.horizontalAdvance(CellToQString(row.caption)));
    const QFontMetrics valueMetrics(valueFont);
    const int valueWidth =
        valueMetrics.horizontalAdvance(QString(valueCharacters, QLatin1Char('0')));
    // Both texts sit at the top of their row, the one with the smaller ascent moved down so
    // that caption and value share one baseline.
    const int ascentGap = captionMetrics.ascent() - valueMetrics.ascent();

    std::array<QLabel*, 12> labels{};
    for (int g = 0; g < 3; ++g) {
        const StatisticsGroup& group = kStatisticsGroups[g];
        auto* box = new QGroupBox(CellToQString(group.caption), parent);
        box->setObjectName(QLatin1String(groupNames[g]));
        box->setFont(groupFont);
        auto* grid = new QGridLayout(box);
        grid->setVerticalSpacing(0);
        grid->setHorizontalSpacing(8);
        grid->setContentsMargins(8, 2, 4, 4);
        for (int r = 0; r < group.rowCount; ++r) {
            const StatisticsRow& row = kStatisticsRows[group.firstRow + r];
            const QString name = QStringLiteral("L%1").arg(row.label);
            auto* caption = new QLabel(CellToQString(row.caption), box);
            caption->setFont(captionFont);
            caption->setFixedSize(captionWidth, 16);
            caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            caption->setContentsMargins(0, std::max(0, -ascentGap), 0, 0);
            auto* value = new QLabel(name, box);
            value->setObjectName(name);
            value->setFont(valueFont);
            SetTextColour(value, kNavy);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            value->setFixedHeight(16);
            value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            value->setContentsMargins(0, std::max(0, ascentGap), 0, 0);
            value->setMinimumWidth(valueWidth);
            // A long figure widens its box (the page and the window then scroll or grow)
            // rather than being cut.
            value->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
            grid->addWidget(caption, r, 0);
            grid->addWidget(value, r, 1);
            labels[row.label - 1] = value;
        }
        grid->setColumnStretch(1, 1);
        layout->addWidget(box);
    }
    return labels;
}

} // namespace spritlog
