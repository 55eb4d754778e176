#include "charts/chartviews.h"

#include <stdexcept>

namespace spritlog {

const char* ChartTabCaption(int tab) {
    if (tab == kStationTab)
        return "Tankstellen";
    if (tab < 0 || tab >= kChartViewCount)
        throw std::invalid_argument("chart tab outside 0..7");
    return kChartViews[tab].name;
}

} // namespace spritlog
