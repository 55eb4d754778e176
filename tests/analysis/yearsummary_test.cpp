#include "analysis/statistics.h"
#include "analysis/yearsummary.h"
#include "logbook/derivedvalues.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

using test::Record;
using Row = std::vector<std::string>;

// Inputs only; the derived columns come from the calculation as the document runs it.
TextTable Calculated(const std::vector<Record>& records, ConsumptionRule rule) {
    TextTable grid = test::LogbookOf(records);
    ComputeDerivedValues(grid);
    if (rule == ConsumptionRule::FullTank)
        ApplyFullTankIntervals(grid);
    return grid;
}

// The logbook of tests/data/handworked.md, "The year table": 2022 to 2026 with 2023 empty,
// a partial fill-up on 30.12.2024 inside the chain from 20.01.2024 to 03.01.2025, an empty
// record, a record whose date is no real day, and the current year 2026.
const std::vector<Record> kYears = {
    {"10.11.2022", "10000", "40", "1.50", "Super"},
    {"15.12.2022", "10600", "42", "1.60", "Super"},
    {"20.01.2024", "11400", "48", "1.70", "Super"},
    {"30.12.2024", "11900", "20", "1.80", "Super", "", "", "Teilbetankung"},
    {"03.01.2025", "12400", "25", "1.70", "Super"},
    {},
    {"31.02.2025", "12900", "30", "1.60", "Super"},
    {"10.06.2025", "13500", "36", "1.75", "Super"},
    {"05.01.2026", "14100", "33", "1.80", "Super"},
    {"01.03.2026", "14800", "42", "1.70", "Super"},
};

const LocalDateTime kToday = {2026, 3, 15, 10, 0, 0};

Row YearRow(const YearSummary& summary, int year) {
    const YearFigures* figures = summary.find(year);
    if (!figures)
        return {};
    Row row = {YearCaption(*figures)};
    for (const std::string& text : PeriodTexts(summary, figures->total))
        row.push_back(text);
    return row;
}

Row MonthRow(const YearSummary& summary, int year, int month) {
    const YearFigures* figures = summary.find(year);
    if (!figures)
        return {};
    Row row = {MonthCaption(month)};
    for (const std::string& text : PeriodTexts(summary, figures->months[month - 1]))
        row.push_back(text);
    return row;
}

TEST(YearSummary, HandWorkedYears) {
    const YearSummary summary = SummariseYears(Calculated(kYears, ConsumptionRule::FullTank),
                                               ConsumptionRule::FullTank, kToday);
    EXPECT_EQ(YearTableCaptions(summary, "Jahr"),
              (Row{"Jahr", "KM", "Liter", "Tankkosten", "Verbrauch", "EUR je 100 KM"}));
    ASSERT_EQ(summary.years.size(), 5u);
    // Worked out in tests/data/handworked.md.
    const std::vector<Row> expected = {
        {"2022", "600", "82.00", "127.20", "7.00", "21.20"},
        {"2023", "", "", "", "", ""},
        {"2024", "1300", "68.00", "117.60", "6.00", "9.05"},
        {"2025", "1100", "61.00", "105.50", "5.25", "9.59"},
        {"2026 (laufend)", "1300", "75.00", "130.80", "5.75", "10.06"},
    };
    for (const Row& row : expected)
        EXPECT_EQ(YearRow(summary, std::stoi(row[0])), row);
    EXPECT_EQ(ProjectionTexts(summary), (Row{"Hochrechnung 2026", "6412", "", "645.16", "", ""}));
}

TEST(YearSummary, HandWorkedMonths) {
    const YearSummary summary = SummariseYears(Calculated(kYears, ConsumptionRule::FullTank),
                                               ConsumptionRule::FullTank, kToday);
    const std::vector<std::pair<int, Row>> cases = {
        {2022, {"11", "", "40.00", "60.00", "", ""}},
        {2022, {"12", "600", "42.00", "67.20", "7.00", "11.20"}},
        {2024, {"01", "800", "48.00", "81.60", "6.00", "10.20"}},
        {2024, {"06", "", "", "", "", ""}},
        {2024, {"12", "500", "20.00", "36.00", "", "7.20"}},
        {2025, {"01", "500", "25.00", "42.50", "4.50", "8.50"}},
        {2025, {"02", "", "", "", "", ""}},
        {2023, {"07", "", "", "", "", ""}},
    };
    for (const auto& [year, row] : cases) {
        SCOPED_TRACE(std::to_string(year) + "/" + row[0]);
        EXPECT_EQ(MonthRow(summary, year, std::stoi(row[0])), row);
    }
}

