#pragma once

#include <cstdint>
#include <string>

namespace spritlog {

// The chart component of the "Grafik" page, reduced to the members the program uses. The
// numbers are the component's member numbers. Members 64 to 100 have no names of their own
// in the component; the names here say what the program uses them for, and the number
// stays in the comment beside each.
//
// Texts are UTF-8. The program only passes the view names and "Durchschnitt", all ASCII.
// Point indices, series numbers and indices go over as 16-bit integers, so only points
// 0..32767 of a series can be addressed.
class ChartControl {
public:
    virtual ~ChartControl() = default;

    // 1: the series that the following point values (82) and series texts (93, 97) go to.
    virtual void setThisSerie(int16_t serie) = 0;
    // 15, 16, 19, 20, 38, 43, 44, 62: settings made once at start; how the component
    // draws them is its own business.
    virtual void setDecimals(int16_t decimals) = 0;
    virtual void setPointType(int16_t pointType) = 0;
    virtual void setGrid(int16_t grid) = 0;
    virtual void setWallWidth(int16_t width) = 0;
    virtual void setShowStatus(bool show) = 0;
    virtual void setChart3D(bool chart3D) = 0;
    virtual void setToolBar(bool show) = 0;
    virtual void setLegendWidth(int16_t width) = 0;
    // 39: the chart's title; reading it returns the text just written.
    virtual void setHText(const std::string& text) = 0;
    virtual std::string hText() const = 0;

    // 64: opens a transfer of `seriesCount` series of `pointCount` points each (kind 1 is
    // the only kind used). Comes before any text or value of a view. The result is not used.
    virtual int32_t openData(int16_t kind, int32_t seriesCount, int32_t pointCount) = 0;
    // 65: ends the transfer opened with the same kind, after all values and the axis range.
    // The result is not used.
    virtual bool closeData(int16_t kind) = 0;
    // 82: point `point` of the series chosen by ThisSerie := value.
    virtual void setPointValue(int16_t point, double value) = 0;
    // 88: [0] the value axis minimum, [1] its maximum; [3] := 1.0 (the scale) at start.
    virtual void setAxisValue(int16_t index, double value) = 0;
    // 91: [2] := the view name, a title text besides HText.
    virtual void setTitleText(int16_t index, const std::string& text) = 0;
    // 93: the text of series `serie` (the view name for 0, "Durchschnitt" for 1).
    virtual void setSeriesText(int16_t serie, const std::string& text) = 0;
    // 97: the legend entry of series `serie`, the same texts as 93.
    virtual void setSeriesLegend(int16_t serie, const std::string& text) = 0;
    // 100: a chart setting by index; [2] := 25 at start.
    virtual void setChartOption(int16_t index, int16_t value) = 0;

    // Redraws the control; the last call of the set-up and of every view.
    virtual void refresh() = 0;
};

} // namespace spritlog
