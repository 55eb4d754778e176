#include "statisticsgroups.h"

#include "texttablemodel.h"

#include "analysis/statistics.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>

#include <algorithm>

namespace spritlog {
namespace {

QFont PixelFont(const QString& family, int pixels, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

std::array<QLabel*, 12> BuildStatisticsGroups(QWidget* parent, QBoxLayout* layout,
                                              const char* firstGroupName) {
    const char* groupNames[3] = {firstGroupName, "g_durchschnitt", "g_rekorde"};
    const QFont groupFont = PixelFont(QStringLiteral("Arial"), 13, false, true);
    const QFont captionFont = PixelFont(QStringLiteral("Arial"), 13, true, false);
    const QFont valueFont = PixelFont(QStringLiteral("Courier New"), 13, true, false);

    // One caption width for all three boxes puts every value at the same left edge.
    const QFontMetrics captionMetrics(captionFont);
    int captionWidth = 0;
    for (const StatisticsRow& row : kStatisticsRows)
        captionWidth =
            std::max(captionWidth, captionMetrics.horizontalAdvance(CellToQString(row.caption)));

    std::array<QLabel*, 12> labels{};
    for (int g = 0; g < 3; ++g) {
        const StatisticsGroup& group = kStatisticsGroups[g];
        auto* box = new QGroupBox(CellToQString(group.caption), parent);
        box->setObjectName(QLatin1String(groupNames[g]));
        box->setFont(groupFont);
        auto* grid = new QGridLayout(box);
        grid->setVerticalSpacing(0);
        grid->setHorizontalSpacing(12);
        grid->setContentsMargins(8, 4, 8, 6);
        for (int r = 0; r < group.rowCount; ++r) {
            const StatisticsRow& row = kStatisticsRows[group.firstRow + r];
            auto* caption = new QLabel(CellToQString(row.caption), box);
            caption->setFont(captionFont);
            caption->setMinimumWidth(captionWidth);
            auto* value = new QLabel(QStringLiteral("L%1").arg(row.label), box);
            value->setObjectName(QStringLiteral("L%1").arg(row.label));
            value->setFont(valueFont);
            QPalette navy = value->palette();
            navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
            value->setPalette(navy);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            caption->setFixedHeight(16);
            value->setFixedHeight(16);
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
