#pragma once

#include "document/figures.h"

#include <array>

class QBoxLayout;
class QGroupBox;
class QLabel;
class QWidget;

namespace spritlog {

// The value labels of the statistics display with their captions, and the box "Energien"
// with the lines a logbook of several energies adds below the twelve figures.
struct StatisticsDisplay {
    std::array<QLabel*, 12> values{};   // element k - 1 for label Lk
    std::array<QLabel*, 12> captions{}; // the caption beside each
    QGroupBox* energies = nullptr;      // hidden while there are no lines
};

// The three group boxes of the statistics display ("Aufrechnung", "Durchschnitt",
// "Rekorde") with their captions and the value labels L1..L12, which show their own names
// until figures are written, and below them the hidden box of the energies' lines. Shared by
// the page "Statistik" and the statistics window; `firstGroupName` is the object name of the
// first box, which the two name differently. `valueCharacters` is how many characters of the
// value font the value column is wide at least (19 holds "2147483647.00 Liter"); a longer
// text widens its box.
StatisticsDisplay BuildStatisticsGroups(QWidget* parent, QBoxLayout* layout,
                                        const char* firstGroupName, int valueCharacters = 19);

// Writes the figures and their captions into the display, and the energies' lines into their
// box (shown only when there are lines). Every caption is as wide as the widest shown, so the
// values keep one left edge in all boxes.
void ShowStatistics(const StatisticsDisplay& display, const StatisticsLabels& figures);

} // namespace spritlog
