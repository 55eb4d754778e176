#include "chartwidget/qtchartwidget.h"

#include "charts/chartviews.h"
#include "charts/drawnpoints.h"
#include "platform/celltext.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFontMetrics>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace spritlog {
namespace {

// Point indices are 16-bit: no series holds more points than this.
constexpr int kMaxPoints = 32768;

const QColor kValueColour(31, 111, 180);  // a calm blue for the values
const QColor kAverageColour(228, 87, 46); // orange-red, set off from the blue
const QColor kGridColour(220, 224, 230);
const QColor kWallFrameColour(150, 158, 170);
// Up to this many points the lines are drawn antialiased.
constexpr int kSmoothLineLimit = 2000;

// 1, 2 or 5 times a power of ten, at least `raw`.
double NiceStep(double raw) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    const double nice = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    return nice * magnitude;
}

// The value axis runs over the series' range. Where that is none (not finite, equal, or the
// wrong way round), it spans the values instead.
void ResolveRange(double& minimum, double& maximum, double dataMinimum, double dataMaximum) {
    const bool given = std::isfinite(minimum) && std::isfinite(maximum);
    if (!given || minimum > maximum) {
        minimum = dataMinimum;
        maximum = dataMaximum;
    } else if (minimum == maximum) {
        minimum = std::min(minimum, dataMinimum);
        maximum = std::max(maximum, dataMaximum);
    }
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
        minimum = 0;
        maximum = 1;
    }
    if (minimum == maximum) {
        // A flat line: zero at the bottom of 0..1, anything else in a band of 10 % around it.
        const double margin = std::abs(minimum) * 0.1;
        if (minimum == 0) {
            maximum = 1;
        } else {
            minimum -= margin;
            maximum += margin;
        }
    }
}

int NicePointStep(int raw) {
    for (int magnitude = 1;; magnitude *= 10)
        for (int factor : {1, 2, 5})
            if (factor * magnitude >= raw)
                return factor * magnitude;
}

} // namespace

class QtChartWidget::MarkerLayer : public QGraphicsItem {
public:
    explicit MarkerLayer(QGraphicsItem* parent) : QGraphicsItem(parent) {
        setAcceptedMouseButtons(Qt::NoButton); // hovering and clicks reach the lines
        setAcceptHoverEvents(false);
        setZValue(1000);
    }

    void setPositions(QList<QPointF> positions, const QColor& colour) {
        prepareGeometryChange();
        positions_ = std::move(positions);
        colour_ = colour;
        bounds_ = QRectF();
        for (const QPointF& p : positions_)
            bounds_ |= QRectF(p.x() - kRadius, p.y() - kRadius, 2 * kRadius, 2 * kRadius);
        update();
    }
    const QList<QPointF>& positions() const { return positions_; }

    QRectF boundingRect() const override { return bounds_.adjusted(-1, -1, 1, 1); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(Qt::white, 1));
        painter->setBrush(colour_);
        for (const QPointF& p : positions_)
            painter->drawEllipse(p, kRadius, kRadius);
    }

private:
    static constexpr double kRadius = 3.5;
    QList<QPointF> positions_;
    QColor colour_;
    QRectF bounds_;
};