// A plug-in hybrid with AdBlue: a column pair per energy, AdBlue's cost in Tankkosten only.
// 2026: KM 300 + 300 + 100 + 100; 16 l; 12 + 10 kWh; 4.80 + 27.20 + 4.50 + 3.00 EUR; petrol
// 16 l over 20000 -> 20800, 2.00; electricity 12 kWh over 300 km, 4.00, and 10 kWh over
// 20500 -> 21000, 2.00, mean 3.00; 39.50 EUR over 800 km, 4.94.
TEST(YearSummary, EachEnergyHasItsColumns) {
    const std::vector<Record> records = {
        {"05.12.2025", "20000", "40", "1.80", "Super"},
        {"20.12.2025", "20200", "10", "0.30", "Strom"},
        {"10.01.2026", "20500", "12", "0.40", "Strom"},
        {"20.01.2026", "20800", "16", "1.70", "Super"},
        {"25.01.2026", "20900", "5", "0.90", "AdBlue"},
        {"01.02.2026", "21000", "10", "0.30", "Strom"},
    };
    const YearSummary summary = SummariseYears(Calculated(records, ConsumptionRule::FullTank),
                                               ConsumptionRule::FullTank, kToday);
    EXPECT_EQ(YearTableCaptions(summary, "Jahr"),
              (Row{"Jahr", "KM", "Liter", "kWh", "Tankkosten", "Verbrauch Liter", "Verbrauch kWh",
                   "EUR je 100 KM"}));
    EXPECT_EQ(YearRow(summary, 2025),
              (Row{"2025", "200", "40.00", "10.00", "75.00", "", "", "37.50"}));
    EXPECT_EQ(YearRow(summary, 2026),
              (Row{"2026 (laufend)", "800", "16.00", "22.00", "39.50", "2.00", "3.00", "4.94"}));
    // An electric car alone keeps the one "Verbrauch".
    const std::vector<Record> charges(records.begin() + 1, records.begin() + 3);
    EXPECT_EQ(YearTableCaptions(SummariseYears(Calculated(charges, ConsumptionRule::FullTank),
                                               ConsumptionRule::FullTank, kToday),
                                "Jahr"),
              (Row{"Jahr", "KM", "kWh", "Tankkosten", "Verbrauch", "EUR je 100 KM"}));
}

TEST(YearSummary, PerRecordConsumption) {
    const YearSummary summary = SummariseYears(Calculated(kYears, ConsumptionRule::PerRecord),
                                               ConsumptionRule::PerRecord, kToday);
    // 2024: 6.00 and the partial fill-up's own 20 x 100 / 500 = 4.00; 2025: 5.00 and 6.00.
    EXPECT_EQ(YearRow(summary, 2024)[4], "5.00");
    EXPECT_EQ(YearRow(summary, 2025)[4], "5.50");
}

