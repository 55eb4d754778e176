#pragma once

#include "chartwidget/chartwidget.h"

#include <functional>

class QTabBar;

namespace spritlog {

// Halves the room around the tab captions of the view selector, so its eight tabs fit
// side by side into the window's default width; the tabs keep the platform's look.
void UseCompactTabs(QTabBar* tabs);

// Makes the window's chart. The window takes whatever this gives, so another chart
// implementation plugs in here (or through TFmain's constructor argument).
using ChartWidgetFactory = std::function<ChartWidget*(QWidget* parent)>;
ChartWidget* CreateChartWidget(QWidget* parent);

} // namespace spritlog
