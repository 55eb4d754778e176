#include "analysis/statistics.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace spritlog {
namespace {

// One record as the statistics read it: the input columns and the derived ones as a pass
// of CalculateValues left them.
using test::Record;
TextTable Logbook(const std::vector<Record>& records) {
    return test::LogbookOf(
        {ColKmStand, ColLiter, ColLiterpreis, ColKm, ColVerbrauch, ColTankkosten}, records);
}

// The three records of the logbook's worked example, derived columns current.
const std::vector<Record> kExample = {
    {"10000", "40", "1.50", "", "", "60.00"},
    {"10500", "35", "1.40", "500", " 7.00", "49.00"},
    {"11000", "30", "1.60", "500", "", ""},
};

TEST(Statistics, WorkedExampleOnPageAndInWindow) {
    const std::vector<std::string> page = {
        "1.000 KM",  "75.00 Liter", "109.00 EUR",  " 7.00 L/100KM", "54.50 EUR",   "37.50 Liter",
        "250.00 KM", "10.15 Ct",    " 7.00 Liter", " 7.00 Liter",   "40.00 Liter", "500.00 KM",
    };
    std::vector<std::string> window = page;
    window[3] = " 3.50 L/100KM";
    window[7] = " 5.08 Ct"; // 3.5 x 1.45 lies just above 5.075

    const TextTable grid = Logbook(kExample);
    const StatisticsLabels pageLabels = ComputeStatistics(grid, StatisticsTarget::Page);
    const StatisticsLabels windowLabels = ComputeStatistics(grid, StatisticsTarget::Window);
    for (int k = 1; k <= 12; ++k) {
        SCOPED_TRACE("L" + std::to_string(k));
        EXPECT_EQ(pageLabels.label(k), page[k - 1]);
        EXPECT_EQ(windowLabels.label(k), window[k - 1]);
    }
}

struct LabelCase {
    const char* name;
    std::vector<Record> records;
    StatisticsTarget target;
    int label;
    const char* expected;
};

TEST(Statistics, EdgeCases) {
    using T = StatisticsTarget;
    const std::vector<LabelCase> cases = {
        {"no consumption: min stays at its start",
         {{"100", "40", "1.5", "", "", ""},
          {"200", "35", "1.4", "100", "", ""},
          {"300", "", "", "100", "", ""}},
         T::Page,
         9,
         "2147483647.00 Liter"},
        {"no consumption: max stays 0",
         {{"100", "40", "1.5", "", "", ""},
          {"200", "35", "1.4", "100", "", ""},
          {"300", "", "", "100", "", ""}},
         T::Page,
         10,
         " 0.00 Liter"},
        {"last reading below the first",
         {{"12000"}, {"11000"}, {"10000"}},
         T::Page,
         1,
         "-2.000 KM"},
        {"grouping counts the minus sign",
         {{"223456"}, {"150000"}, {"100000"}},
         T::Page,
         1,
         "-.123.456 KM"},
        {"thousands grouped", {{"10000"}, {"20000"}, {"22345"}}, T::Window, 1, "12.345 KM"},
        {"distance beyond 32 bits is exact",
         {{"-2000000000"}, {"0"}, {"2000000000"}},
         T::Page,
         1,
         "4.000.000.000 KM"},
        {"short distance", {{"100"}, {"150"}, {"200"}}, T::Page, 1, "100 KM"},
        {"last record adds no litres",
         {{"1", "10"}, {"2", "20"}, {"3", "999"}},
         T::Page,
         2,
         "30.00 Liter"},
        {"last record is no maximum",
         {{"1", "10"}, {"2", "20"}, {"3", "999"}},
         T::Page,
         11,
         "20.00 Liter"},
        {"last record's consumption is no minimum",
         {{"1", "", "", "", " 8.00"}, {"2", "", "", "", " 6.00"}, {"3", "", "", "", " 1.00"}},
         T::Page,
         9,
         " 6.00 Liter"},
        {"non-numeric consumption counts as 0 for the minimum",
         {{"1", "", "", "", " 8.00"}, {"2", "", "", "", "abc"}, {"3"}},
         T::Page,
         9,
         " 0.00 Liter"},
        {"non-numeric consumption adds nothing",
         {{"1", "", "", "", " 8.00"}, {"2", "", "", "", "abc"}, {"3"}},
         T::Page,
         4,
         " 8.00 L/100KM"},
        {"negative consumption is never the maximum",
         {{"1", "", "", "", "-5.00"}, {"2", "", "", "", "-3.00"}, {"3"}},
         T::Page,
         10,
         " 0.00 Liter"},
        {"negative consumption is the minimum",
         {{"1", "", "", "", "-5.00"}, {"2", "", "", "", "-3.00"}, {"3"}},
         T::Page,
         9,
         "-5.00 Liter"},
        {"empty litre cells give no maximum", {{"1"}, {"2"}, {"3"}}, T::Page, 11, " 0.00 Liter"},
        {"largest distance",
         {{"1", "", "", ""}, {"2", "", "", "700"}, {"3", "", "", "9000"}},
         T::Page,
         12,
         "700.00 KM"},
        {"distance average divides by n - 1",
         {{"1", "", "", ""}, {"2", "", "", "700"}, {"3", "", "", "100"}, {"4"}},
         T::Page,
         7,
         "266.67 KM"},
        {"page consumption divides by n - 2",
         {{"1", "", "", "", ""}, {"2", "", "", "", " 6.00"}, {"3", "", "", "", " 9.00"}, {"4"}},
         T::Page,
         4,
         " 7.50 L/100KM"},
        {"window consumption divides by n - 1",
         {{"1", "", "", "", ""}, {"2", "", "", "", " 6.00"}, {"3", "", "", "", " 9.00"}, {"4"}},
         T::Window,
         4,
         " 5.00 L/100KM"},
        {"cost per km uses the page divisor",
         {{"1", "", "2"}, {"2", "", "1", "", " 6.00"}, {"3", "", "", "", " 9.00"}, {"4"}},
         T::Page,
         8,
         " 7.50 Ct"},
        {"cost per km uses the window divisor",
         {{"1", "", "2"}, {"2", "", "1", "", " 6.00"}, {"3", "", "", "", " 9.00"}, {"4"}},
         T::Window,
         8,
         " 5.00 Ct"},
        {"average cost per refuelling",
         {{"1", "", "", "", "", "60.00"},
          {"2", "", "", "", "", "49.00"},
          {"3", "", "", "", "", "1.00"}},
         T::Window,
         5,
         "54.50 EUR"},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeStatistics(Logbook(c.records), c.target).label(c.label), c.expected);
    }
}

