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

// KM-Stand, Liter, Literpreis, Benzin and a note (Anmerkung3) of each record.
TextTable Logbook(const std::vector<Record>& records) {
    return test::LogbookOf({ColKmStand, ColLiter, ColLiterpreis, ColBenzin, ColNote3}, records);
}

// Verbrauch and Kosten/Km of each record after both passes.
std::vector<std::string> Figures(TextTable grid, ConsumptionRule rule = ConsumptionRule::FullTank) {
    (void)CalculateRecords(grid, rule);
    std::vector<std::string> figures;
    for (int r = 1; r < grid.rowCount(); ++r)
        figures.push_back(std::string(grid.cell(ColVerbrauch, r)) + "|" +
                          std::string(grid.cell(ColKostenKm, r)));
    return figures;
}

TEST(FillUpMarks, ReadFromTheNotes) {
    struct Case {
        const char* note;
        bool partial;
        bool missed;
    };
    const Case cases[] = {
        {"Teilbetankung", true, false},
        {"  teilbetankung wegen Urlaub", true, false},
        {"Fehlende Betankung", false, true},
        {"Teilbetankung, Fehlende Betankung", true, true},
        {"Urlaub; Teilbetankung", true, false},
        {"keine Teilbetankung", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        const FillUpMarks marks = MarksOf(Logbook({{"1", "", "", "", c.note}}), 1);
        EXPECT_EQ(marks.partial, c.partial);
        EXPECT_EQ(marks.missedBefore, c.missed);
    }
    EXPECT_EQ(EnergyOf("Erdgas (kg)"), Energy::Kilogram);
    EXPECT_EQ(EnergyOf("Strom (kWh) "), Energy::KilowattHour);
    EXPECT_EQ(EnergyOf("Super"), Energy::Litre);
}

// Worked by hand; each row's figures are "Verbrauch|Kosten/Km".
TEST(FullTankIntervals, AnIntervalOfNoDistanceIsNamed) {
    TextTable grid = Logbook({{"10000", "40", "1.50"},
                              {"10300", "20", "1.50", "", "Teilbetankung"},
                              {"10000", "25", "1.60"}});
    const std::vector<CellIssue> issues = CalculateRecords(grid, ConsumptionRule::FullTank);
    ASSERT_EQ(issues.size(), 1u);
    EXPECT_EQ(issues[0].message, "Datensatz 3, Verbrauch: nicht berechenbar, KM ist 0.");
}

TEST(FullTankIntervals, HandWorkedCases) {
    struct Case {
        const char* name;
        std::vector<Record> records;
        std::vector<std::string> figures;
    };
    const std::vector<Case> cases = {
        // 20 + 25 l over 600 km: 7.50; 30 + 40 EUR over 600 km: 11.67 per 100 km.
        {"one partial",
         {{"10000", "40", "1.50"},
          {"10300", "20", "1.50", "", "Teilbetankung"},
          {"10600", "25", "1.60"}},
         {"|", " 7.50|11.67", " 7.50|11.67"}},
        // 40 l over 800 km, 80 EUR.
        {"two partials",
         {{"10000", "40", "2"},
          {"10200", "10", "2", "", "Teilbetankung"},
          {"10400", "10", "2", "", "Teilbetankung"},
          {"10800", "20", "2"}},
         {"|", " 5.00|10.00", " 5.00|10.00", " 5.00|10.00"}},
        // Record 2 follows a missed fill-up: no figure; it opens the next interval, which
        // has no partial inside: 30 l over 500 km, 6.00 x 1.60.
        {"missed",
         {{"10000", "40", "1.50"},
          {"10500", "35", "1.40", "", "Fehlende Betankung"},
          {"11000", "30", "1.60"}},
         {"|", "|", " 6.00| 9.60"}},
        {"partial at the end: not known yet",
         {{"10000", "40", "1.50"},
          {"10500", "35", "1.40"},
          {"10800", "20", "1.60", "", "Teilbetankung"}},
         {"|", " 7.00| 9.80", "|"}},
        // The tank was not full at record 1, so record 2 has no start to measure from.
        {"a mark on the first record",
         {{"10000", "40", "1.50", "", "Teilbetankung"},
          {"10500", "35", "1.40"},
          {"11000", "30", "1.60"}},
         {"|", "|", " 6.00| 9.60"}},
        // Petrol from full to full over the gas record between: 30 l over 500 km. Gas: 12 kg
        // over 10200 -> 10700.
        {"two units apart",
         {{"10000", "40", "1.50", "Super"},
          {"10200", "10", "1.00", "Erdgas (kg)"},
          {"10500", "30", "1.60", "Super"},
          {"10700", "12", "1.00", "Erdgas (kg)"}},
         {"|", "|", " 6.00| 9.60", " 2.40| 2.40"}},
        // A plug-in hybrid typed as a driver does. Petrol 15 l over 10000 -> 10600: 2.50,
        // 25.50 EUR over 600 km 4.25; electricity 9.5 kWh over 150 km: 6.33, 3.80 EUR 2.53;
        // 10 kWh over 10300 -> 10800: 2.00, 3.00 EUR over 500 km 0.60. The first charge
        // has no charge before it.
        {"a plug-in hybrid: each energy from its own full record",
         {{"10000", "40", "1.80", "Super"},
          {"10150", "10", "0.30", "Strom"},
          {"10300", "9.5", "0.40", "Strom"},
          {"10600", "15", "1.70", "Super"},
          {"10800", "10", "0.30", "Strom"}},
         {"|", "|", " 6.33| 2.53", " 2.50| 4.25", " 2.00| 0.60"}},
        // AdBlue costs but burns nothing: 48 l over 800 km, 6.00; 72 EUR, 9.00.
        {"AdBlue breaks no chain",
         {{"10000", "40", "1.60", "Diesel"},
          {"10400", "10", "0.90", "AdBlue"},
          {"10800", "48", "1.50", "Diesel"}},
         {"|", "|", " 6.00| 9.00"}},
        // The first diesel follows AdBlue, not a full tank of diesel.
        {"AdBlue first",
         {{"10000", "10", "0.90", "AdBlue"},
          {"10500", "40", "1.50", "Diesel"},
          {"11000", "30", "1.60", "Diesel"}},
         {"|", "|", " 6.00| 9.60"}},
        {"no marks: the per-record figures",
         {{"10000", "40", "1.50"}, {"10500", "35", "1.40"}, {"11000", "30", "1.60"}},
         {"|", " 7.00| 9.80", " 6.00| 9.60"}},
        // Empty litres are passed over: 30 l over 600 km from the full tank before, 5.00;
        // 48.00 EUR over 600 km, 8.00.
        {"a record without litres breaks no chain",
         {{"10000", "40", "1.50"}, {"10300", "", "1.50"}, {"10600", "30", "1.60"}},
         {"|", "|", " 5.00| 8.00"}},
        // 20 + 25 l over 600 km: 7.50; the partial fill-up's cost is unknown.
        {"a partial fill-up without a price leaves the cost open",
         {{"10000", "40", "1.50"},
          {"10300", "20", "", "", "Teilbetankung"},
          {"10600", "25", "1.60"}},
         {"|", " 7.50|", " 7.50|"}},
        // The reading of record 2 cannot be read: its 35 l count for the interval record 3
        // closes, 65 l over 1000 km, 6.50; 49.00 + 48.00 EUR, 9.70; record 2 keeps none.
        {"a full tank without a readable reading counts as a partial one",
         {{"10000", "40", "1.50"}, {"1o500", "35", "1.40"}, {"11000", "30", "1.60"}},
         {"|", "|", " 6.50| 9.70"}},
        {"an interval of 0 km has no consumption",
         {{"10000", "40", "1.50"},
          {"10300", "20", "1.50", "", "Teilbetankung"},
          {"10000", "25", "1.60"}},
         {"|", "|", "|"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Figures(Logbook(c.records)), c.figures);
    }
}

// Per record, too, each energy measures from its own record before; the marks count for
// nothing. Petrol 30 l over 500 km: 6.00 x 1.60; electricity 12 kWh over 500 km: 2.40 x 0.30.
TEST(PerRecordConsumption, EachEnergyFromItsOwnRecord) {
    const TextTable grid = Logbook({{"10000", "40", "1.50", "Super"},
                                    {"10200", "10", "0.30", "Strom (kWh)"},
                                    {"10500", "30", "1.60", "Super", "Teilbetankung"},
                                    {"10700", "12", "0.30", "Strom (kWh)"},
                                    {"10900", "10", "0.90", "AdBlue"}});
    EXPECT_EQ(Figures(grid, ConsumptionRule::PerRecord),
              (std::vector<std::string>{"|", "|", " 6.00| 9.60", " 2.40| 0.72", "|"}));
}

} // namespace
} // namespace spritlog
