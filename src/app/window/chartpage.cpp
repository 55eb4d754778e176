#include "app/window/chartpage.h"

#include <QProxyStyle>
#include <QTabBar>

namespace spritlog {

namespace {

class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

} // namespace

void UseCompactTabs(QTabBar* tabs) {
    auto* style = new CompactTabStyle;
    style->setParent(tabs); // a style set on a widget is not owned by it
    tabs->setStyle(style);
}

} // namespace spritlog