QtChartWidget::QtChartWidget(QWidget* parent) : ChartWidget(parent) {
    chart_ = new QChart;
    // Axis labels keep "." whatever the user's locale says.
    chart_->setLocalizeNumbers(false);
    chart_->setLocale(QLocale::c());
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundRoundness(0);
    chart_->setMargins(QMargins(6, 4, 14, 2));
    chart_->layout()->setContentsMargins(0, 0, 0, 0);

    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSize(std::max(titleFont.pointSize(), 8) + 2);
    chart_->setTitleFont(titleFont);

    valueAxis_ = new QValueAxis(chart_);
    pointAxis_ = new QCategoryAxis(chart_);
    pointAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(valueAxis_), static_cast<QAbstractAxis*>(pointAxis_)}) {
        axis->setLabelsFont(font());
        axis->setGridLineColor(kGridColour);
        axis->setLinePenColor(kWallFrameColour);
    }
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    chart_->addAxis(pointAxis_, Qt::AlignBottom);

    for (int serie = 0; serie < kSeries; ++serie) {
        auto* line = new QLineSeries(chart_);
        chart_->addSeries(line);
        line->attachAxis(pointAxis_);
        line->attachAxis(valueAxis_);
        connect(line, &QXYSeries::hovered, this, [this, serie](const QPointF& at, bool entered) {
            if (!entered || !look_.showStatus) {
                QToolTip::hideText();
                return;
            }
            const int point = static_cast<int>(std::lround(at.x())) - 1;
            QToolTip::showText(QCursor::pos(), pointToolTip(serie, point), view_);
        });
        series_[serie] = line;
    }
    QPen valuePen(kValueColour, 2);
    valuePen.setCapStyle(Qt::RoundCap);
    valuePen.setJoinStyle(Qt::RoundJoin);
    series_[0]->setPen(valuePen);
    series_[0]->setColor(kValueColour);
    markers_ = new MarkerLayer(chart_);
    QPen averagePen(kAverageColour, 2, Qt::DashLine);
    series_[1]->setPen(averagePen);
    series_[1]->setColor(kAverageColour);

    energyLines_ = std::make_unique<EnergyLines>(
        chart_, pointAxis_, valueAxis_, [this](const QString& name, int position, double value) {
            if (position < 0 || !look_.showStatus) {
                QToolTip::hideText();
                return;
            }
            QToolTip::showText(
                QCursor::pos(),
                QStringLiteral("%1\n%2: %3").arg(name, pointLabel(position), formatValue(value)),
                view_);
        });

    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart_->legend()->setFont(font());

    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("p_chartView"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    // The point axis shows as many labels as fit, and the markers follow the points; both
    // change with the plot's size.
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        layoutPointAxis();
        placeMarkers();
        rethinLines();
    });

    applyLook();
    showEmpty();
}

QtChartWidget::~QtChartWidget() = default;

void QtChartWidget::setLook(const ChartLook& look) {
    look_ = look;
    look_.decimals = std::clamp(look_.decimals, 0, 10);
    look_.wallWidth = std::clamp(look_.wallWidth, 0, 8);
    applyLook();
}

void QtChartWidget::showSeries(const ChartSeries& series) {
    const int n = static_cast<int>(std::min<std::size_t>(series.points.size(), kMaxPoints));
    chart_->setTitle(QString::fromStdString(series.name));
    setSeriesNames(QString::fromStdString(series.name));
    wholeNumbers_ = series.wholeNumbers;
    if (!series.lines.empty()) {
        const std::size_t labels = std::min<std::size_t>(series.labels.size(), kMaxPoints);
        pointLabelCells_.assign(series.labels.begin(), series.labels.begin() + labels);
        showLines(series);
        view_->viewport()->update();
        return;
    }
    if (energyLines_->isShown()) {
        energyLines_->clear();
        for (QLineSeries* line : series_)
            line->setVisible(true);
    }
    const std::size_t labels = std::min(series.labels.size(), static_cast<std::size_t>(n));
    pointLabelCells_.assign(series.labels.begin(), series.labels.begin() + labels);
    if (n == 0) {
        showEmpty(); // a view without points leaves nothing of the one before
        applyLabelFormat();
    } else {
        shownValues_[0].assign(series.points.begin(), series.points.begin() + n);
        shownValues_[1].assign(static_cast<std::size_t>(n), series.average);
        shownPoints_ = n;
        applyValues(series.axisMinimum, series.axisMaximum);
    }
    view_->viewport()->update();
}

QString QtChartWidget::pointLabel(int point) const {
    QString label;
    if (point >= 0 && point < static_cast<int>(pointLabelCells_.size()))
        label = CellToQString(pointLabelCells_[point]).trimmed();
    return label.isEmpty() ? QString::number(point + 1) : label;
}

double QtChartWidget::pointValue(int serie, int point) const {
    if (serie < 0 || serie >= kSeries || point < 0 ||
        point >= static_cast<int>(shownValues_[serie].size()))
        return std::numeric_limits<double>::quiet_NaN();
    return shownValues_[serie][point];
}

