#pragma once

#include "app/window/pagelistener.h"
#include "app/window/statisticsgroups.h"
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
    StatisticsDisplay statistics;  // L1..L12, their captions and the energies' lines
    QLabel* p_intervals = nullptr; // how many complete intervals, under "Durchschnitt"
    QGroupBox* p_ansicht = nullptr;
    QGroupBox* p_zoom = nullptr;
    QButtonGroup* p_zoomItems = nullptr; // ids 0 "100%", 1 "Bereich"
};

// The page switch, the chart views, the station table and the statistics page, and the
// chart as a picture or in the report. The pages "Grafik" and "Statistik" listen to the
// document: the one shown follows every change at once, the hidden one when it is shown.
// Every handler may throw; the window runs each through the general error display.
class ChartPageController {
public:
    ChartPageController(LogbookDocument& document, Prompts& prompts, QWidget* dialogParent,
                        Clock clock, const ChartPageWidgets& widgets);

    // The page shown changed.
    void p_controlChange();
    // "Eintrag", "Monat", "100%" or "Bereich" was clicked: the chart is drawn anew.
    void chartOptionsChanged();
    // The chart view `newTab` of the bar "Tab", or the station table.
    void TabChange(int newTab);
    // After every command: the page shown draws what the command changed; after a command
    // that failed, it waits for the next change (its error was shown already).
    void commandDone(bool succeeded);
    // The context menu of the chart: the chart shown as a PNG or SVG file, or on the
    // clipboard.
    void m_GrafikSpeichernClick();
    void m_GrafikKopierenClick();

    void setRadioGroupsEnabled(bool enabled);
    int zoomIndex() const;
    // The report of the logbook with the chart the page "Grafik" shows; calculates first.
    PreparedReport prepareReport();

private:
    // The notice and the radio groups of the page "Grafik"; false with too few records.
    bool prepareChartPage();
    bool prepareStatisticsPage();
    // Draws chart view tab 0..6 or the station table (7), calculating first.
    void drawChartView(int tab);
    // What the view selector switches on the page "Grafik".
    void setChartVisible(bool visible);
    void setInfoVisible(bool visible);
    // The view selector's captions in the words of the logbook's energies.
    void showTabCaptions();
    void fillStatisticsPage();
    // The chart the page shows, drawn anew at a size for a picture; null while the page
    // shows no chart.
    std::unique_ptr<ChartPicture> shownChartPicture();

    LogbookDocument& document_;
    Prompts& prompts_;
    QWidget* dialogParent_;
    Clock clock_;
    ChartPageWidgets w_;
    PageListener chartPage_;
    PageListener statisticsPage_;
};

} // namespace spritlog
