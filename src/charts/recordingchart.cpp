#include "charts/recordingchart.h"

#include <charconv>
#include <stdexcept>

namespace spritlog {

std::string ChartNumberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

std::string Flag(bool value) {
    return value ? "true" : "false";
}

std::string Indexed(int member, int16_t index, const std::string& value) {
    return std::to_string(member) + "[" + std::to_string(index) + "]=" + value;
}

template <typename Map> typename Map::mapped_type ValueOr(const Map& map, int16_t key) {
    const auto found = map.find(key);
    return found == map.end() ? typename Map::mapped_type{} : found->second;
}

} // namespace

void RecordingChart::setThisSerie(int16_t serie) {
    record("ThisSerie=" + std::to_string(serie));
    thisSerie_ = serie;
}

void RecordingChart::setDecimals(int16_t decimals) {
    record("Decimals=" + std::to_string(decimals));
    decimals_ = decimals;
}

void RecordingChart::setPointType(int16_t pointType) {
    record("PointType=" + std::to_string(pointType));
    pointType_ = pointType;
}

void RecordingChart::setGrid(int16_t grid) {
    record("Grid=" + std::to_string(grid));
    grid_ = grid;
}

void RecordingChart::setWallWidth(int16_t width) {
    record("WallWidth=" + std::to_string(width));
    wallWidth_ = width;
}

void RecordingChart::setShowStatus(bool show) {
    record("ShowStatus=" + Flag(show));
    showStatus_ = show;
}

void RecordingChart::setChart3D(bool chart3D) {
    record("Chart3D=" + Flag(chart3D));
    chart3D_ = chart3D;
}

void RecordingChart::setToolBar(bool show) {
    record("ToolBar=" + Flag(show));
    toolBar_ = show;
}

void RecordingChart::setLegendWidth(int16_t width) {
    record("LegendWidth=" + std::to_string(width));
    legendWidth_ = width;
}

void RecordingChart::setHText(const std::string& text) {
    record("HText=" + text);
    hText_ = text;
}

std::string RecordingChart::hText() const {
    record("HText?");
    return hText_;
}

int32_t RecordingChart::openData(int16_t kind, int32_t seriesCount, int32_t pointCount) {
    record("64(" + std::to_string(kind) + "," + std::to_string(seriesCount) + "," +
           std::to_string(pointCount) + ")");
    // A new transfer starts from empty series.
    seriesCount_ = seriesCount;
    pointCount_ = pointCount;
    transferOpen_ = true;
    values_.clear();
    for (int32_t s = 0; s < seriesCount && s <= INT16_MAX; ++s)
        values_[static_cast<int16_t>(s)].assign(pointCount > 0 ? pointCount : 0, 0.0);
    return 1;
}

bool RecordingChart::closeData(int16_t kind) {
    record("65(" + std::to_string(kind) + ")");
    transferOpen_ = false;
    return true;
}

void RecordingChart::setPointValue(int16_t point, double value) {
    record(Indexed(82, point, ChartNumberText(value)));
    if (point < 0)
        throw std::out_of_range("point index below 0");
    auto& values = values_[thisSerie_];
    if (static_cast<std::size_t>(point) >= values.size())
        values.resize(static_cast<std::size_t>(point) + 1, 0.0);
    values[static_cast<std::size_t>(point)] = value;
}

void RecordingChart::setAxisValue(int16_t index, double value) {
    record(Indexed(88, index, ChartNumberText(value)));
    axisValues_[index] = value;
}

void RecordingChart::setTitleText(int16_t index, const std::string& text) {
    record(Indexed(91, index, text));
    titleTexts_[index] = text;
}

void RecordingChart::setSeriesText(int16_t serie, const std::string& text) {
    record(Indexed(93, serie, text));
    seriesTexts_[serie] = text;
}

void RecordingChart::setSeriesLegend(int16_t serie, const std::string& text) {
    record(Indexed(97, serie, text));
    seriesLegends_[serie] = text;
}

void RecordingChart::setChartOption(int16_t index, int16_t value) {
    record(Indexed(100, index, std::to_string(value)));
    chartOptions_[index] = value;
}

void RecordingChart::refresh() {
    record("Refresh");
    ++refreshCount_;
}

std::vector<double> RecordingChart::seriesValues(int16_t serie) const {
    return ValueOr(values_, serie);
}

double RecordingChart::axisValue(int16_t index) const {
    return ValueOr(axisValues_, index);
}

std::string RecordingChart::titleText(int16_t index) const {
    return ValueOr(titleTexts_, index);
}

std::string RecordingChart::seriesText(int16_t serie) const {
    return ValueOr(seriesTexts_, serie);
}

std::string RecordingChart::seriesLegend(int16_t serie) const {
    return ValueOr(seriesLegends_, serie);
}

int16_t RecordingChart::chartOption(int16_t index) const {
    return ValueOr(chartOptions_, index);
}

} // namespace spritlog