QString QtChartWidget::pointToolTip(int serie, int point) const {
    if (serie < 0 || serie >= kSeries || point < 0 ||
        point >= static_cast<int>(shownValues_[serie].size()))
        return QString();
    return QStringLiteral("%1\n%2: %3")
        .arg(series_[serie]->name(), pointLabel(point), formatValue(shownValues_[serie][point]));
}

QString QtChartWidget::formatValue(double value) const {
    // QString::number writes "." in every locale.
    return QString::number(value, 'f', look_.decimals);
}

void QtChartWidget::showEmpty() {
    for (QLineSeries* line : series_)
        if (line->count() > 0)
            line->clear();
    shownPoints_ = 0;
    for (std::vector<double>& values : shownValues_)
        values.clear();
    drawnGrid_ = {};
    valueAxis_->setTickType(QValueAxis::TicksFixed);
    valueAxis_->setRange(0, 1);
    valueAxis_->setLabelsVisible(false);
    pointAxis_->setRange(0, 1);
    layoutPointAxis();
    placeMarkers();
}

void QtChartWidget::applyValues(double axisMinimum, double axisMaximum) {
    const int n = shownPoints_;
    double dataMinimum = std::numeric_limits<double>::infinity();
    double dataMaximum = -dataMinimum;
    for (const std::vector<double>& values : shownValues_) {
        for (double value : values) {
            dataMinimum = std::min(dataMinimum, value);
            dataMaximum = std::max(dataMaximum, value);
        }
    }
    linesPending_ = true; // filled below, once the plot has its place
    // Smooth edges cost a filled outline per segment; with thousands of points (a line per
    // pixel column anyway) they would make every view switch take a second or more.
    view_->setRenderHint(QPainter::Antialiasing, n <= kSmoothLineLimit);
    // Round joins and caps are arcs the stroker works out at every corner of thousands;
    // on a line without smooth edges bevelled ones colour the same pixels but a few.
    QPen valuePen = series_[0]->pen();
    const bool smooth = n <= kSmoothLineLimit;
    valuePen.setCapStyle(smooth ? Qt::RoundCap : Qt::FlatCap);
    valuePen.setJoinStyle(smooth ? Qt::RoundJoin : Qt::BevelJoin);
    series_[0]->setPen(valuePen);

    double minimum = axisMinimum;
    double maximum = axisMaximum;
    ResolveRange(minimum, maximum, dataMinimum, dataMaximum);
    applyValueAxis(valueAxis_, minimum, maximum);
    applyPointAxis();
    // The plot's place decides which points shape the line: lay the chart out now, so the
    // lines are filled once and not again when the layout request comes.
    chart_->layout()->activate();
    linesPending_ = false;
    fillLines();
    placeMarkers();
}

QtChartWidget::PointGrid QtChartWidget::pointGrid() const {
    const int n = shownPoints_;
    const double ratio = devicePixelRatioF();
    if (n < 2 || !thinLines_)
        return {};
    if (chart_->plotArea().width() > 0) {
        // A line two pixels wide covers the two pixel columns beside the nearest column
        // edge: points are grouped by that edge, so each group colours the same columns.
        const double first = chart_->mapToPosition(QPointF(1, 0), series_[0]).x();
        const double last = chart_->mapToPosition(QPointF(n, 0), series_[0]).x();
        return {first * ratio + 0.5, (last - first) / (n - 1) * ratio};
    }
    // Not laid out yet: about as wide as the widget.
    return {0, width() * ratio / (n - 1)};
}

void QtChartWidget::fillLines() {
    // One list per series, handed over in one piece, with the points that shape the line.
    drawnGrid_ = pointGrid();
    for (int serie = 0; serie < kSeries; ++serie) {
        const std::vector<double>& values = shownValues_[serie];
        const std::vector<int32_t> drawn = DrawnPoints(values, drawnGrid_.origin, drawnGrid_.step);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(drawn.size()));
        for (int32_t i : drawn)
            points.append(QPointF(static_cast<double>(i + 1), values[i]));
        series_[serie]->replace(points);
    }
}

void QtChartWidget::setThinLines(bool thin) {
    thinLines_ = thin;
    rethinLines();
}

