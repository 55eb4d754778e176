#include "chartwidget/energylines.h"

#include "platform/celltext.h"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace spritlog {
namespace {

constexpr double kMarkerSize = 5;

} // namespace

EnergyLines::EnergyLines(QChart* chart, QAbstractAxis* pointAxis, QValueAxis* leftAxis,
                         ToolTip toolTip)
    : chart_(chart), pointAxis_(pointAxis), leftAxis_(leftAxis), toolTip_(std::move(toolTip)) {}

EnergyLines::~EnergyLines() = default; // the chart owns its series and axes

QColor EnergyLines::colourOf(Energy energy) {
    switch (energy) {
    case Energy::Kilogram:
        return QColor(46, 139, 87); // green, as gas pumps often are
    case Energy::KilowattHour:
        return QColor(214, 120, 0); // amber
    case Energy::Litre:
        break;
    }
    return QColor(31, 111, 180); // the blue of the one-energy views
}

QValueAxis* EnergyLines::axisFor(int valueAxis) {
    if (valueAxis == 0)
        return leftAxis_;
    if (!rightAxis_) {
        rightAxis_ = new QValueAxis(chart_);
        rightAxis_->setLabelsFont(leftAxis_->labelsFont());
        rightAxis_->setGridLineVisible(false); // the left axis's grid serves both
        rightAxis_->setLinePenColor(leftAxis_->linePenColor());
        chart_->addAxis(rightAxis_, Qt::AlignRight);
    }
    return rightAxis_;
}

void EnergyLines::show(const ChartSeries& series, bool markers, bool smooth) {
    clear();
    for (const ChartLine& data : series.lines) {
        const QColor colour = colourOf(data.energy);
        QValueAxis* axis = axisFor(data.valueAxis);
        Line line;
        line.positions = data.positions;
        line.points = data.points;

        line.values = new QLineSeries(chart_);
        line.values->setName(CellToQString(data.name));
        QPen pen(colour, 2);
        pen.setCapStyle(smooth ? Qt::RoundCap : Qt::FlatCap);
        pen.setJoinStyle(smooth ? Qt::RoundJoin : Qt::BevelJoin);
        line.values->setPen(pen);
        line.values->setColor(colour);
        line.values->setPointsVisible(markers);
        line.values->setMarkerSize(kMarkerSize);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(data.points.size()));
        for (std::size_t i = 0; i < data.points.size(); ++i)
            points.append(QPointF(data.positions[i] + 1.0, data.points[i]));
        line.values->replace(points);

        line.average = new QLineSeries(chart_);
        line.average->setName(CellToQString(data.averageName));
        line.average->setPen(QPen(colour.lighter(115), 2, Qt::DashLine));
        if (!data.points.empty()) {
            // Across the whole point axis, as the average of a one-energy view.
            const double width = static_cast<double>(series.labels.size());
            line.average->replace({QPointF(1, data.average), QPointF(width, data.average)});
        }

        for (QLineSeries* s : {line.values, line.average}) {
            chart_->addSeries(s);
            s->attachAxis(pointAxis_);
            s->attachAxis(axis);
        }
        const std::size_t index = lines_.size();
        QObject::connect(
            line.values, &QXYSeries::hovered, line.values,
            [this, index](const QPointF& at, bool entered) { hovered(index, at, entered); });
        lines_.push_back(std::move(line));
    }
    if (rightAxis_) {
        // In its line's colour while it carries one energy; plain when it carries several.
        QColor titleColour = leftAxis_->labelsBrush().color();
        int onRight = 0;
        for (const ChartLine& data : series.lines)
            if (data.valueAxis == 1 && ++onRight == 1)
                titleColour = colourOf(data.energy);
        if (onRight > 1)
            titleColour = leftAxis_->labelsBrush().color();
        rightAxis_->setTitleText(CellToQString(series.axisTitles[1]));
        rightAxis_->setTitleBrush(titleColour);
    }
    leftAxis_->setTitleText(CellToQString(series.axisTitles[0]));
    if (!series.lines.empty())
        leftAxis_->setTitleBrush(colourOf(series.lines.front().energy));
}

void EnergyLines::hovered(std::size_t index, const QPointF& at, bool entered) const {
    const Line& line = lines_[index];
    if (!entered || line.positions.empty()) {
        toolTip_(QString(), -1, 0);
        return;
    }
    // The point of this line nearest to where the pointer is.
    const auto position = static_cast<int32_t>(std::lround(at.x())) - 1;
    auto it = std::lower_bound(line.positions.begin(), line.positions.end(), position);
    if (it == line.positions.end() ||
        (it != line.positions.begin() && position - *(it - 1) <= *it - position))
        --it;
    const auto i = static_cast<std::size_t>(it - line.positions.begin());
    toolTip_(line.values->name(), *it, line.points[i]);
}

void EnergyLines::clear() {
    for (Line& line : lines_) {
        for (QLineSeries* s : {line.values, line.average}) {
            chart_->removeSeries(s);
            delete s;
        }
    }
    lines_.clear();
    if (rightAxis_) {
        chart_->removeAxis(rightAxis_);
        delete rightAxis_;
        rightAxis_ = nullptr;
    }
    if (!leftAxis_->titleText().isEmpty())
        leftAxis_->setTitleText(QString());
}

QLineSeries* EnergyLines::valueSeries(int line) const {
    return line >= 0 && line < lineCount() ? lines_[line].values : nullptr;
}

QLineSeries* EnergyLines::averageSeries(int line) const {
    return line >= 0 && line < lineCount() ? lines_[line].average : nullptr;
}

} // namespace spritlog
