#pragma once

#include "chartwidget/chartwidget.h"
#include "chartwidget/energylines.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class QCategoryAxis;
class QGraphicsItem;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace spritlog {

// The chart of the page "Grafik", drawn with Qt Charts: the values as a line with point
// markers, their average as a dashed line in a contrasting colour, the value axis over the
// series' range, the view's name as title, both series' names in the legend.
//
// A view's values reach the line series in one batch, so a view of 32768 points costs one
// update, not one per point. With more points than pixel columns the line series get only
// the points that shape the line (DrawnPoints: a few per column, thinned again when the
// widget changes its width); the tool tips, markers and labels keep to all points shown.
// The look (ChartLook) stays from view to view. Numbers are written with "." whatever the
// locale.
class QtChartWidget : public ChartWidget {
    Q_OBJECT

public:
    // Views with more points than this are drawn without markers.
    static constexpr int kMarkerLimit = 150;

    explicit QtChartWidget(QWidget* parent = nullptr);
    ~QtChartWidget() override;

    void showSeries(const ChartSeries& series) override;
    void setLook(const ChartLook& look);
    const ChartLook& look() const { return look_; }

    // Whether lines of more points than pixel columns get only the points that shape them
    // (the default, for the screen, where such lines are drawn without antialiasing) or all
    // points (pictures, drawn antialiased, where every segment adds to a pixel's colour).
    void setThinLines(bool thin);

    // What the chart shows.
    QChartView* view() const { return view_; }
    QChart* chart() const { return chart_; }
    QLineSeries* series(int serie) const { return series_[serie]; }
    QValueAxis* valueAxis() const { return valueAxis_; }
    // A view of several energies: their lines and the right value axis (null while none).
    const EnergyLines& energyLines() const { return *energyLines_; }
    QCategoryAxis* pointAxis() const { return pointAxis_; }
    // Whether the point markers are drawn, and where (in the chart's coordinates).
    bool markersVisible() const;
    QList<QPointF> markerPositions() const;
    // True while the chart shows no point (no view yet, or a view without points).
    bool isEmpty() const { return shownPoints_ == 0; }
    // The points of the view shown, and the value of point `point` of series `serie` (NaN
    // for no such point). The line series may hold fewer: only those that shape the line.
    int pointCount() const { return shownPoints_; }
    double pointValue(int serie, int point) const;
    // The text under point `point` on the point axis.
    QString pointLabel(int point) const;
    // The tool tip text for point `point` of series `serie`.
    QString pointToolTip(int serie, int point) const;

private:
    static constexpr int kSeries = 2;
    // Where the points lie across the view, in device pixels: point i at origin + i * step.
    struct PointGrid {
        double origin = 0;
        double step = 0; // 0: no grid, all points are drawn
    };

    // Lays the axes out for the values shown and hands them to the line series.
    void applyValues(double axisMinimum, double axisMaximum);
    // A view of several energies: a line per energy on the point axis, each value axis over
    // the range of its lines.
    void showLines(const ChartSeries& series);
    // Lays the point axis out for the points shown.
    void applyPointAxis();
    // Hands the shown values to the line series, thinned for the pixel columns they lie in.
    void fillLines();
    void rethinLines();
    PointGrid pointGrid() const;
    void showEmpty();
    void applyValueAxis(QValueAxis* axis, double minimum, double maximum);
    void layoutPointAxis();
    void applyLook();
    void applyLabelFormat();
    void setSeriesNames(const QString& values);
    void placeMarkers();
    QString formatValue(double value) const;

    QChartView* view_ = nullptr;
    QChart* chart_ = nullptr;
    std::array<QLineSeries*, kSeries> series_{};
    QValueAxis* valueAxis_ = nullptr;
    QCategoryAxis* pointAxis_ = nullptr;
    // The markers of series 0, drawn above the plot so that points on its edges stay whole
    // (the line series would cut them at the plot area).
    class MarkerLayer;
    MarkerLayer* markers_ = nullptr;
    std::unique_ptr<EnergyLines> energyLines_;

    // What is on screen: the values of every point, and the pixel grid the line series
    // were thinned for.
    int shownPoints_ = 0;
    std::array<std::vector<double>, kSeries> shownValues_;
    PointGrid drawnGrid_;
    bool linesPending_ = false;
    bool thinLines_ = true;
    // The texts under the points as the chart source holds them (Windows-1252); only those
    // the point axis shows are converted.
    std::vector<std::string> pointLabelCells_;
    int labelStep_ = 0; // points between two labels of the point axis; 0 when not laid out

    bool wholeNumbers_ = false; // kilometres: no decimals on the value axis
    ChartLook look_;
};

} // namespace spritlog
