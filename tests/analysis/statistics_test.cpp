#include "analysis/statistics.h"
#include "logbook/energies.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

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

// The three records of the logbook's worked example, derived columns as the pass leaves
// them: the newest record has its consumption and cost too.
const std::vector<Record> kExample = {
    {"10000", "40", "1.50", "", "", "60.00"},
    {"10500", "35", "1.40", "500", " 7.00", "49.00"},
    {"11000", "30", "1.60", "500", " 6.00", "48.00"},
};

TEST(Statistics, WorkedExample) {
    // Worked by hand: sums over all three records; consumption 7 and 6 average 6.50; the
    // price mean 1.50 times 6.50 is 9.75 ct; 157 EUR / 3 = 52.33.
    const std::vector<std::string> expected = {
        "1.000 KM",  "105.00 Liter", "157.00 EUR",  " 6.50 L/100KM", "52.33 EUR",   "35.00 Liter",
        "500.00 KM", " 9.75 Ct",     " 6.00 Liter", " 7.00 Liter",   "40.00 Liter", "500.00 KM",
    };
    const StatisticsLabels labels = ComputeStatistics(Logbook(kExample));
    for (int k = 1; k <= 12; ++k) {
        SCOPED_TRACE("L" + std::to_string(k));
        EXPECT_EQ(labels.label(k), expected[k - 1]);
    }
}

struct LabelCase {
    const char* name;
    std::vector<Record> records;
    int label;
    const char* expected;
};

TEST(Statistics, EdgeCases) {
    const std::vector<LabelCase> cases = {
        {"no consumption: no minimum",
         {{"100", "40", "1.5", "", "", ""},
          {"200", "35", "1.4", "100", "", ""},
          {"300", "", "", "100", "", ""}},
         9,
         ""},
        {"no consumption: no maximum",
         {{"100", "40", "1.5", "", "", ""},
          {"200", "35", "1.4", "100", "", ""},
          {"300", "", "", "100", "", ""}},
         10,
         ""},
        {"no consumption: the average is empty, not 0",
         {{"100", "40", "1.5"}, {"200", "35", "1.4", "100"}, {"300", "", "", "100"}},
         4,
         ""},
        {"no consumption: no cost per km", {{"100", "40", "1.5"}, {"200"}, {"300"}}, 8, ""},
        {"no price: no cost per km",
         {{"1", "", "", "", " 6.00"}, {"2", "", "", "", " 8.00"}, {"3"}},
         8,
         ""},
        {"last reading below the first", {{"12000"}, {"11000"}, {"10000"}}, 1, "-2.000 KM"},
        {"grouping counts the minus sign", {{"223456"}, {"150000"}, {"100000"}}, 1, "-.123.456 KM"},
        {"thousands grouped", {{"10000"}, {"20000"}, {"22345"}}, 1, "12.345 KM"},
        {"distance beyond 32 bits is exact",
         {{"-2000000000"}, {"0"}, {"2000000000"}},
         1,
         "4.000.000.000 KM"},
        {"short distance", {{"100"}, {"150"}, {"200"}}, 1, "100 KM"},
        {"empty records at both ends take no part",
         {{}, {"100", "40"}, {" ", " "}, {"150"}, {"200"}, {}},
         1,
         "100 KM"},
        {"no record takes part: no distance", {{}, {" "}, {}}, 1, ""},
        {"no record takes part: no average", {{}, {" "}, {}}, 6, ""},
        {"last record adds its litres",
         {{"1", "10"}, {"2", "20"}, {"3", "999"}},
         2,
         "1029.00 Liter"},
        {"last record can be the maximum",
         {{"1", "10"}, {"2", "20"}, {"3", "999"}},
         11,
         "999.00 Liter"},
        {"last record's consumption can be the minimum",
         {{"1", "", "", "", " 8.00"}, {"2", "", "", "", " 6.00"}, {"3", "", "", "", " 1.00"}},
         9,
         " 1.00 Liter"},
        {"non-numeric consumption counts as 0 for the minimum",
         {{"1", "", "", "", " 8.00"}, {"2", "", "", "", "abc"}, {"3"}},
         9,
         " 0.00 Liter"},
        {"non-numeric consumption is a value of 0 in the average",
         {{"1", "", "", "", " 8.00"}, {"2", "", "", "", "abc"}, {"3"}},
         4,
         " 4.00 L/100KM"},
        {"negative consumption is never the maximum",
         {{"1", "", "", "", "-5.00"}, {"2", "", "", "", "-3.00"}, {"3"}},
         10,
         " 0.00 Liter"},
        {"negative consumption is the minimum",
         {{"1", "", "", "", "-5.00"}, {"2", "", "", "", "-3.00"}, {"3"}},
         9,
         "-5.00 Liter"},
        {"empty litre cells give no maximum", {{"1"}, {"2"}, {"3"}}, 11, ""},
        {"largest distance",
         {{"1", "", "", ""}, {"2", "", "", "700"}, {"3", "", "", "9000"}},
         12,
         "9000.00 KM"},
        {"distance average over the cells that hold one",
         {{"1", "", "", ""}, {"2", "", "", "700"}, {"3", "", "", "100"}, {"4"}},
         7,
         "400.00 KM"},
        {"consumption average over the cells that hold one",
         {{"1", "", "", "", ""}, {"2", "", "", "", " 6.00"}, {"3", "", "", "", " 9.00"}, {"4"}},
         4,
         " 7.50 L/100KM"},
        {"cost per km: average consumption times average price",
         {{"1", "", "2"}, {"2", "", "1", "", " 6.00"}, {"3", "", "", "", " 9.00"}, {"4"}},
         8,
         "11.25 Ct"},
        {"average cost per refuelling",
         {{"1", "", "", "", "", "60.00"},
          {"2", "", "", "", "", "49.00"},
          {"3", "", "", "", "", "1.00"}},
         5,
         "36.67 EUR"},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeStatistics(Logbook(c.records)).label(c.label), c.expected);
    }
}

