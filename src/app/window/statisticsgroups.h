#pragma once

#include <array>

class QBoxLayout;
class QLabel;
class QWidget;

namespace spritlog {

// The three group boxes of the statistics display ("Aufrechnung", "Durchschnitt",
// "Rekorde") with their captions and the value labels L1..L12, which show their own names
// until figures are written. Shared by the page "Statistik" and the statistics window;
// `firstGroupName` is the object name of the first box, which the two name differently.
// `valueCharacters` is how many characters of the value font the value column is wide at
// least (19 holds "2147483647.00 Liter"); a longer text is cut at the box's edge rather than
// widening it. Gives the value labels, element k - 1 for label Lk.
std::array<QLabel*, 12> BuildStatisticsGroups(QWidget* parent, QBoxLayout* layout,
                                              const char* firstGroupName, int valueCharacters = 19);

} // namespace spritlog
