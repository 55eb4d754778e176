#pragma once

#include "chartwidget/chartwidget.h"

#include "chartwidget/preparedreport.h"

#include "document/logbookdocument.h"
#include "logbook/clock.h"

#include <array>
#include <memory>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QTabBar;
class QTabWidget;
class QTableView;
class QWidget;

namespace spritlog {

class Prompts;

// The controls of the pages "Grafik" and "Statistik" and of the view selector; the main
// window builds them, this controller keeps them up to date.
struct ChartPageWidgets {
    QTabWidget* p_control = nullptr;
    QWidget* tab_grafik = nullptr;
    QWidget* tab_statistik = nullptr;
    ChartWidget* p_chart = nullptr;
    QTableView* p_Info = nullptr;
    QTabBar* Tab = nullptr;
    QLabel* p_nografik = nullptr;
    QLabel* p_nostats = nullptr;
    std::array<QLabel*, 12> statisticsLabels = {}; // L1..L12
    QLabel* p_intervals = nullptr; // how many complete intervals, under "Durchschnitt"
    QGroupBox* p_ansicht = nullptr;
    QGroupBox* p_zoom = nullptr;
    QButtonGroup* p_zoomItems = nullptr; // ids 0 "100%", 1 "Bereich"
};

// The page switch, the chart views, the station table and the statistics page, and the
// chart as a picture or in the report. Every handler may throw; the window runs each
// through the general error display.
class ChartPageController {
public:
    ChartPageController(LogbookDocument& document, Prompts& prompts, QWidget* dialogParent,
                        Clock clock, const ChartPageWidgets& widgets);

    // The page shown changed, or the view selector was clicked.
    void p_controlChange();
    // The chart view `newTab` of the bar "Tab", or the station table.
    void TabChange(int newTab);
    // The context menu of the chart: the chart shown as a PNG or SVG file, or on the
    // clipboard.
    void m_GrafikSpeichernClick();
    void m_GrafikKopierenClick();

    void setRadioGroupsEnabled(bool enabled);
    int zoomIndex() const;
    // The report of the logbook with the chart the page "Grafik" shows; calculates first.
    PreparedReport prepareReport();

private:
    // What the view selector switches on the page "Grafik".
    void setChartVisible(bool visible);
    void setInfoVisible(bool visible);
    void fillStatisticsPage();
    // The chart the page shows, drawn anew at a size for a picture; null while the page
    // shows no chart.
    std::unique_ptr<ChartPicture> shownChartPicture();

    LogbookDocument& document_;
    Prompts& prompts_;
    QWidget* dialogParent_;
    Clock clock_;
    ChartPageWidgets w_;
};

} // namespace spritlog
