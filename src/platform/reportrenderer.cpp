#include "platform/reportrenderer.h"
#include "platform/writeerror.h"

#include "logbook/errors.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QSaveFile>

#include <map>
#include <utility>

namespace spritlog {
namespace {

constexpr double kMmPerInch = 25.4;
const QColor kRowShade(238, 242, 247);
const QColor kHeadingShade(214, 222, 233);
const QColor kRuleColour(90, 98, 110);

QFont ReportFont(double points, bool bold, const QPaintDevice* device) {
    // Arial where it exists; fontconfig gives its metric twin Liberation Sans in its place.
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return QFont(font, device);
}

// Measures with the device's own resolution, so the layout matches what is drawn.
class DeviceMeasure : public TextMeasure {
public:
    explicit DeviceMeasure(const QPaintDevice& device) : device_(device) {}

    double width(std::string_view text, double points, bool bold) const override {
        const QFontMetricsF& metrics = metricsFor(points, bold);
        return metrics.horizontalAdvance(
                   QString::fromUtf8(text.data(), static_cast<int>(text.size()))) *
               kMmPerInch / device_.logicalDpiX();
    }

private:
    const QFontMetricsF& metricsFor(double points, bool bold) const {
        const auto key = std::make_pair(points, bold);
        auto found = metrics_.find(key);
        if (found == metrics_.end())
            found = metrics_.emplace(key, QFontMetricsF(ReportFont(points, bold, &device_))).first;
        return found->second;
    }

    const QPaintDevice& device_;
    mutable std::map<std::pair<double, bool>, QFontMetricsF> metrics_;
};

void DrawPage(QPainter& painter, const ReportPage& page, const ReportChartPainter& chart) {
    const QPaintDevice* device = painter.device();
    const double sx = device->logicalDpiX() / kMmPerInch;
    const double sy = device->logicalDpiY() / kMmPerInch;
    const auto rect = [&](double x, double y, double w, double h) {
        return QRectF(x * sx, y * sy, w * sx, h * sy);
    };

    painter.setPen(Qt::NoPen);
    for (const ReportShade& shade : page.shades)
        painter.fillRect(rect(shade.x, shade.y, shade.width, shade.height),
                         shade.heading ? kHeadingShade : kRowShade);
    painter.setPen(QPen(kRuleColour, 0.25 * sy));
    for (const ReportRule& rule : page.rules)
        painter.drawLine(QPointF(rule.x1 * sx, rule.y1 * sy), QPointF(rule.x2 * sx, rule.y2 * sy));
    painter.setPen(Qt::black);
    for (const ReportText& text : page.texts) {
        painter.setFont(ReportFont(text.points, text.bold, device));
        const Qt::Alignment horizontal = text.align == ReportAlign::Right    ? Qt::AlignRight
                                         : text.align == ReportAlign::Centre ? Qt::AlignHCenter
                                                                             : Qt::AlignLeft;
        painter.drawText(rect(text.x, text.y, text.width, text.height),
                         horizontal | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::fromStdString(text.text));
    }
    if (page.chart && chart) {
        painter.save();
        chart(painter, rect(page.chart->x, page.chart->y, page.chart->width, page.chart->height));
        painter.restore();
    }
}

} // namespace

QPageLayout ReportPageLayout(QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

void RenderReport(const ReportContent& content, QPagedPaintDevice& device,
                  const ReportChartPainter& chart) {
    const DeviceMeasure measure(device);
    const double width = device.width() * kMmPerInch / device.logicalDpiX();
    const double height = device.height() * kMmPerInch / device.logicalDpiY();
    const std::vector<ReportPage> pages = BuildReportLayout(content, width, height, measure);

    QPainter painter;
    if (!painter.begin(&device))
        throw Error("Der Bericht kann nicht beginnen");
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage()) {
            painter.end();
            throw Error("Der Bericht kann keine neue Seite beginnen");
        }
        DrawPage(painter, pages[p], chart);
    }
    if (!painter.end())
        throw Error("Der Bericht kann nicht abgeschlossen werden");
}

void WriteReportPdf(const ReportContent& content, const ReportChartPainter& chart,
                    const QString& pdfPath) {
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        ThrowWriteError(pdfPath);
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(ReportPageLayout());
        writer.setTitle(QStringLiteral("Spritlog"));
        writer.setCreator(QStringLiteral("Spritlog"));
        RenderReport(content, writer, chart);
    }
    if (!file.commit())
        ThrowWriteError(pdfPath);
}

} // namespace spritlog