TEST(Statistics, OdometerErrors) {
    struct Case {
        const char* name;
        const char* first;
        const char* last;
        const char* message;
    };
    const Case cases[] = {
        {"last record read first", "abc", "1.5", "'1.5' is not a valid integer value"},
        {"empty last reading", "10000", "", "'' is not a valid integer value"},
        {"bad first reading", "10 000", "11000", "'10 000' is not a valid integer value"},
        {"trailing blank", "10000", "11000 ", "'11000 ' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextTable grid = Logbook({{c.first, "40"}, {"10500", "35"}, {c.last}});
        try {
            ComputeStatistics(grid, StatisticsTarget::Page);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(Statistics, OverflowingSumIsAnError) {
    const TextTable grid = Logbook({{"1", "1e308"}, {"2", "1e308"}, {"3"}});
    try {
        ComputeStatistics(grid, StatisticsTarget::Window);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), kOverflow);
    }
}

TEST(Statistics, NeedsThreeRecords) {
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        const TextTable grid = Logbook(std::vector<Record>(n, Record{"1"}));
        EXPECT_THROW(ComputeStatistics(grid, StatisticsTarget::Page), std::invalid_argument);
    }
}

TEST(Statistics, ScreenLayout) {
    // The window and the CLI print the rows in this order.
    const int order[12] = {1, 2, 3, 4, 6, 5, 7, 8, 9, 10, 11, 12};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(kStatisticsRows[i].label, order[i]) << i;
    EXPECT_STREQ(kStatisticsRows[4].caption, "Tankf\xFC"
                                             "llung:");
    EXPECT_STREQ(kStatisticsRows[5].caption, "Tankkosten:");

    const char* groups[3] = {"Aufrechnung", "Durchschnitt", "Rekorde"};
    int next = 0;
    for (int g = 0; g < 3; ++g) {
        EXPECT_STREQ(kStatisticsGroups[g].caption, groups[g]);
        EXPECT_EQ(kStatisticsGroups[g].firstRow, next);
        next += kStatisticsGroups[g].rowCount;
    }
    EXPECT_EQ(next, 12);
    EXPECT_EQ(kStatisticsGroups[2].firstRow, 8); // "Rekorde" starts with "Min Verbrauch:"
}

} // namespace
} // namespace spritlog
