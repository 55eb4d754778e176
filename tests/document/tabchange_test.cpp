// The view selector's change on the chart page: the document calculates, then draws a
// chart view or builds the station table.
#include "document/logbookdocument.h"

#include "charts/chartviews.h"
#include "charts/recordingchart.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

using Calls = std::vector<std::string>;

// The chart page as the window has it.
class FakePage : public ChartPage {
public:
    void setChartVisible(bool visible) override {
        chartVisible = visible;
        calls.push_back(std::string("chart=") + (visible ? "shown" : "hidden"));
    }
    void setInfoVisible(bool visible) override {
        infoVisible = visible;
        calls.push_back(std::string("info=") + (visible ? "shown" : "hidden"));
    }
    void setRadioGroupsEnabled(bool enabled) override {
        groupsEnabled = enabled;
        calls.push_back(std::string("groups=") + (enabled ? "enabled" : "disabled"));
    }

    bool chartVisible = false;
    bool infoVisible = false;
    bool groupsEnabled = false;
    Calls calls;
};

// Four records: KM-Stand 10000, 10500, 11000, 11500; Liter 40, 35, 30, 25; Literpreis 1.50,
// 1.40, 1.60, 1.55; dated in January, January, February, March.
LogbookDocument FourRecords() {
    LogbookDocument book;
    TextTable& grid = book.table();
    grid.setRowCount(5);
    const char* dates[] = {"05.01.2026", "20.01.2026", "03.02.2026", "10.03.2026"};
    const char* km[] = {"10000", "10500", "11000", "11500"};
    const char* liter[] = {"40", "35", "30", "25"};
    const char* price[] = {"1.50", "1.40", "1.60", "1.55"};
    for (int r = 1; r <= 4; ++r) {
        grid.setCell(ColDatum, r, dates[r - 1]);
        grid.setCell(ColKmStand, r, km[r - 1]);
        grid.setCell(ColLiter, r, liter[r - 1]);
        grid.setCell(ColLiterpreis, r, price[r - 1]);
        grid.setCell(ColTankstelle, r, "Nord");
        grid.setCell(ColBenzin, r, "Super");
    }
    return book;
}

TEST(DocumentTabChange, StationsThenChart) {
    LogbookDocument book = FourRecords();
    const TextTable& grid = book.table();
    const TextTable& info = book.stationTable();
    RecordingChart chart;
    FakePage page;

    book.tabChange(kStationTab, 1, chart, page);
    EXPECT_EQ(page.calls, (Calls{"chart=shown", "info=hidden", "groups=enabled", "groups=disabled",
                                 "chart=hidden", "info=shown"}));
    EXPECT_TRUE(chart.calls().empty());
    EXPECT_EQ(grid.cell(ColKm, 2), "500"); // derived values were recomputed
    ASSERT_EQ(info.rowCount(), 4);
    EXPECT_EQ(info.cell(1, 1), "Nord (Super)");
    EXPECT_EQ(info.cell(2, 1), "3");

    page.calls.clear();
    book.tabChange(0, 1, chart, page);
    EXPECT_EQ(page.calls, (Calls{"chart=shown", "info=hidden", "groups=enabled", "chart=shown"}));
    EXPECT_TRUE(page.chartVisible);
    EXPECT_FALSE(page.infoVisible);
    EXPECT_TRUE(page.groupsEnabled);
    EXPECT_EQ(chart.calls().back(), "Refresh");
    EXPECT_EQ(chart.titleText(2), "KM-Stand");
    EXPECT_EQ(chart.seriesValues(0), (std::vector<double>{10000, 10500, 11000}));
}

TEST(DocumentTabChange, DrawsFromTheChosenSource) {
    struct Case {
        const char* name;
        int tab;
        int chartBasis;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"per record, litres", 1, 0, {40, 35, 30}},
        {"per month, litres", 1, 1, {75, 30}},
        {"per record, consumption", 2, 0, {7, 6}},
        {"per month, costs", 6, 1, {60 + 49, 48}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogbookDocument book = FourRecords();
        const TextTable& info = book.stationTable();
        RecordingChart chart;
        FakePage page;
        book.setChartBasis(static_cast<ChartBasis>(c.chartBasis));
        book.tabChange(c.tab, 1, chart, page);
        EXPECT_EQ(chart.hText(), kChartViews[c.tab].name);
        EXPECT_EQ(chart.seriesValues(0), c.values);
        EXPECT_EQ(info.rowCount(), 1); // the station table is not built
    }
}

TEST(DocumentTabChange, OutsideTheTabsOnlyRecomputes) {
    for (int tab : {-1, 8}) {
        SCOPED_TRACE(tab);
        LogbookDocument book = FourRecords();
        const TextTable& grid = book.table();
        const TextTable& info = book.stationTable();
        RecordingChart chart;
        FakePage page;
        book.tabChange(tab, 1, chart, page);
        EXPECT_EQ(page.calls, (Calls{"chart=shown", "info=hidden", "groups=enabled"}));
        EXPECT_TRUE(chart.calls().empty());
        EXPECT_EQ(grid.cell(ColKm, 4), "500");
        EXPECT_EQ(book.chartSource().rowCount(), 4);
        EXPECT_EQ(info.rowCount(), 1); // the station table is not built
    }
}

TEST(DocumentTabChange, StopsWhenTheValuesFail) {
    for (int tab : {0, 3, kStationTab}) {
        SCOPED_TRACE(tab);
        LogbookDocument book = FourRecords();
        book.table().setCell(ColKmStand, 3, ""); // a record whose reading is not typed in yet
        RecordingChart chart;
        FakePage page;
        try {
            book.tabChange(tab, 1, chart, page);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "'' is not a valid integer value");
        }
        EXPECT_TRUE(page.calls.empty());
        EXPECT_TRUE(chart.calls().empty());
        EXPECT_EQ(book.stationTable().rowCount(), 1); // the station table stays as it was
    }
}

TEST(DocumentTabChange, ToStationsWithOneRecord) {
    LogbookDocument book = FourRecords();
    book.table().setRowCount(2);
    const TextTable& info = book.stationTable();
    RecordingChart chart;
    FakePage page;
    EXPECT_THROW(book.tabChange(kStationTab, 1, chart, page), Error);
    // The table is not shown; the chart stays in place.
    EXPECT_EQ(page.calls, (Calls{"chart=shown", "info=hidden", "groups=enabled"}));
    EXPECT_EQ(info.cell(1, 1), "Durchschnitt");
}

} // namespace
} // namespace spritlog
