#include "chartwidget/chartwidget.h"

#include "chartwidget/qtchartwidget.h"

namespace spritlog {

ChartWidget* CreateChartWidget(QWidget* parent) {
    return new QtChartWidget(parent);
}

} // namespace spritlog
