#pragma once
// The pages of the Grafik view: the charts they show, their tab captions and the tab of the
// station table. The chart layer defines them; the document passes them on as they are.

#include "charts/chartviews.h"

namespace spritlog {

using spritlog::ChartTabCaption;
using spritlog::ChartView;
using spritlog::kChartTabCount;
using spritlog::kChartViewCount;
using spritlog::kStationTab;

} // namespace spritlog
