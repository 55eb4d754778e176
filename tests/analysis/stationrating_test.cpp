#include "analysis/stationrating.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace spritlog {
namespace {

// One record as the station table reads it: station, grade, consumption, price, cost and
// cost per km.
using test::Record;
TextTable Logbook(const std::vector<Record>& records) {
    return test::LogbookOf(
        {ColTankstelle, ColBenzin, ColVerbrauch, ColLiterpreis, ColTankkosten, ColKostenKm},
        records);
}

using Row = std::vector<std::string>;

std::vector<Row> Rows(const TextTable& table) {
    std::vector<Row> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        Row row;
        for (int c = 0; c < table.columnCount(); ++c)
            row.emplace_back(table.cell(c, r));
        rows.push_back(row);
    }
    return rows;
}

const Row kHeader = {"Nr",         "Tankstelle - Benzin", "Anzahl",   "Verbrauch",
                     "Literpreis", "Tankosten",           "Kosten/Km"};
const Row kEmpty(7);

// The straightforward build: a grouping pass, then one scan over all records per group.
std::vector<Row> ReferenceRating(const TextTable& grid) {
    const int n = RecordCount(grid);
    const auto key = [&](int r) {
        return std::string(grid.cell(ColTankstelle, r)) + " (" +
               std::string(grid.cell(ColBenzin, r)) + ")";
    };
    std::vector<std::string> keys;
    for (int r = 1; r <= n; ++r) {
        bool known = false;
        for (const std::string& k : keys)
            known = known || k == key(r);
        if (!known)
            keys.push_back(key(r));
    }
    const int columns[4] = {ColVerbrauch, ColLiterpreis, ColTankkosten, ColKostenKm};
    const auto mean = [](double sum, int values) {
        return values == 0 ? std::string() : NumberToText(sum / values, 2);
    };
    std::vector<Row> rows = {kHeader};
    std::array<double, 4> totals{};
    std::array<int, 4> totalValues{};
    for (std::size_t g = 0; g < keys.size(); ++g) {
        int count = 0;
        std::array<double, 4> sums{};
        std::array<int, 4> values{};
        for (int r = 1; r <= n; ++r) {
            if (key(r) != keys[g])
                continue;
            ++count;
            for (int i = 0; i < 4; ++i) {
                if (grid.cell(columns[i], r).empty())
                    continue;
                sums[i] += TextToNumber(grid.cell(columns[i], r));
                ++values[i];
            }
        }
        Row row = {std::to_string(g + 1), keys[g], std::to_string(count)};
        for (int i = 0; i < 4; ++i) {
            row.push_back(mean(sums[i], values[i]));
            totals[i] += sums[i];
            totalValues[i] += values[i];
        }
        rows.push_back(row);
    }
    Row average = {"", "Durchschnitt", std::to_string(n)};
    for (int i = 0; i < 4; ++i)
        average.push_back(mean(totals[i], totalValues[i]));
    rows.push_back(average);
    rows.push_back(kEmpty);
    return rows;
}

struct RatingCase {
    const char* name;
    std::vector<Record> records;
    std::vector<Row> body; // the rows after the header
};