// Partial fill-ups and other units: KM-Stand, Liter, Verbrauch, Benzin, Anmerkung3.
TEST(Statistics, IntervalsAndUnits) {
    struct Case {
        const char* name;
        std::vector<Record> records;
        ConsumptionRule rule;
        int label;
        const char* expected;
    };
    // From full tank to full tank the partial fill-up shows its interval's 7.50 too; the
    // intervals are 7.50 and 6.00, each once. Per record the cells are the records' own.
    const std::vector<Record> intervals = {{"10000", "40", ""},
                                           {"10300", "20", " 7.50", "", "Teilbetankung"},
                                           {"10600", "25", " 7.50"},
                                           {"11100", "30", " 6.00"}};
    const std::vector<Record> perRecord = {{"10000", "40", ""},
                                           {"10300", "20", " 6.67", "", "Teilbetankung"},
                                           {"10600", "25", " 8.33"},
                                           {"11100", "30", " 6.00"}};
    const std::vector<Record> twoUnits = {{"10000", "40", "", "Super"},
                                          {"10200", "10", " 5.00", "Erdgas (kg)"},
                                          {"10500", "30", " 6.00", "Super"}};
    const std::vector<Case> cases = {
        {"each interval once", intervals, ConsumptionRule::FullTank, 4, " 6.75 L/100KM"},
        {"per record: every record", perRecord, ConsumptionRule::PerRecord, 4, " 7.00 L/100KM"},
        {"kilograms are no litres", twoUnits, ConsumptionRule::FullTank, 2, "70.00 Liter"},
        {"gas consumption stays out", twoUnits, ConsumptionRule::FullTank, 9, " 6.00 Liter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextTable grid =
            test::LogbookOf({ColKmStand, ColLiter, ColVerbrauch, ColBenzin, ColNote3}, c.records);
        EXPECT_EQ(ComputeStatistics(grid, c.rule).label(c.label), c.expected);
    }
    // The page states how many intervals the averages come from: two, not three records.
    EXPECT_EQ(
        ComputeStatistics(
            test::LogbookOf({ColKmStand, ColLiter, ColVerbrauch, ColBenzin, ColNote3}, intervals))
            .intervals,
        2);
}

// The distance driven is the last record's reading minus the first's; where either cannot be
// read it is no figure (the calculation names the cell), never a distance over part of them.
TEST(Statistics, DistanceDrivenNeedsTheFirstAndLastReading) {
    struct Case {
        const char* name;
        std::vector<Record> records;
        const char* expected;
    };
    const Case cases[] = {
        {"last reading no integer", {{"abc", "40"}, {"10500", "35"}, {"1.5", "30"}}, ""},
        {"empty reading of the last record", {{"10000", "40"}, {"10500", "35"}, {"", "30"}}, ""},
        {"bad first reading", {{"10 000", "40"}, {"10500", "35"}, {"11000"}}, ""},
        {"a tab is something typed, no reading", {{"100"}, {"150"}, {"\t"}}, ""},
        {"a bad reading between counts not", {{"1000"}, {"x"}, {"3000"}}, "2.000 KM"},
        {"the last record taking part, not the empty one after it",
         {{"1000", "40"}, {"13500", "35"}, {}},
         "12.500 KM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeStatistics(Logbook(c.records)).label(1), c.expected);
    }
}

TEST(Statistics, ErrorsNameTheRecordAndColumn) {
    struct Case {
        const char* name;
        std::vector<Record> records;
        const char* message;
    };
    const Case cases[] = {
        {"overflowing sum names the record",
         {{"1", "1e308"}, {"2", "1e308"}, {"3"}},
         "Datensatz 2, Liter: Summe zu gro\xDF."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ComputeStatistics(Logbook(c.records));
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
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

namespace spritlog {
namespace {

// A kWh row: its energy is read from the grade in one place, and it stays out of the litre
// figures, whose words are those of the energy litres.
TEST(Statistics, AKilowattHourRowStaysOutOfTheLitreFigures) {
    const TextTable grid = test::LogbookOf({ColKmStand, ColLiter, ColVerbrauch, ColBenzin},
                                           {{"100", "40", "", "Super"},
                                            {"200", "30", " 6.00", "Super"},
                                            {"300", "50", "20.00", "Strom (kWh)"}});
    EXPECT_EQ(EnergyOf(grid.cell(ColBenzin, 3)), Energy::KilowattHour);
    const StatisticsLabels labels = ComputeStatistics(grid);
    const std::string litres = std::string(" ") + WordsOf(Energy::Litre).quantity;
    EXPECT_EQ(labels.label(2), "70.00" + litres); // 40 + 30, not the 50 kWh
    EXPECT_EQ(labels.label(4), std::string(" 6.00 ") + WordsOf(Energy::Litre).consumption);
    EXPECT_EQ(labels.label(11), "40.00" + litres);
    EXPECT_EQ(labels.label(4), " 6.00 L/100KM"); // as the program always wrote it
}

} // namespace
} // namespace spritlog
