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
        // Two energies: the main one has the most records; ties go to litres, then kg.
        {"a tie of litres and kWh: litres",
         {{"100", "40", "", "Super"}, {"200", "10", "", "Strom"}},
         ConsumptionRule::FullTank,
         2,
         "40.00 Liter"},
        {"a tie of kg and kWh: kg",
         {{"100", "15", "", "CNG"}, {"200", "10", "", "Ladestrom"}},
         ConsumptionRule::FullTank,
         6,
         "15.00 kg"},
        {"more charges than fills: kWh",
         {{"100", "40", "", "Super"}, {"200", "10", "", "Strom"}, {"300", "8", " 8.00", "Strom"}},
         ConsumptionRule::FullTank,
         11,
         "10.00 kWh"},
        {"charges without a consumption: no minimum",
         {{"100", "30", "", "Strom (kWh)"}, {"200", "20", "", "Strom (kWh)"}},
         ConsumptionRule::FullTank,
         9,
         ""},
        {"charges without a consumption: no maximum",
         {{"100", "30", "", "Strom (kWh)"}, {"200", "20", "", "Strom (kWh)"}},
         ConsumptionRule::FullTank,
         10,
         ""},
        {"AdBlue alone: no litres, no consumption",
         {{"100", "10", "", "AdBlue"}, {"200", "12", "", "AdBlue"}},
         ConsumptionRule::FullTank,
         2,
         " 0.00 Liter"},
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

#include "analysis/energytable.h"
#include "logbook/derivedvalues.h"

#include <array>