TEST(StationRating, Tables) {
    const std::vector<RatingCase> cases = {
        // Worked by hand: Nord has one consumption (6.00) and one cost per km (9.60); prices
        // (1.50 + 1.60) / 2, costs (60 + 48) / 2. The average row: consumption (6 + 7) / 2,
        // price 4.50 / 3, cost 157 / 3 = 52.33, cost per km (9.60 + 9.80) / 2.
        {"worked example: every record counts, the newest too",
         {{"Nord", "Super", "", "1.50", "60.00", ""},
          {"West", "Super", " 7.00", "1.40", "49.00", " 9.80"},
          {"Nord", "Super", " 6.00", "1.60", "48.00", " 9.60"}},
         {{"1", "Nord (Super)", "2", " 6.00", " 1.55", "54.00", " 9.60"},
          {"2", "West (Super)", "1", " 7.00", " 1.40", "49.00", " 9.80"},
          {"", "Durchschnitt", "3", " 6.50", " 1.50", "52.33", " 9.70"},
          kEmpty}},
        {"one record",
         {{"Nord", "Super", " 7.00", "1.40", "49.00", " 9.80"}},
         {{"1", "Nord (Super)", "1", " 7.00", " 1.40", "49.00", " 9.80"},
          {"", "Durchschnitt", "1", " 7.00", " 1.40", "49.00", " 9.80"},
          kEmpty}},
        {"a column without values gives an empty cell",
         {{"Nord", "Super", "", "1.50", "60.00", ""}, {"Nord", "Super"}},
         {{"1", "Nord (Super)", "2", "", " 1.50", "60.00", ""},
          {"", "Durchschnitt", "2", "", " 1.50", "60.00", ""},
          kEmpty}},
        {"case, blanks and grade make separate groups",
         {{"Nord", "Super", "", "1"},
          {"nord", "Super", "", "2"},
          {"Nord ", "Super", "", "3"},
          {"Nord", "Diesel", "", "4"},
          {"Nord", "Super", "", "5"},
          {"x", "y"}},
         {{"1", "Nord (Super)", "2", "", " 3.00", "", ""},
          {"2", "nord (Super)", "1", "", " 2.00", "", ""},
          {"3", "Nord  (Super)", "1", "", " 3.00", "", ""},
          {"4", "Nord (Diesel)", "1", "", " 4.00", "", ""},
          {"5", "x (y)", "1", "", "", "", ""},
          {"", "Durchschnitt", "6", "", " 3.00", "", ""},
          kEmpty}},
        {"empty station and grade",
         {{"", "", " 6.00", "1"}, {"", "", " 8.00", "2"}, {"", "", "99", "3"}},
         {{"1", " ()", "3", "37.67", " 2.00", "", ""},
          {"", "Durchschnitt", "3", "37.67", " 2.00", "", ""},
          kEmpty}},
        {"every record weighs the same in the average row",
         {{"A", "S", "", "", "10"},
          {"A", "S", "", "", "20"},
          {"A", "S", "", "", "30"},
          {"B", "S", "", "", "100"},
          {"A", "S"}},
         {{"1", "A (S)", "4", "", "", "20.00", ""},
          {"2", "B (S)", "1", "", "", "100.00", ""},
          {"", "Durchschnitt", "5", "", "", "40.00", ""},
          kEmpty}},
        {"malformed cells count as 0 and still count",
         {{"A", "S", "7,5", "abc", " 9.00 ", "x"}, {"A", "S", " 5.00", "1.5", "9", "7.5"}, {}},
         {{"1", "A (S)", "2", " 2.50", " 0.75", " 4.50", " 3.75"},
          {"", "Durchschnitt", "2", " 2.50", " 0.75", " 4.50", " 3.75"},
          kEmpty}},
        // Blanks in the input cells only: the stale consumption of that record is no value.
        {"empty records take no part",
         {{}, {"A", "S", "", "2"}, {" ", " ", " 9.00"}},
         {{"1", "A (S)", "1", "", " 2.00", "", ""},
          {"", "Durchschnitt", "1", "", " 2.00", "", ""},
          kEmpty}},
        // Kilograms have their own group and their own average row beside the litres'.
        {"petrol and gas: an average row each",
         {{"Nord", "Super", " 6.00", "1.50", "60.00", " 9.00"},
          {"Nord", "Erdgas (kg)", " 4.00", "1.00", "10.00", " 4.00"}},
         {{"1", "Nord (Super)", "1", " 6.00", " 1.50", "60.00", " 9.00"},
          {"2", "Nord (Erdgas (kg))", "1", " 4.00", " 1.00", "10.00", " 4.00"},
          {"", "Durchschnitt Liter", "1", " 6.00", " 1.50", "60.00", " 9.00"},
          {"", "Durchschnitt kg", "1", " 4.00", " 1.00", "10.00", " 4.00"},
          kEmpty}},
        // Worked by hand. Liter: price (1.80 + 1.70) / 2, cost (72 + 68) / 2. kWh over the
        // three charges: consumption (18 + 20) / 2, price (0.30 + 0.32 + 0.50) / 3 = 0.373,
        // cost (6 + 6.40 + 15) / 3 = 9.133, cost per km (5.76 + 10) / 2. AdBlue has its own
        // group (price and cost, no consumption) and is in neither average.
        {"plug-in hybrid: Durchschnitt Liter and Durchschnitt kWh",
         {{"Aral", "Super", "", "1.80", "72.00", ""},
          {"Wallbox", "Strom", "", "0.30", "6.00", ""},
          {"Aral", "Super", " 5.00", "1.70", "68.00", " 8.50"},
          {"Wallbox", "Strom", "18.00", "0.32", "6.40", " 5.76"},
          {"Ionity", "Strom (kWh)", "20.00", "0.50", "15.00", "10.00"},
          {"Aral", "AdBlue", "", "0.90", " 9.00", ""}},
         {{"1", "Aral (Super)", "2", " 5.00", " 1.75", "70.00", " 8.50"},
          {"2", "Wallbox (Strom)", "2", "18.00", " 0.31", " 6.20", " 5.76"},
          {"3", "Ionity (Strom (kWh))", "1", "20.00", " 0.50", "15.00", "10.00"},
          {"4", "Aral (AdBlue)", "1", "", " 0.90", " 9.00", ""},
          {"", "Durchschnitt Liter", "2", " 5.00", " 1.75", "70.00", " 8.50"},
          {"", "Durchschnitt kWh", "3", "19.00", " 0.37", " 9.13", " 7.88"},
          kEmpty}},
        // One energy: the one row "Durchschnitt", with that energy's consumption and price.
        {"electric car: one Durchschnitt in kWh",
         {{"Wallbox", "Strom", "", "0.30", "12.00", ""},
          {"Wallbox", "Strom", "16.00", "0.30", "9.00", " 4.80"},
          {"Ionity", "Strom", "20.00", "0.60", "18.00", "12.00"}},
         {{"1", "Wallbox (Strom)", "2", "16.00", " 0.30", "10.50", " 4.80"},
          {"2", "Ionity (Strom)", "1", "20.00", " 0.60", "18.00", "12.00"},
          {"", "Durchschnitt", "3", "18.00", " 0.40", "13.00", " 8.40"},
          kEmpty}},
        // AdBlue counts and costs in the one row, its price is no diesel price:
        // cost (80 + 10 + 85) / 3 = 58.33, price (1.60 + 1.70) / 2.
        {"diesel with AdBlue: one Durchschnitt",
         {{"Shell", "Diesel", "", "1.60", "80.00", ""},
          {"Shell", "AdBlue", "", "1.00", "10.00", ""},
          {"Shell", "Diesel", " 6.00", "1.70", "85.00", "10.20"}},
         {{"1", "Shell (Diesel)", "2", " 6.00", " 1.65", "82.50", "10.20"},
          {"2", "Shell (AdBlue)", "1", "", " 1.00", "10.00", ""},
          {"", "Durchschnitt", "3", " 6.00", " 1.65", "58.33", "10.20"},
          kEmpty}},
        {"no records: count 0 and empty averages",
         {},
         {{"", "Durchschnitt", "0", "", "", "", ""}, kEmpty}},
    };
    for (const RatingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable info;
        BuildStationRating(Logbook(c.records), info);
        std::vector<Row> expected = {kHeader};
        expected.insert(expected.end(), c.body.begin(), c.body.end());
        EXPECT_EQ(Rows(info), expected);
    }
}

