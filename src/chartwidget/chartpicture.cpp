#include "chartwidget/chartpicture.h"

#include "platform/writeerror.h"

#include "logbook/errors.h"

#include <QChartView>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLayout>
#include <QPainter>
#include <QRectF>
#include <QSaveFile>
#include <QSvgGenerator>

namespace spritlog {
namespace {

// Chart pixels per millimetre of paper: about 100 dots per inch, where the chart's own
// fonts come out at a size that reads well in print.
constexpr double kPaperPixelsPerMm = 4.0;

} // namespace

ChartPicture::ChartPicture(const ChartSeries& series, QSize size)
    : chart_(std::make_unique<QtChartWidget>()), title_(QString::fromLatin1(series.name)) {
    chart_->setAttribute(Qt::WA_DontShowOnScreen);
    chart_->resize(size);
    chart_->setThinLines(false); // a picture keeps every segment of its antialiased lines
    chart_->showSeries(series);
    chart_->show();
    settle();
}

ChartPicture::ChartPicture(const ChartSource& prepareGrid, int view, int zoomIndex, QSize size)
    : ChartPicture(ChartViewOf(prepareGrid, view, zoomIndex), size) {}

ChartPicture::~ChartPicture() = default;

QSize ChartPicture::size() const {
    return chart_->size();
}

void ChartPicture::resize(QSize size) {
    if (size == chart_->size())
        return;
    chart_->resize(size);
    settle();
}

void ChartPicture::settle() {
    // The widget's own layout places the view; the chart lays out its plot in posted
    // layout requests, and its point axis may ask for one more when the plot has its size.
    chart_->ensurePolished();
    if (QLayout* layout = chart_->layout())
        layout->activate();
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void ChartPicture::paint(QPainter& painter, const QRectF& target) {
    QChartView* view = chart_->view();
    view->render(&painter, target, view->viewport()->rect(), Qt::KeepAspectRatio);
}

void ChartPicture::paintOnPaper(QPainter& painter, const QRectF& target) {
    const QPaintDevice* device = painter.device();
    const double widthMm = target.width() * 25.4 / device->logicalDpiX();
    const double heightMm = target.height() * 25.4 / device->logicalDpiY();
    resize(QSize(qRound(widthMm * kPaperPixelsPerMm), qRound(heightMm * kPaperPixelsPerMm)));
    paint(painter, target);
}

QImage ChartPicture::image() {
    QImage image(chart_->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint(painter, QRectF(image.rect()));
    painter.end();
    return image;
}

void ChartPicture::write(const QString& path, PictureFormat format) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ThrowWriteError(path);
    if (format == PictureFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(chart_->size());
        svg.setViewBox(QRect(QPoint(0, 0), chart_->size()));
        svg.setTitle(title_);
        svg.setDescription(QStringLiteral("Spritlog"));
        QPainter painter;
        if (!painter.begin(&svg))
            throw Error("Das Bild kann nicht gezeichnet werden");
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, QRectF(QPointF(0, 0), QSizeF(chart_->size())));
        painter.end();
    } else if (!image().save(&file, "PNG")) {
        ThrowWriteError(path);
    }
    if (!file.commit())
        ThrowWriteError(path);
}

PictureFormat PictureFormatFor(const QString& path) {
    return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ? PictureFormat::Svg
                                                                      : PictureFormat::Png;
}

} // namespace spritlog
