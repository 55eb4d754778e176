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

bool IsEnergyView(int view) {
    return view == 2 || view == 3 || view == 6;
}

const char* ChartViewName(int view, Energy energy) {
    if (view < 1 || view > kChartViewCount)
        throw std::invalid_argument("chart view outside 1..7");
    const EnergyWords& words = WordsOf(energy);
    switch (view) {
    case 2:
        return words.filledCaption;
    case 3:
        return words.consumptionCaption;
    case 6:
        return words.priceCaption;
    default:
        return kChartViews[view - 1].name;
    }
}

const char* ChartTabCaption(int tab, const ChartSource& source) {
    const int view = tab + 1;
    if (tab == kStationTab || !IsEnergyView(view))
        return ChartTabCaption(tab);
    if (source.mix().count() > 1)
        return kMixedViewNames[view == 2 ? 0 : view == 3 ? 1 : 2];
    return ChartViewName(view, source.energy());
}

} // namespace spritlog