TEST(StationRating, RebuildLeavesNothingOfTheLastBuild) {
    TextTable info(9, 40);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 9; ++c)
            info.setCell(c, r, "old");
    BuildStationRating(Logbook({{"A", "S", "", "2"}, {"B"}}), info);
    const std::vector<Row> expected = {kHeader,
                                       {"1", "A (S)", "1", "", " 2.00", "", ""},
                                       {"2", "B ()", "1", "", "", "", ""},
                                       {"", "Durchschnitt", "2", "", " 2.00", "", ""},
                                       kEmpty};
    EXPECT_EQ(Rows(info), expected);
}

TEST(StationRating, OverflowingSumIsAnError) {
    TextTable info;
    try {
        BuildStationRating(Logbook({{"A", "S", "1e308"}, {"A", "S", "1e308"}, {}}), info);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Datensatz 2, Verbrauch: Summe zu gro\xDF.");
    }
    // Found before the groups' rows are made.
    EXPECT_EQ(info.rowCount(), 2);
}

// Random logbooks with few keys, so groups interleave: same rows, texts and roundings as
// the per-group scan.
TEST(StationRating, MatchesThePerGroupScan) {
    std::mt19937 random(20260612);
    const char* stations[] = {"Nord", "Sued", "West", "", "nord"};
    const char* grades[] = {"Super", "Diesel", ""};
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        std::vector<Record> records(2 + random() % 60);
        for (Record& record : records) {
            // A braced list is evaluated from left to right.
            record = {stations[random() % 5],
                      grades[random() % 3],
                      NumberToText((random() % 100000) / 1000.0, 2),
                      std::to_string(1 + random() % 2) + "." + std::to_string(random() % 1000),
                      NumberToText((random() % 1000000) / 1000.0, 2),
                      NumberToText((random() % 10000) / 7.0, 2)};
        }
        const TextTable grid = Logbook(records);
        TextTable info;
        BuildStationRating(grid, info);
        EXPECT_EQ(Rows(info), ReferenceRating(grid));
    }
}

TEST(StationRating, TenThousandStations) {
    // Keys 0..9999, then the same keys again in reverse order, then one last record.
    const int keys = 10000;
    std::vector<Record> records;
    for (int i = 0; i < keys; ++i)
        records.push_back({"S" + std::to_string(i), "Super", "", std::to_string(i)});
    for (int i = keys - 1; i >= 0; --i)
        records.push_back({"S" + std::to_string(i), "Super", "", "2"});
    records.push_back({"last", "Super"});

    TextTable info;
    BuildStationRating(Logbook(records), info);
    ASSERT_EQ(info.rowCount(), keys + 4);
    for (int i : {0, 1, 4999, 9998, 9999}) {
        SCOPED_TRACE(i);
        const int row = i + 1;
        EXPECT_EQ(info.cell(0, row), std::to_string(row));
        EXPECT_EQ(info.cell(1, row), "S" + std::to_string(i) + " (Super)");
        EXPECT_EQ(info.cell(2, row), "2");
        EXPECT_EQ(info.cell(4, row), NumberToText((i + 2) / 2.0, 2));
    }
    EXPECT_EQ(info.cell(1, keys + 1), "last (Super)");
    EXPECT_EQ(info.cell(1, keys + 2), "Durchschnitt");
    EXPECT_EQ(info.cell(2, keys + 2), "20001");
    // (0 + ... + 9999 + 2 x 10000) / 20000: the last record has no price.
    EXPECT_EQ(info.cell(4, keys + 2), "2500.75");
    EXPECT_EQ(info.cell(1, keys + 3), "");
}

} // namespace
} // namespace spritlog
