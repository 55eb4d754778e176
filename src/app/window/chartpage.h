// The window's chart page "Grafik": the tab bar under the chart that picks the view.
#pragma once

class QTabBar;

namespace spritlog {

// Halves the room around the tab captions of the view selector, so its eight tabs fit
// side by side into the window's default width; the tabs keep the platform's look.
void UseCompactTabs(QTabBar* tabs);

} // namespace spritlog