void QtChartWidget::rethinLines() {
    if (shownPoints_ == 0 || linesPending_)
        return;
    // Thinned lines are thinned anew when the points move to other pixel columns; lines
    // with all points stay as they are.
    const PointGrid grid = pointGrid();
    const auto thinned = [](const PointGrid& g) {
        return g.step > 0 && g.step * kDrawnPointsPerColumn < 1.0;
    };
    if ((grid.origin != drawnGrid_.origin || grid.step != drawnGrid_.step) &&
        (thinned(grid) || thinned(drawnGrid_)))
        fillLines();
}

void QtChartWidget::applyValueAxis(QValueAxis* axis, double minimum, double maximum) {
    // The ticks of the view before would be too many for a wider range.
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(minimum, maximum);
    applyLabelFormat();
    axis->setLabelsVisible(true);

    // Ticks at round numbers, about five over the range, while the axis keeps its bounds.
    const double range = maximum - minimum;
    if (!std::isfinite(range) || range <= 0) {
        axis->setTickType(QValueAxis::TicksFixed);
        axis->setTickCount(5);
        return;
    }
    const double step = NiceStep(range / 5);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(std::floor(minimum / step) * step);
    axis->setTickInterval(step);
}

void QtChartWidget::applyPointAxis() {
    // Half a point of air at both ends while the points stand apart.
    const int n = shownPoints_;
    const double pad = n <= kMarkerLimit ? 0.5 : 0.0;
    pointAxis_->setRange(1 - pad, n + pad);
    labelStep_ = 0;
    layoutPointAxis();
}

void QtChartWidget::showLines(const ChartSeries& series) {
    // The two series of a one-energy view stay empty and out of the legend.
    for (QLineSeries* line : series_) {
        if (line->count() > 0)
            line->clear();
        line->setVisible(false);
    }
    for (std::vector<double>& values : shownValues_)
        values.clear();
    drawnGrid_ = {};
    shownPoints_ = static_cast<int>(std::min<std::size_t>(series.labels.size(), kMaxPoints));
    const int n = shownPoints_;
    view_->setRenderHint(QPainter::Antialiasing, n <= kSmoothLineLimit);
    energyLines_->show(series, look_.pointType == 0 && n <= kMarkerLimit, n <= kSmoothLineLimit);
    if (n == 0) {
        // No energy has a point: the legend names them over an empty plot.
        showEmpty();
        if (QValueAxis* right = energyLines_->rightAxis()) {
            right->setRange(0, 1);
            right->setLabelsVisible(false);
        }
        return;
    }

    // Each value axis over the lines it carries: their ranges, their values and averages.
    for (int axis = 0; axis < 2; ++axis) {
        double minimum = std::numeric_limits<double>::infinity();
        double maximum = -minimum;
        double dataMinimum = minimum;
        double dataMaximum = maximum;
        bool any = false;
        for (const ChartLine& line : series.lines) {
            if (line.valueAxis != axis || line.pointCount == 0)
                continue;
            any = true;
            minimum = std::min(minimum, line.axisMinimum);
            maximum = std::max(maximum, line.axisMaximum);
            for (double value : line.points) {
                dataMinimum = std::min(dataMinimum, value);
                dataMaximum = std::max(dataMaximum, value);
            }
            dataMinimum = std::min(dataMinimum, line.average);
            dataMaximum = std::max(dataMaximum, line.average);
        }
        QValueAxis* target = axis == 0 ? valueAxis_ : energyLines_->rightAxis();
        if (!target)
            continue;
        if (!any) {
            minimum = 0;
            maximum = 1;
        }
        ResolveRange(minimum, maximum, dataMinimum, dataMaximum);
        // Some air above and below, so that the markers on the edges stay whole; an axis
        // that starts at zero keeps it.
        const double air = (maximum - minimum) * 0.04;
        maximum += air;
        if (minimum != 0)
            minimum = minimum > 0 ? std::max(0.0, minimum - air) : minimum - air;
        applyValueAxis(target, minimum, maximum);
    }
    applyPointAxis();
    placeMarkers();
}

