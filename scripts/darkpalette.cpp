// Loaded into the program with LD_PRELOAD for a look at it under a dark palette, as a dark
// desktop theme gives it; the program itself is unchanged.
// Build and start (from the top of the source tree; the first command on one line):
//   g++ -std=c++17 -fPIC -shared scripts/darkpalette.cpp -o /tmp/darkpalette.so
//       $(pkg-config --cflags --libs Qt6Widgets)
//   LD_PRELOAD=/tmp/darkpalette.so build/src/app/spritlog -style Fusion examples/beispiel.slg
#include <QApplication>
#include <QPalette>

namespace {

void UseDarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(53, 53, 56));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::ToolTipBase, QColor(53, 53, 56));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Light, QColor(80, 80, 84));
    dark.setColor(QPalette::Midlight, QColor(66, 66, 70));
    dark.setColor(QPalette::Mid, QColor(40, 40, 42));
    dark.setColor(QPalette::Dark, QColor(25, 25, 27));
    dark.setColor(QPalette::Shadow, Qt::black);
    dark.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    QApplication::setPalette(dark);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(UseDarkPalette)
