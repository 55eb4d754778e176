#pragma once

#include <QColor>

class QWidget;

namespace spritlog {

// How far apart two colours are in brightness: the ratio of their relative luminances
// (each plus 0.05), from 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// The contrast text needs to stay readable on its background.
inline constexpr double kReadableContrast = 4.5;

// `wanted` where it stands out from `background` well enough; otherwise the same hue made
// lighter on a dark background (darker on a light one) until it does.
QColor ReadableOn(const QColor& wanted, const QColor& background);

// Gives the text of a label or an edit the colour `wanted`, or its readable variant on the
// widget's background, and chooses again whenever the palette changes (a dark desktop theme).
void KeepTextReadable(QWidget* widget, const QColor& wanted);

} // namespace spritlog