void QtChartWidget::layoutPointAxis() {
    const int n = shownPoints_;
    const double areaWidth =
        chart_->plotArea().width() > 0 ? chart_->plotArea().width() : std::max(width() - 80, 100);
    // Wide enough for the longest label text with some air between neighbours.
    const QFontMetrics metrics(pointAxis_->labelsFont());
    int labelWidth = metrics.horizontalAdvance(QStringLiteral("00.00.0000"));
    if (n > 0)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(pointLabel(n - 1)));
    // Room on the right for half a label under the last point.
    const QMargins margins(6, 4, std::max(14, labelWidth / 2 + 4), 2);
    if (chart_->margins() != margins)
        chart_->setMargins(margins);
    const int fitting = std::max(1, static_cast<int>(areaWidth / (labelWidth + 14)));
    const int step = n > 0 ? NicePointStep((n + fitting - 1) / fitting) : 0;
    if (step == labelStep_ && step != 0)
        return;
    labelStep_ = step;

    for (const QString& label : pointAxis_->categoriesLabels())
        pointAxis_->remove(label);
    pointAxis_->setStartValue(pointAxis_->min());
    pointAxis_->setLabelsVisible(n > 0);
    if (n <= 0)
        return;
    // Labels at points 1, 1 + step, ...; the same text twice (two refuellings on one
    // day) is shown once.
    QStringList used;
    for (int point = 0; point < n; point += step) {
        const QString label = pointLabel(point);
        if (used.contains(label))
            continue;
        used << label;
        pointAxis_->append(label, point + 1);
    }
}

void QtChartWidget::applyLook() {
    valueAxis_->setGridLineVisible(look_.grid & 1);
    pointAxis_->setGridLineVisible(look_.grid & 2);
    applyLabelFormat();

    chart_->setPlotAreaBackgroundVisible(look_.chart3D || look_.wallWidth > 0);
    if (look_.chart3D) {
        // A wall lit from above, as a plain stand-in for the 3-D look.
        QLinearGradient wall(0, 0, 0, 1);
        wall.setCoordinateMode(QGradient::ObjectMode);
        wall.setColorAt(0, QColor(255, 255, 255));
        wall.setColorAt(1, QColor(236, 241, 247));
        chart_->setPlotAreaBackgroundBrush(wall);
    } else {
        chart_->setPlotAreaBackgroundBrush(Qt::white);
    }
    chart_->setPlotAreaBackgroundPen(look_.wallWidth > 0 ? QPen(kWallFrameColour, look_.wallWidth)
                                                         : QPen(Qt::NoPen));
    chart_->legend()->setVisible(look_.legendWidth > 0);
    placeMarkers();
}

bool QtChartWidget::markersVisible() const {
    return look_.pointType == 0 && shownPoints_ > 0 && shownPoints_ <= kMarkerLimit;
}

QList<QPointF> QtChartWidget::markerPositions() const {
    return markers_->positions();
}

void QtChartWidget::placeMarkers() {
    QList<QPointF> positions;
    if (markersVisible()) {
        const QRectF plot = chart_->plotArea();
        const std::vector<double>& values = shownValues_[0];
        positions.reserve(static_cast<qsizetype>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            const QPointF point(static_cast<double>(i + 1), values[i]);
            const QPointF at = chart_->mapToPosition(point, series_[0]);
            // Points outside the axis range (a range given narrower than the values) stay
            // hidden like their line.
            if (plot.adjusted(-0.5, -0.5, 0.5, 0.5).contains(at))
                positions << at;
        }
    }
    markers_->setPositions(std::move(positions), kValueColour);
}

void QtChartWidget::applyLabelFormat() {
    for (QValueAxis* axis : {valueAxis_, energyLines_ ? energyLines_->rightAxis() : nullptr}) {
        if (!axis)
            continue;
        const double largest = std::max(std::abs(axis->min()), std::abs(axis->max()));
        // Beyond ten digits fixed point would push the plot off the widget.
        const QChar style = largest >= 1e10 ? QLatin1Char('e') : QLatin1Char('f');
        axis->setLabelFormat(
            QStringLiteral("%.%1%2").arg(wholeNumbers_ ? 0 : look_.decimals).arg(style));
    }
}

void QtChartWidget::setSeriesNames(const QString& values) {
    const QString names[kSeries] = {values, QString::fromLatin1(kAverageSeriesName)};
    for (int serie = 0; serie < kSeries; ++serie)
        if (series_[serie]->name() != names[serie])
            series_[serie]->setName(names[serie]);
}

} // namespace spritlog
