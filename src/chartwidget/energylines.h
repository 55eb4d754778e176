#pragma once

#include "charts/chartseries.h"

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

class QAbstractAxis;
class QPointF;
class QChart;
class QLineSeries;
class QValueAxis;

namespace spritlog {

// The lines of a view of several energies on a chart: per energy its values as a line in the
// energy's colour and its average as a dashed line of the same colour, on the left value
// axis or on a right one that exists only while a line needs it.
class EnergyLines {
public:
    // Tells the tool tip for a point: the line's name, the point's position and its value.
    using ToolTip = std::function<void(const QString& name, int position, double value)>;

    EnergyLines(QChart* chart, QAbstractAxis* pointAxis, QValueAxis* leftAxis, ToolTip toolTip);
    ~EnergyLines();
    EnergyLines(const EnergyLines&) = delete;
    EnergyLines& operator=(const EnergyLines&) = delete;

    // Shows the lines of `series` in place of those before; `markers` draws a marker on each
    // point, `smooth` the lines with round joins.
    void show(const ChartSeries& series, bool markers, bool smooth);
    // Takes every line and the right value axis off the chart.
    void clear();
    bool isShown() const { return !lines_.empty(); }

    // The right value axis while a line uses it, else null.
    QValueAxis* rightAxis() const { return rightAxis_; }
    // The value and average series of line `line`, in the order of ChartSeries::lines.
    QLineSeries* valueSeries(int line) const;
    QLineSeries* averageSeries(int line) const;
    int lineCount() const { return static_cast<int>(lines_.size()); }

    // The colour an energy's lines are drawn in.
    static QColor colourOf(Energy energy);

private:
    struct Line {
        QLineSeries* values = nullptr;
        QLineSeries* average = nullptr;
        std::vector<int32_t> positions;
        std::vector<double> points;
    };
    QValueAxis* axisFor(int valueAxis);
    // The pointer over line `index` at `at` (chart values): the tool tip of its nearest point.
    void hovered(std::size_t index, const QPointF& at, bool entered) const;

    QChart* chart_;
    QAbstractAxis* pointAxis_;
    QValueAxis* leftAxis_;
    QValueAxis* rightAxis_ = nullptr;
    ToolTip toolTip_;
    std::vector<Line> lines_;
};

} // namespace spritlog