namespace spritlog {
namespace {

// Logbooks typed as their drivers type them (Datum, KM-Stand, Liter, Literpreis, Benzin),
// the derived columns calculated as the program does, from full tank to full tank. Every
// figure below is worked out by hand in the comments.
struct EnergyCase {
    const char* name;
    std::vector<Record> records;
    std::array<const char*, 12> labels;             // L1..L12
    std::array<const char*, 3> captions;            // beside L2, L6 and L11
    std::vector<StatisticsLine> lines;              // below the twelve
    std::vector<std::vector<std::string>> energies; // the energy table without its caption row
};

std::vector<EnergyCase> EnergyCases() {
    return {
        // Plug-in hybrid: 3 fills of Super, 4 charges typed "Strom", so kWh is the main energy.
        // KM: -, 200, 200, 400, 200, 100, 100 (1200 in all, mean 200, largest 400 on a fill).
        // Tankkosten: 72.00, 3.00, 3.60, 34.00, 4.80, 3.00, 54.00 = 174.40, mean 24.91.
        // Super from full to full: 20 l over 10000..10800 = 2.50, 30 l over 10800..11200 =
        // 7.50; mean 5.00 L/100KM, price mean (1.80 + 1.70 + 1.80) / 3 = 1.7667, 8.83 ct.
        // Strom: the first charge has no figure; 12 kWh over 200 km = 6.00, 12 over
        // 10400..11000 = 2.00, 5 over 100 = 5.00; mean 13 / 3 = 4.33, price mean 0.40,
        // 1.73 ct. L8 = 8.8333 + 1.7333 = 10.57. Quantities 90 l and 39 kWh (mean 9.75,
        // largest 12); L12 over the charges' KM: 200, not the fill's 400.
        {"plug-in hybrid",
         {{"02.03.2026", "10000", "40", "1.80", "Super"},
          {"06.03.2026", "10200", "10", "0.30", "Strom"},
          {"12.03.2026", "10400", "12", "0.30", "Strom"},
          {"18.03.2026", "10800", "20", "1.70", "Super"},
          {"24.03.2026", "11000", "12", "0.40", "Strom"},
          {"28.03.2026", "11100", "5", "0.60", "Strom"},
          {"30.03.2026", "11200", "30", "1.80", "Super"}},
         {"1.200 KM", "39.00 kWh", "174.40 EUR", " 4.33 kWh/100KM", "24.91 EUR", " 9.75 kWh",
          "200.00 KM", "10.57 Ct", " 2.00 kWh/100KM", " 6.00 kWh/100KM", "12.00 kWh", "200.00 KM"},
         {"Geladene kWh:", "Ladung:", "Max Ladung:"},
         {{"Kraftstoff:", {"90.00 Liter", " 5.00 L/100KM", "160.00 EUR"}},
          {"Strom:", {"39.00 kWh", " 4.33 kWh/100KM", "14.40 EUR"}},
          {"Verbrauch kombiniert:", {" 5.00 L + 4.33 kWh /100KM"}}},
         {{"Liter", "90.00", "160.00", "5.00", "8.83"},
          {"kWh", "39.00", "14.40", "4.33", "1.73"},
          {"Gesamt", "", "174.40", "", "10.57"}}},
        // Electric car, twelve charges: KM 200, 200, 300, 200, 200, 200, 200, 300, 200, 200,
        // 200 (2400, mean 218.18, largest 300). kWh/100KM 18, 17, 16, 20, 19, 15, 16, 18, 21,
        // 17, 14: sum 191 over 11 = 17.36, smallest 14, largest 21. 446 kWh, mean 37.17,
        // largest 54. Price mean (10 x 0.35 + 2 x 0.59) / 12 = 0.39, 17.3636 x 0.39 = 6.77.
        // Tankkosten 344 kWh x 0.35 + 102 x 0.59 = 120.40 + 60.18 = 180.58, mean 15.05.
        {"electric car",
         {{"01.02.2026", "20000", "30", "0.35", "Strom"},
          {"04.02.2026", "20200", "36", "0.35", "Strom"},
          {"07.02.2026", "20400", "34", "0.35", "Strom"},
          {"10.02.2026", "20700", "48", "0.59", "Strom"},
          {"13.02.2026", "20900", "40", "0.35", "Strom"},
          {"16.02.2026", "21100", "38", "0.35", "Strom"},
          {"19.02.2026", "21300", "30", "0.35", "Strom"},
          {"22.02.2026", "21500", "32", "0.35", "Strom"},
          {"25.02.2026", "21800", "54", "0.59", "Strom"},
          {"28.02.2026", "22000", "42", "0.35", "Strom"},
          {"03.03.2026", "22200", "34", "0.35", "Strom"},
          {"06.03.2026", "22400", "28", "0.35", "Strom"}},
         {"2.400 KM", "446.00 kWh", "180.58 EUR", "17.36 kWh/100KM", "15.05 EUR", "37.17 kWh",
          "218.18 KM", " 6.77 Ct", "14.00 kWh/100KM", "21.00 kWh/100KM", "54.00 kWh", "300.00 KM"},
         {"Geladene kWh:", "Ladung:", "Max Ladung:"},
         {},
         {{"kWh", "446.00", "180.58", "17.36", "6.77"}, {"Gesamt", "", "180.58", "", "6.77"}}},
        // Bi-fuel gas car: 5 fills of natural gas ("Erdgas", "CNG"), 2 of Super. KM 350, 50,
        // 350, 300, 200, 200 (1450, mean 241.67); the gas fills' largest 350.
        // Gas: 14 kg over 350 km = 4.00; 18 over 10350..10750 = 4.50; 12 over 300 = 4.00;
        // 10 over 11050..11450 = 2.50; mean 3.75. 69 kg, mean 13.80, largest 18. Price mean
        // 6.25 / 5 = 1.25, 3.75 x 1.25 = 4.6875. Super: 8.5 l over 10400..11250 = 1.00, price
        // mean 1.85, 1.85 ct. L8 = 6.5375. Tankkosten 18.00, 16.80, 36.00, 23.40, 15.60, 16.15,
        // 12.50 = 138.45, mean 19.78; gas 86.30, Super 52.15.
        {"bi-fuel gas car",
         {{"01.04.2026", "10000", "15", "1.20", "Erdgas"},
          {"05.04.2026", "10350", "14", "1.20", "Erdgas"},
          {"06.04.2026", "10400", "20", "1.80", "Super"},
          {"10.04.2026", "10750", "18", "1.30", "CNG"},
          {"14.04.2026", "11050", "12", "1.30", "Erdgas"},
          {"17.04.2026", "11250", "8.5", "1.90", "Super"},
          {"20.04.2026", "11450", "10", "1.25", "Erdgas"}},
         {"1.450 KM", "69.00 kg", "138.45 EUR", " 3.75 kg/100KM", "19.78 EUR", "13.80 kg",
          "241.67 KM", " 6.54 Ct", " 2.50 kg/100KM", " 4.50 kg/100KM", "18.00 kg", "350.00 KM"},
         {"Getankte kg:", "Tankf\xFCllung:", "Max Tankf\xFCllung:"},
         {{"Kraftstoff:", {"28.50 Liter", " 1.00 L/100KM", "52.15 EUR"}},
          {"Gas:", {"69.00 kg", " 3.75 kg/100KM", "86.30 EUR"}},
          {"Verbrauch kombiniert:", {" 1.00 L + 3.75 kg /100KM"}}},
         {{"Liter", "28.50", "52.15", "1.00", "1.85"},
          {"kg", "69.00", "86.30", "3.75", "4.69"},
          {"Gesamt", "", "138.45", "", "6.54"}}},
        // Diesel with AdBlue: one energy, so the figures of litres; AdBlue's 10 l are in no
        // quantity, its 9.00 EUR in the costs, its price in no mean, its record's 200 km in the
        // distances. Diesel: 48 l over 800 km = 6.00, 49 over 50800..51500 = 7.00, 40 over 800
        // = 5.00; mean 6.00; 187 l, mean 46.75. Price mean 6.60 / 4 = 1.65, 9.90 ct.
        // Tankkosten 80.00, 81.60, 9.00, 83.30, 64.00 = 317.90, mean 63.58. KM 800, 200, 500,
        // 800: mean 575, largest 800.
        {"diesel with AdBlue",
         {{"01.05.2026", "50000", "50", "1.60", "Diesel"},
          {"15.05.2026", "50800", "48", "1.70", "Diesel"},
          {"20.05.2026", "51000", "10", "0.90", "AdBlue"},
          {"29.05.2026", "51500", "49", "1.70", "Diesel"},
          {"12.06.2026", "52300", "40", "1.60", "Diesel"}},
         {"2.300 KM", "187.00 Liter", "317.90 EUR", " 6.00 L/100KM", "63.58 EUR", "46.75 Liter",
          "575.00 KM", " 9.90 Ct", " 5.00 Liter", " 7.00 Liter", "50.00 Liter", "800.00 KM"},
         {"Getankte Liter:", "Tankf\xFCllung:", "Max Tankf\xFCllung:"},
         {},
         {{"Liter", "187.00", "308.90", "6.00", "9.90"},
          {"AdBlue", "10.00", "9.00", "", ""},
          {"Gesamt", "", "317.90", "", "9.90"}}},
        // A plug-in hybrid with one charge so far: its kWh have no consumption yet, so neither
        // the car's cost per km nor the combined consumption can be given. Super: 30 l over
        // 600 km = 5.00, price mean 1.75, 8.75 ct. KM 300 and 300; Tankkosten 72.00, 3.00,
        // 51.00 = 126.00, mean 42.00.
        {"plug-in hybrid, one charge",
         {{"02.03.2026", "10000", "40", "1.80", "Super"},
          {"06.03.2026", "10300", "10", "0.30", "Strom"},
          {"12.03.2026", "10600", "30", "1.70", "Super"}},
         {"600 KM", "70.00 Liter", "126.00 EUR", " 5.00 L/100KM", "42.00 EUR", "35.00 Liter",
          "300.00 KM", "", " 5.00 Liter", " 5.00 Liter", "40.00 Liter", "300.00 KM"},
         {"Getankte Liter:", "Tankf\xFCllung:", "Max Tankf\xFCllung:"},
         {{"Kraftstoff:", {"70.00 Liter", " 5.00 L/100KM", "123.00 EUR"}},
          {"Strom:", {"10.00 kWh", "", " 3.00 EUR"}},
          {"Verbrauch kombiniert:", {""}}},
         {{"Liter", "70.00", "123.00", "5.00", "8.75"},
          {"kWh", "10.00", "3.00", "", ""},
          {"Gesamt", "", "126.00", "", ""}}},
    };
}

TEST(Statistics, EnergiesWorkedByHand) {
    for (const EnergyCase& c : EnergyCases()) {
        SCOPED_TRACE(c.name);
        TextTable grid = test::LogbookOf(c.records);
        ASSERT_TRUE(CalculateRecords(grid, ConsumptionRule::FullTank).empty());
        const StatisticsLabels labels = ComputeStatistics(grid);
        for (int k = 1; k <= 12; ++k)
            EXPECT_EQ(labels.label(k), c.labels[k - 1]) << "L" << k;
        EXPECT_EQ(labels.caption(2), c.captions[0]);
        EXPECT_EQ(labels.caption(6), c.captions[1]);
        EXPECT_EQ(labels.caption(11), c.captions[2]);
        EXPECT_EQ(labels.caption(4), "Verbrauch:");
        ASSERT_EQ(labels.lines.size(), c.lines.size());
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(labels.lines[i].caption, c.lines[i].caption);
            EXPECT_EQ(labels.lines[i].parts, c.lines[i].parts);
        }
        std::vector<std::vector<std::string>> table = EnergyTable(grid);
        ASSERT_FALSE(table.empty());
        EXPECT_EQ(table.front(), (std::vector<std::string>{"Energie", "Menge", "Kosten",
                                                           "Verbrauch", "Kosten je KM"}));
        table.erase(table.begin());
        EXPECT_EQ(table, c.energies);
    }
}

// A line shows the parts that hold a figure, without the blanks that align them.
TEST(Statistics, EnergyLineText) {
    EXPECT_EQ((StatisticsLine{"Strom:", {" 9.00 kWh", " 4.33 kWh/100KM", "14.40 EUR"}}.text()),
              "9.00 kWh, 4.33 kWh/100KM, 14.40 EUR");
    EXPECT_EQ((StatisticsLine{"AdBlue:", {"10.00 Liter", "", " 9.00 EUR"}}.text()),
              "10.00 Liter, 9.00 EUR");
    EXPECT_EQ((StatisticsLine{"Verbrauch kombiniert:", {""}}.text()), "");
}

} // namespace
} // namespace spritlog
