// The window's chart page "Grafik": the chart widget it shows (declared, with the factory
// that makes it, in chartwidget/chartwidget.h) and the tab bar under it that picks the view.
#pragma once

#include "chartwidget/chartwidget.h"

class QTabBar;

namespace spritlog {

// Halves the room around the tab captions of the view selector, so its eight tabs fit
// side by side into the window's default width; the tabs keep the platform's look.
void UseCompactTabs(QTabBar* tabs);

} // namespace spritlog
