#include "chartwidget.h"

#include <QPainter>

namespace spritlog {
namespace {

// A chart that draws only its title. It keeps the window complete until the drawing
// chart takes its place through CreateChartWidget.
class TitleOnlyChart : public ChartWidget {
public:
    explicit TitleOnlyChart(QWidget* parent) : ChartWidget(parent) {}

    void setThisSerie(int16_t) override {}
    void setDecimals(int16_t) override {}
    void setPointType(int16_t) override {}
    void setGrid(int16_t) override {}
    void setWallWidth(int16_t) override {}
    void setShowStatus(bool) override {}
    void setChart3D(bool) override {}
    void setToolBar(bool) override {}
    void setLegendWidth(int16_t) override {}
    void setHText(const std::string& text) override { title_ = text; }
    std::string hText() const override { return title_; }
    int32_t openData64(int16_t, int32_t, int32_t) override { return 0; }
    bool closeData65(int16_t) override { return true; }
    void setValue82(int16_t, double) override {}
    void setAxisValue88(int16_t, double) override {}
    void setText91(int16_t, const std::string&) override {}
    void setSeriesText93(int16_t, const std::string&) override {}
    void setSeriesLegend97(int16_t, const std::string&) override {}
    void setValue100(int16_t, int16_t) override {}
    void refresh() override { update(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(title_));
    }

private:
    std::string title_;
};

} // namespace

ChartWidget* CreateChartWidget(QWidget* parent) {
    return new TitleOnlyChart(parent);
}

} // namespace spritlog
