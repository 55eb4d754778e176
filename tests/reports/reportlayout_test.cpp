#include "reports/reportlayout.h"

#include "logbook/logbooktable.h"
#include "reports/reportfixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>
#include <optional>
#include <string>

namespace spritlog {
namespace {

// Every character 1.5 mm wide at 9 points, in proportion at other sizes; bold 10 % wider.
class FixedMeasure : public TextMeasure {
public:
    double width(std::string_view text, double points, bool bold) const override {
        double characters = 0;
        for (unsigned char c : text)
            characters += (c & 0xC0) != 0x80; // count UTF-8 characters, not bytes
        return characters * 1.5 * points / 9.0 * (bold ? 1.1 : 1.0);
    }
};

double Total(const std::vector<double>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0.0);
}

std::vector<std::vector<std::string>> Rows(int columns, const std::string& cell) {
    return {std::vector<std::string>(columns, "H"), std::vector<std::string>(columns, cell)};
}

struct FitCase {
    const char* name;
    int cellCharacters; // of every cell of 15 columns
    double points;      // the size expected
    bool elided;
};

class FitColumns : public ::testing::TestWithParam<FitCase> {};

// 15 columns on 270 mm, 18 mm each: up to 10 characters a cell fit at 9 points (15 + 2 mm);
// 14 characters fit at 6.75 points (14 * 1.5 * 6.75 / 9 + 2 = 17.75 mm) but not at 7 (18.33
// mm); 20 characters do not fit at 6 points (22 mm a column): elided.
TEST_P(FitColumns, ShrinksThenElidesAndFillsTheWidth) {
    const FitCase& c = GetParam();
    const ReportColumns columns =
        FitReportColumns(Rows(15, std::string(c.cellCharacters, 'x')), 270.0, FixedMeasure());
    EXPECT_DOUBLE_EQ(columns.points, c.points);
    EXPECT_EQ(columns.elided, c.elided);
    EXPECT_NEAR(Total(columns.widths), 270.0, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FitColumns,
                         ::testing::Values(FitCase{"fits", 10, 9.0, false},
                                           FitCase{"shrinks", 14, 6.75, false},
                                           FitCase{"elides", 20, 6.0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FitColumns, OnlyTheWidestColumnsAreNarrowed) {
    std::vector<std::vector<std::string>> rows = Rows(15, "12.34");
    rows[1][14] = std::string(300, 'x');
    const ReportColumns columns = FitReportColumns(rows, 270.0, FixedMeasure());
    ASSERT_TRUE(columns.elided);
    const double natural = 5 * 1.5 * 6.0 / 9.0 + 2;
    EXPECT_NEAR(columns.widths[0], natural, 1e-6);
    EXPECT_NEAR(columns.widths[14], 270.0 - 14 * natural, 1e-6);
}

// A record never splits; every page carries the heading, its page number and, on the pages
// of the records, the column headings; an elided text ends in the ellipsis and fits its box.
TEST(ReportLayout, SixtyRecordsOnPagesWithHeadings) {
    TextTable grid = testing::LogbookTable(60);
    for (int row = 1; row <= 60; ++row)
        grid.setCell(ColNote3, row,
                     row == 7 ? std::string(400, 'n') : "Notiz " + std::to_string(row));
    ReportContent content;
    content.grid = grid;
    content.printedOn = "07.12.2025";
    const FixedMeasure measure;
    const std::vector<ReportPage> pages = BuildReportLayout(content, 273.0, 186.0, measure);

    // 33 records a page: (186 - 12 - 5) / 5; then the notice of too few figures fits below.
    ASSERT_EQ(ReportRowsPerPage(186.0), 33);
    ASSERT_EQ(pages.size(), 2u);
    int records = 0;
    int elided = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        bool numbered = false, headed = false;
        for (const ReportText& text : pages[p].texts) {
            numbered |= text.text == "Seite " + std::to_string(p + 1) + " von 2";
            headed |= text.text == "Anmerkung3" && text.bold;
            records += text.text.rfind("Notiz ", 0) == 0 || text.text.rfind("nnn", 0) == 0;
            const bool cut = text.text.size() >= 3 &&
                             text.text.compare(text.text.size() - 3, 3, kReportEllipsis) == 0;
            elided += cut;
            if (cut) {
                EXPECT_LE(measure.width(text.text, text.points, text.bold), text.width + 1e-9);
            }
            EXPECT_LE(text.y + text.height, 186.0 + 1e-9);
        }
        EXPECT_TRUE(numbered) << "page " << p + 1;
        EXPECT_TRUE(headed) << "page " << p + 1;
    }
    EXPECT_EQ(records, 60);
    // Only the long note; a text exactly as wide as its column stays whole.
    EXPECT_EQ(elided, 1);
}

// The records' table of a logbook beyond litres: "Einheit" between "Liter" and "Literpreis",
// each record's unit in its row; a logbook of litres has no such column.
TEST(ReportLayout, RecordsBeyondLitresShowTheirUnitBesideTheQuantity) {
    struct Case {
        const char* name;
        TextTable grid;
        std::vector<std::string> units; // from the top; empty: no column
    };
    const Case cases[] = {
        {"plug-in hybrid", testing::PlugInHybrid(), {"Liter", "kWh", "kWh", "Liter", "kWh"}},
        {"litres alone", testing::FourRefuellings(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportContent content =
            CollectReportContent(c.grid, "a.slg", {2025, 12, 7, 10, 0, 0}, std::nullopt);
        const std::vector<ReportPage> pages =
            BuildReportLayout(content, 273.0, 186.0, FixedMeasure());
        ASSERT_FALSE(pages.empty());
        std::optional<double> liter, unit, price;
        for (const ReportText& text : pages[0].texts) {
            if (!text.bold)
                continue;
            if (text.text == "Liter")
                liter = text.x;
            else if (text.text == "Einheit")
                unit = text.x;
            else if (text.text == "Literpreis")
                price = text.x;
        }
        ASSERT_TRUE(liter && price);
        if (c.units.empty()) {
            EXPECT_FALSE(unit);
            continue;
        }
        ASSERT_TRUE(unit);
        EXPECT_LT(*liter, *unit);
        EXPECT_LT(*unit, *price);
        std::vector<std::pair<double, std::string>> shown;
        for (const ReportText& text : pages[0].texts)
            if (!text.bold && text.x == *unit)
                shown.emplace_back(text.y, text.text);
        std::sort(shown.begin(), shown.end());
        std::vector<std::string> units;
        for (const auto& entry : shown)
            units.push_back(entry.second);
        EXPECT_EQ(units, c.units);
    }
}

// The year table follows the statistics and the stations, below the longer of the two.
TEST(ReportLayout, YearTableBelowTheStatistics) {
    struct Case {
        LocalDateTime now;
        std::vector<std::vector<std::string>> rows;
    };
    // The four refuellings of 2024 (tests/data/handworked.md, the HTML report's): 500 + 500 +
    // 600 km, 150 l, 157.00 EUR, (7 + 6) / 2, 157 / 1600 x 100 = 9.81. On 01.06.2024, day 153
    // of 366: 1600 x 366 / 153 = 3827.45, 157 x 366 / 153 = 375.57.
    const std::vector<Case> cases = {
        {{2026, 12, 6}, {{"2024", "1600", "150.00", "157.00", "6.50", "9.81"}}},
        {{2024, 6, 1},
         {{"2024 (laufend)", "1600", "150.00", "157.00", "6.50", "9.81"},
          {"Hochrechnung 2024", "3827", "", "375.57", "", ""}}},
    };
    for (const Case& c : cases) {
        const ReportContent content =
            CollectReportContent(testing::FourRefuellings(), "vier.slg", c.now, std::nullopt);
        ASSERT_EQ(content.years.size(), c.rows.size() + 1);
        for (std::size_t r = 0; r < c.rows.size(); ++r)
            EXPECT_EQ(content.years[r + 1], c.rows[r]);
        const std::vector<ReportPage> pages =
            BuildReportLayout(content, 273.0, 186.0, FixedMeasure());
        double statisticsEnd = -1, stationsEnd = -1, title = -1;
        std::size_t titlePage = 0, statisticsPage = 0;
        for (std::size_t p = 0; p < pages.size(); ++p)
            for (const ReportText& text : pages[p].texts) {
                if (text.text == "Max KM-Interval:")
                    statisticsEnd = text.y + text.height, statisticsPage = p;
                if (text.text == "Durchschnitt")
                    stationsEnd = text.y + text.height;
                if (text.text == "Jahre")
                    title = text.y, titlePage = p;
            }
        ASSERT_GE(title, 0.0);
        EXPECT_EQ(titlePage, statisticsPage);
        EXPECT_GE(title, statisticsEnd);
        EXPECT_GE(title, stationsEnd);
    }
}

// A logbook of several energies: the captions of the main energy, and the lines of the
// energies in a group of their own below the three, above the next section.
TEST(ReportLayout, StatisticsOfSeveralEnergies) {
    const ReportContent content =
        CollectReportContent(testing::PlugInHybridOfSeven(), "hybrid.slg", {2026, 12, 6}, std::nullopt);
    const std::vector<ReportPage> pages = BuildReportLayout(content, 273.0, 186.0, FixedMeasure());
    std::map<std::string, const ReportText*> shown;
    std::map<std::string, std::size_t> page;
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (const ReportText& text : pages[p].texts)
            if (!shown.count(text.text))
                shown[text.text] = &text, page[text.text] = p;
    for (const char* text : {"Geladene kWh:", "39.00 kWh", "Max Ladung:", "Energien",
                             "Strom:", "39.00 kWh, 4.33 kWh/100KM, 14.40 EUR",
                             "Verbrauch kombiniert:", "5.00 L + 4.33 kWh /100KM", "Jahre"})
        ASSERT_TRUE(shown.count(text)) << text;
    EXPECT_FALSE(shown.count("Getankte Liter:"));
    // In screen order, each line below the one before, the year table below them all.
    const char* order[] = {"Max KM-Interval:", "Energien",
                           "Kraftstoff:", "Strom:", "Verbrauch kombiniert:"};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        EXPECT_EQ(page[order[i]], page[order[0]]);
        EXPECT_GE(shown[order[i]]->y, shown[order[i - 1]]->y + kReportRowHeight - 1e-9) << order[i];
    }
    if (page["Jahre"] == page["Verbrauch kombiniert:"])
        EXPECT_GE(shown["Jahre"]->y,
                  shown["Verbrauch kombiniert:"]->y + shown["Verbrauch kombiniert:"]->height);
}

} // namespace
} // namespace spritlog
