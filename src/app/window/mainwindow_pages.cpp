// The page switch, the chart views and statistics, and the commands that open windows.
#include "app/window/mainwindow.h"

#include "app/window/aboutdialog.h"
#include "app/window/logbookmodel.h"
#include "app/window/setupdialog.h"
#include "app/window/shelllinks.h"
#include "app/window/sizedialog.h"
#include "app/window/statistikdialog.h"
#include "app/window/toolwindow.h"

#include "analysis/statistics.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

#include <optional>

namespace spritlog {

void TFmain::p_controlChange() {
    p_nografik->hide();
    p_nostats->hide();
    setRadioGroupsEnabled(false);
    if (p_control->currentWidget() == tab_grafik) {
        setRadioGroupsEnabled(true);
        if (RecordCount() < 3) {
            p_nografik->show();
            return;
        }
        TabChange(Tab->currentIndex());
    } else if (p_control->currentWidget() == tab_statistik) {
        if (RecordCount() < 3)
            p_nostats->show();
        else
            fillStatisticsPage();
    }
}

void TFmain::TabChange(int newTab) {
    // An error of the calculation ends it before anything is shown or drawn.
    std::optional<ChartSeries> series;
    document_.calculateForChartPage();
    setChartVisible(true);
    setInfoVisible(false);
    setRadioGroupsEnabled(true);
    if (newTab >= 0 && newTab < kChartViewCount) {
        series = document_.chartSeries(newTab + 1, zoomIndex());
        DrawChartSeries(*p_chart, *series);
    } else if (newTab == kStationTab) {
        document_.rateStations();
        setRadioGroupsEnabled(false);
        setChartVisible(false);
        setInfoVisible(true);
    }
    // The chart gets only values; the dates or months under the points come from here.
    if (series)
        p_chart->setPointLabels(PointLabels(*series));
}

void TFmain::fillStatisticsPage() {
    const StatisticsLabels labels = ComputeStatistics(document_.table(), StatisticsTarget::Page);
    for (int k = 0; k < 12; ++k)
        statisticsLabels[k]->setText(CellToQString(labels.texts[k]));
}

void TFmain::m_StatistikClick() {
    CalculateValues();
    if (RecordCount() < 3) {
        // No window; the notice waits on the statistics page.
        p_nostats->show();
        return;
    }
    const StatisticsLabels labels = ComputeStatistics(document_.table(), StatisticsTarget::Window);
    if (FStatistik) {
        FStatistik->showFigures(labels);
        ExecDialog(FStatistik);
    }
}

void TFmain::m_EinstellungenClick() {
    if (!FSetup)
        return;
    FSetup->FillSetupDialog();
    ExecDialog(FSetup);
}

void TFmain::m_UeberClick() {
    if (FAbout)
        ExecDialog(FAbout);
}

void TFmain::m_DateigroesseClick() {
    if (FSize)
        FSize->ShowFileSizeDialog(document_.fileName(), RecordCount());
}

void TFmain::m_UpdateherunterladenClick() {
    OpenWebPage(prompts(), UpdateAddress());
}

void TFmain::m_EmailandenAutorsendenClick() {
    SendMailTo(prompts(), QString::fromLatin1(kAuthorMailAddress));
}

void TFmain::m_OstrelHomepageClick() {
    OpenWebPage(prompts(), QString::fromLatin1(kHomePageAddress));
}

} // namespace spritlog