TEST(YearSummary, RunningYearAndProjection) {
    const TextTable grid = Calculated(kYears, ConsumptionRule::FullTank);
    struct Case {
        LocalDateTime today;
        const char* lastCaption;
        Row projection;
    };
    const std::vector<Case> cases = {
        // 1300 x 365 / 74 = 6412.16, 130.80 x 365 / 74 = 645.16.
        {{2026, 3, 15}, "2026 (laufend)", {"Hochrechnung 2026", "6412", "", "645.16", "", ""}},
        // The last day: the figures as they are.
        {{2026, 12, 31}, "2026 (laufend)", {"Hochrechnung 2026", "1300", "", "130.80", "", ""}},
        // 1 January: a day gone by, the figures times 365.
        {{2026, 1, 1}, "2026 (laufend)", {"Hochrechnung 2026", "474500", "", "47742.00", "", ""}},
        // Over: no mark, no projection.
        {{2027, 1, 1}, "2026", {}},
        // The clock in 2025: 2026 is not over either, and 2025 is projected from its
        // figures: 1100 x 365 / 365 on 31.12.
        {{2025, 12, 31}, "2026 (laufend)", {"Hochrechnung 2025", "1100", "", "105.50", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastCaption + std::string(" ") + std::to_string(c.today.day));
        const YearSummary summary = SummariseYears(grid, ConsumptionRule::FullTank, c.today);
        EXPECT_EQ(YearCaption(summary.years.back()), c.lastCaption);
        EXPECT_EQ(ProjectionTexts(summary), c.projection);
    }
    // A leap year has 366 days; 29.02.2024 is its 60th: 1300 x 366 / 60 = 7930,
    // 117.60 x 366 / 60 = 717.36.
    const YearSummary leap = SummariseYears(grid, ConsumptionRule::FullTank, {2024, 2, 29});
    EXPECT_EQ(ProjectionTexts(leap), (Row{"Hochrechnung 2024", "7930", "", "717.36", "", ""}));
}

TEST(YearSummary, NoDatedRecord) {
    const std::vector<std::vector<Record>> cases = {
        {},
        {{}},
        {{"", "100", "40", "1.5"}, {"1.2.2025", "200", "40", "1.5"}, {"2025-02-03", "300"}},
    };
    for (const auto& records : cases) {
        const YearSummary summary = SummariseYears(Calculated(records, ConsumptionRule::FullTank),
                                                   ConsumptionRule::FullTank, kToday);
        EXPECT_TRUE(summary.years.empty());
        EXPECT_FALSE(summary.projection);
        EXPECT_EQ(summary.find(2025), nullptr);
    }
}

TEST(YearSummary, RecordsOutOfOrderSpanTheirYears) {
    // The range runs from the earliest year to the latest, whatever the table's order.
    const YearSummary summary = SummariseYears(
        Calculated({{"01.05.2021", "500", "10", "2"}, {"01.05.2019", "900", "10", "2"}},
                   ConsumptionRule::FullTank),
        ConsumptionRule::FullTank, kToday);
    ASSERT_EQ(summary.years.size(), 3u);
    EXPECT_EQ(summary.years.front().year, 2019);
    // The second record, dated 2019: KM 900 - 500 = 400, 10 x 100 / 400 = 2.50 l, 20.00 EUR
    // over 400 km = 5.00 EUR je 100 KM. The first, dated 2021, has no KM.
    EXPECT_EQ(YearRow(summary, 2019), (Row{"2019", "400", "10.00", "20.00", "2.50", "5.00"}));
    EXPECT_EQ(YearRow(summary, 2020), (Row{"2020", "", "", "", "", ""}));
    EXPECT_EQ(YearRow(summary, 2021), (Row{"2021", "", "10.00", "20.00", "", ""}));
}

// A logbook of one year shows the statistics page's consumption figure, under both rules.
TEST(YearSummary, OneYearMatchesStatisticsPage) {
    const std::vector<Record> oneYear = {
        {"05.02.2025", "20000", "40", "1.50", "Super"},
        {"10.03.2025", "20500", "15", "1.60", "Super", "", "", "Teilbetankung"},
        {"20.04.2025", "21000", "20", "1.55", "Super"},
        {"01.06.2025", "21600", "36", "1.60", "Super"},
    };
    // Full tank to full tank: (3.50 + 6.00) / 2 = 4.75, the interval 35 l over 1000 km counted
    // once. Per record: (3.00 + 4.00 + 6.00) / 3 = 4.33.
    const std::vector<std::pair<ConsumptionRule, std::string>> cases = {
        {ConsumptionRule::FullTank, "4.75"},
        {ConsumptionRule::PerRecord, "4.33"},
    };
    for (const auto& [rule, expected] : cases) {
        const TextTable grid = Calculated(oneYear, rule);
        const YearSummary summary = SummariseYears(grid, rule, kToday);
        const std::string page = ComputeStatistics(grid, rule).label(4);
        EXPECT_EQ(YearRow(summary, 2025)[4], expected);
        EXPECT_EQ(page, " " + expected + " L/100KM");
    }
}

} // namespace
} // namespace spritlog
