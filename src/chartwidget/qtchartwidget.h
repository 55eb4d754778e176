#pragma once

#include "chartwidget/chartwidget.h"

#include <QStringList>

#include <array>
#include <string>
#include <vector>

class QCategoryAxis;
class QGraphicsItem;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace spritlog {

// The chart of the page "Grafik", drawn with Qt Charts: series 0 as a line with point
// markers, series 1 (the average) as a dashed line in a contrasting colour, the value axis
// bounded by 88[0] and 88[1], the title HText, the series texts in the legend.
//
// The values of a transfer (64 ... 65) are collected and handed to the line series in one
// batch when the transfer closes, so a view of 32768 points costs one update, not one per
// point. With more points than pixel columns the line series get only the points that
// shape the line (DrawnPoints: a few per column, thinned again when the widget changes
// its width); the tool tips, markers and labels keep to all points of the transfer.
// Opening a transfer empties the chart: a view that fails before its transfer closes
// leaves an empty chart under its own title, never the previous view's lines.
//
// What the start settings do here:
//   ShowStatus  true: hovering a point shows its series, point and value as a tool tip.
//   Chart3D     true: the plot area is drawn as a shaded wall with a frame; false: plain.
//   WallWidth   the width of that frame in pixels (0..8).
//   Grid        bit 1 horizontal grid lines (value axis), bit 2 vertical ones (points).
//   PointType   0: a round marker on every point of series 0 (up to kMarkerLimit points;
//               more would merge into a thick line); any other value: no markers.
//   Decimals    the decimals of the value axis labels and of the tool tip (0..10).
//   LegendWidth above 0 shows the legend under the plot; 0 hides it.
//   ToolBar     no tool bar of its own: the window's tool bar and menus serve.
//   88[3] (the scale factor 1.0), 100[2] and 91[2] (the view name again, which the
//               title already shows) change nothing.
// Numbers are written with "." whatever the locale.
class QtChartWidget : public ChartWidget {
    Q_OBJECT

public:
    // Views with more points than this are drawn without markers.
    static constexpr int kMarkerLimit = 150;

    explicit QtChartWidget(QWidget* parent = nullptr);
    ~QtChartWidget() override;

    void setThisSerie(int16_t serie) override;
    void setDecimals(int16_t decimals) override;
    void setPointType(int16_t pointType) override;
    void setGrid(int16_t grid) override;
    void setWallWidth(int16_t width) override;
    void setShowStatus(bool show) override;
    void setChart3D(bool chart3D) override;
    void setToolBar(bool show) override;
    void setLegendWidth(int16_t width) override;
    void setHText(const std::string& text) override;
    std::string hText() const override;
    int32_t openData(int16_t kind, int32_t seriesCount, int32_t pointCount) override;
    bool closeData(int16_t kind) override;
    void setPointValue(int16_t point, double value) override;
    void setAxisValue(int16_t index, double value) override;
    void setTitleText(int16_t index, const std::string& text) override;
    void setSeriesText(int16_t serie, const std::string& text) override;
    void setSeriesLegend(int16_t serie, const std::string& text) override;
    void setChartOption(int16_t index, int16_t value) override;
    void refresh() override;

    void setPointLabels(const QStringList& labels) override;
    void setPointLabelCells(std::vector<std::string> cells) override;
    void setWholeNumbers(bool whole) override;

    // Whether lines of more points than pixel columns get only the points that shape them
    // (the default, for the screen, where such lines are drawn without antialiasing) or all
    // points (pictures, drawn antialiased, where every segment adds to a pixel's colour).
    void setThinLines(bool thin);

    // What the chart shows.
    QChartView* view() const { return view_; }
    QChart* chart() const { return chart_; }
    QLineSeries* series(int serie) const { return series_[serie]; }
    QValueAxis* valueAxis() const { return valueAxis_; }
    QCategoryAxis* pointAxis() const { return pointAxis_; }
    // Whether the point markers are drawn, and where (in the chart's coordinates).
    bool markersVisible() const;
    QList<QPointF> markerPositions() const;
    // True while the chart shows no point (no view yet, N <= 0, or an unfinished transfer).
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

    void applyData();
    // Hands the shown values to the line series, thinned for the pixel columns they lie in.
    void fillLines();
    void rethinLines();
    PointGrid pointGrid() const;
    void showEmpty();
    void applyValueAxis(double minimum, double maximum);
    void layoutPointAxis();
    void applyLook();
    void applyLabelFormat();
    void applySeriesNames();
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

    // The transfer being filled, or the last one when it closed.
    bool transferOpen_ = false;
    bool dirty_ = false;
    int16_t thisSerie_ = 0;
    int pointCount_ = 0;
    std::array<std::vector<double>, kSeries> values_;
    double axisMinimum_;
    double axisMaximum_;

    // What is on screen: the values of every point, and the pixel grid the line series
    // were thinned for.
    int shownPoints_ = 0;
    std::array<std::vector<double>, kSeries> shownValues_;
    PointGrid drawnGrid_;
    bool linesPending_ = false;
    bool thinLines_ = true;
    // The texts under the points: as given, or as chart source cells converted when shown.
    QStringList pointLabels_;
    std::vector<std::string> pointLabelCells_;
    int labelStep_ = 0; // points between two labels of the point axis; 0 when not laid out

    std::string hText_;
    std::array<std::string, kSeries> seriesTexts_;
    std::array<std::string, kSeries> seriesLegends_;

    int decimals_ = 2;
    bool wholeNumbers_ = false; // kilometres: no decimals on the value axis
    int pointType_ = 0;
    int grid_ = 3;
    int wallWidth_ = 2;
    bool showStatus_ = true;
    bool chart3D_ = true;
    int legendWidth_ = 250;
};

} // namespace spritlog
