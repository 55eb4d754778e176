#pragma once

#include "charts/chartcontrol.h"

#include <map>
#include <string>
#include <vector>

namespace spritlog {

// A chart control that draws nothing: it writes every call, in order, as a readable line
// ("HText=KM-Stand", "HText?" for a read, "64(1,2,3)", "82[0]=10000", "Refresh") and keeps
// the state a real chart would hold. Numbers are written in their shortest exact form.
class RecordingChart : public ChartControl {
public:
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
    // Throws std::out_of_range for a negative point index.
    void setPointValue(int16_t point, double value) override;
    void setAxisValue(int16_t index, double value) override;
    void setTitleText(int16_t index, const std::string& text) override;
    void setSeriesText(int16_t serie, const std::string& text) override;
    void setSeriesLegend(int16_t serie, const std::string& text) override;
    void setChartOption(int16_t index, int16_t value) override;
    void refresh() override;

    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

    // State.
    int16_t thisSerie() const { return thisSerie_; }
    int16_t decimals() const { return decimals_; }
    int16_t pointType() const { return pointType_; }
    int16_t grid() const { return grid_; }
    int16_t wallWidth() const { return wallWidth_; }
    bool showStatus() const { return showStatus_; }
    bool chart3D() const { return chart3D_; }
    bool toolBar() const { return toolBar_; }
    int16_t legendWidth() const { return legendWidth_; }
    // The point count of the last transfer (as passed; may be 0 or negative).
    int32_t pointCount() const { return pointCount_; }
    int32_t seriesCount() const { return seriesCount_; }
    bool transferOpen() const { return transferOpen_; }
    int refreshCount() const { return refreshCount_; }
    // The values of a series since the last transfer was opened; points not written are 0.
    std::vector<double> seriesValues(int16_t serie) const;
    // Indexed values (88, 91, 93, 97, 100); 0 / empty text when never written.
    double axisValue(int16_t index) const;
    std::string titleText(int16_t index) const;
    std::string seriesText(int16_t serie) const;
    std::string seriesLegend(int16_t serie) const;
    int16_t chartOption(int16_t index) const;

private:
    void record(std::string call) const { calls_.push_back(std::move(call)); }

    mutable std::vector<std::string> calls_;
    int16_t thisSerie_ = 0;
    int16_t decimals_ = 0;
    int16_t pointType_ = 0;
    int16_t grid_ = 0;
    int16_t wallWidth_ = 0;
    bool showStatus_ = false;
    bool chart3D_ = false;
    bool toolBar_ = false;
    int16_t legendWidth_ = 0;
    std::string hText_;
    int32_t seriesCount_ = 0;
    int32_t pointCount_ = 0;
    bool transferOpen_ = false;
    int refreshCount_ = 0;
    std::map<int16_t, std::vector<double>> values_;
    std::map<int16_t, double> axisValues_;
    std::map<int16_t, std::string> titleTexts_;
    std::map<int16_t, std::string> seriesTexts_;
    std::map<int16_t, std::string> seriesLegends_;
    std::map<int16_t, int16_t> chartOptions_;
};

// The shortest text that reads back to `value` ("10000", "7.5", "2147483647", "-0").
std::string ChartNumberText(double value);

} // namespace spritlog
