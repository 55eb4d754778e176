#include "app/window/readablecolour.h"

#include <QEvent>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace spritlog {
namespace {

const char kWantedProperty[] = "spritlogWantedTextColour";

double Channel(double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Channel(colour.redF()) + 0.7152 * Channel(colour.greenF()) +
           0.0722 * Channel(colour.blueF());
}

void Apply(QWidget* widget) {
    const QColor wanted = widget->property(kWantedProperty).value<QColor>();
    const QPalette& current = widget->palette();
    const QColor colour = ReadableOn(wanted, current.color(widget->backgroundRole()));
    if (current.color(QPalette::WindowText) == colour && current.color(QPalette::Text) == colour)
        return; // also ends the palette change this call sets off
    // Only the two text roles are the widget's own; the others follow the window's palette.
    QPalette own;
    own.setColor(QPalette::WindowText, colour);
    own.setColor(QPalette::Text, colour);
    widget->setPalette(own);
}

// Chooses a widget's text colour again once its palette has changed.
class PaletteWatch : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange)
            Apply(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double first = Luminance(a) + 0.05;
    const double second = Luminance(b) + 0.05;
    return std::max(first, second) / std::min(first, second);
}

QColor ReadableOn(const QColor& wanted, const QColor& background) {
    if (ContrastRatio(wanted, background) >= kReadableContrast)
        return wanted;
    const bool darkBackground = Luminance(background) < 0.18;
    const QColor hsl = wanted.toHsl();
    for (int step = 1; step <= 20; ++step) {
        const double lightness = darkBackground
                                     ? hsl.lightnessF() + (1 - hsl.lightnessF()) * step / 20
                                     : hsl.lightnessF() * (20 - step) / 20;
        const QColor candidate =
            QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), static_cast<float>(lightness));
        if (ContrastRatio(candidate, background) >= kReadableContrast)
            return candidate.toRgb();
    }
    return darkBackground ? QColor(Qt::white) : QColor(Qt::black);
}

void KeepTextReadable(QWidget* widget, const QColor& wanted) {
    const bool watched = widget->property(kWantedProperty).isValid();
    widget->setProperty(kWantedProperty, wanted);
    Apply(widget);
    if (!watched)
        widget->installEventFilter(new PaletteWatch(widget));
}

} // namespace spritlog
