// The pages "Grafik" and "Statistik": the page switch, the chart views, the statistics, and
// the chart as a picture or in the report.
#include "app/window/chartpagecontroller.h"

#include "app/window/errordisplay.h"
#include "app/window/filecontroller.h"
#include "app/window/intervalcount.h"
#include "app/window/prompts.h"

#include "document/chartpages.h"
#include "document/figures.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <optional>
#include <utility>

namespace spritlog {
namespace {

// A picture narrower than this would squeeze the chart's texts together.
constexpr int kPictureMinWidth = 1200;

} // namespace

ChartPageController::ChartPageController(LogbookDocument& document, Prompts& prompts,
                                         QWidget* dialogParent, Clock clock,
                                         const ChartPageWidgets& widgets)
    : document_(document), prompts_(prompts), dialogParent_(dialogParent), clock_(std::move(clock)),
      w_(widgets),
      chartPage_(document, {[this] { return w_.p_control->currentWidget() == w_.tab_grafik; },
                            [this] { return prepareChartPage(); },
                            [this] { drawChartView(w_.Tab->currentIndex()); },
                            [this](const std::function<void()>& redraw) {
                                RunCommand(prompts_, dialogParent_, redraw);
                            }}),
      statisticsPage_(document,
                      {[this] { return w_.p_control->currentWidget() == w_.tab_statistik; },
                       [this] { return prepareStatisticsPage(); }, [this] { fillStatisticsPage(); },
                       [this](const std::function<void()>& redraw) {
                           RunCommand(prompts_, dialogParent_, redraw);
                       }}) {}

void ChartPageController::p_controlChange() {
    w_.p_nografik->hide();
    w_.p_nostats->hide();
    setRadioGroupsEnabled(false);
    if (w_.p_control->currentWidget() == w_.tab_grafik)
        chartPage_.showPage();
    else if (w_.p_control->currentWidget() == w_.tab_statistik)
        statisticsPage_.showPage();
}

void ChartPageController::chartOptionsChanged() {
    chartPage_.invalidate();
}

void ChartPageController::commandDone(bool succeeded) {
    for (PageListener* page : {&chartPage_, &statisticsPage_}) {
        if (succeeded)
            page->redrawPending();
        else
            page->dropPending();
    }
}

bool ChartPageController::prepareChartPage() {
    const bool tooFew = document_.recordsTakingPart() < 3;
    w_.p_nografik->setVisible(tooFew);
    showTabCaptions(); // also under the notice, where no view is drawn
    // The station table has no use for them.
    setRadioGroupsEnabled(tooFew || w_.Tab->currentIndex() != kStationTab);
    return !tooFew;
}

bool ChartPageController::prepareStatisticsPage() {
    const bool tooFew = document_.recordsTakingPart() < 3;
    w_.p_nostats->setVisible(tooFew);
    return !tooFew;
}

void ChartPageController::TabChange(int newTab) {
    // The selector of a hidden page is only a choice; the page draws it when shown. On the
    // page the view is drawn also with too few records, under the notice.
    if (w_.p_control->currentWidget() != w_.tab_grafik || newTab != w_.Tab->currentIndex())
        chartPage_.invalidate();
    else
        chartPage_.draw();
}

void ChartPageController::drawChartView(int newTab) {
    // An error of the calculation ends it before anything is shown or drawn.
    document_.calculateForChartPage();
    showTabCaptions();
    setChartVisible(true);
    setInfoVisible(false);
    setRadioGroupsEnabled(true);
    if (newTab >= 0 && newTab < kChartViewCount) {
        w_.p_chart->showSeries(document_.chartView(newTab + 1, zoomIndex()));
    } else if (newTab == kStationTab) {
        document_.rateStations();
        setRadioGroupsEnabled(false);
        setChartVisible(false);
        setInfoVisible(true);
    }
}

void ChartPageController::showTabCaptions() {
    // The quantity, consumption and price views speak of the logbook's energies.
    for (int tab = 0; tab < kChartViewCount; ++tab) {
        const QString caption = QString::fromLatin1(document_.chartTabCaption(tab));
        if (w_.Tab->tabText(tab) != caption)
            w_.Tab->setTabText(tab, caption);
    }
}

void ChartPageController::fillStatisticsPage() {
    const StatisticsLabels labels =
        ComputeStatistics(document_.table(), document_.consumptionRule());
    ShowStatistics(w_.statistics, labels);
    w_.p_intervals->setText(
        CompleteIntervalText(labels.intervals, labels.energy == Energy::KilowattHour));
}

void ChartPageController::setChartVisible(bool visible) {
    w_.p_chart->setVisible(visible);
}

void ChartPageController::setInfoVisible(bool visible) {
    w_.p_Info->setVisible(visible);
}

void ChartPageController::setRadioGroupsEnabled(bool enabled) {
    w_.p_ansicht->setEnabled(enabled);
    w_.p_zoom->setEnabled(enabled);
}

int ChartPageController::zoomIndex() const {
    return w_.p_zoomItems->checkedId();
}

PreparedReport ChartPageController::prepareReport() {
    // The figures as the pages would show them now; the views hear about the recomputed
    // columns, also when the calculation stops with an error.
    document_.calculate();
    return PrepareReport(document_.table(), document_.chartSource(), document_.fileName(), clock_(),
                         w_.Tab->currentIndex(), zoomIndex(), document_.consumptionRule());
}

std::unique_ptr<ChartPicture> ChartPageController::shownChartPicture() {
    const int tab = w_.Tab->currentIndex();
    if (tab < 0 || tab >= kChartViewCount || document_.recordsTakingPart() < 3 ||
        !w_.p_chart->isVisible())
        return nullptr;
    // The page's chart at its shape, wide enough to read.
    QSize size = w_.p_chart->size();
    if (size.width() < kPictureMinWidth)
        size = QSize(kPictureMinWidth,
                     std::max(400, size.height() * kPictureMinWidth / std::max(1, size.width())));
    return std::make_unique<ChartPicture>(document_.chartView(tab + 1, zoomIndex()), size);
}

void ChartPageController::m_GrafikSpeichernClick() {
    const std::unique_ptr<ChartPicture> picture = shownChartPicture();
    if (!picture)
        return;
    const std::string base = document_.hasFileName() ? ReplaceExtension(document_.fileName(), "png")
                                                     : std::string("grafik.png");
    QString chosen = prompts_.getOutputFileName(dialogParent_, QString::fromStdString(base),
                                                {QStringLiteral("PNG-Bild (*.png)"),
                                                 QStringLiteral("SVG-Grafik (*.svg)"),
                                                 QStringLiteral("Alle Dateien (*)")});
    if (chosen.isEmpty())
        return;
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg"))
        chosen = WithExtension(chosen, QStringLiteral(".png"));
    picture->write(chosen, PictureFormatFor(chosen));
    prompts_.showNotice(dialogParent_, QStringLiteral("Datei gespeichert als: ") + chosen);
}

void ChartPageController::m_GrafikKopierenClick() {
    const std::unique_ptr<ChartPicture> picture = shownChartPicture();
    if (!picture)
        return;
    QApplication::clipboard()->setImage(picture->image());
}

} // namespace spritlog
