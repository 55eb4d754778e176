// An import meeting the logbook: refuellings it has already, and where the others go.
#include "import/csvimport.h"
#include "import/logbookmerge.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spritlog {
namespace {

struct Refuelling {
    const char* date;
    const char* odometer;
    const char* litres;
};

TextTable LogbookOf(const std::vector<Refuelling>& records) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(static_cast<int>(records.size()) + 1);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.setCell(ColDatum, row, records[i].date);
        grid.setCell(ColKmStand, row, records[i].odometer);
        grid.setCell(ColLiter, row, records[i].litres);
    }
    return grid;
}

ImportResult ImportOf(const std::vector<Refuelling>& records) {
    ImportResult result;
    result.format = ImportFormat::Spritmonitor;
    int line = 2;
    for (const Refuelling& r : records) {
        ImportRecord record;
        record.line = line++;
        record.cells[ColDatum] = r.date;
        record.cells[ColKmStand] = r.odometer;
        record.cells[ColLiter] = r.litres;
        record.cells[ColOrt] = "neu";
        result.records.push_back(record);
    }
    return result;
}

// The logbook record 15.03.2024, 10500 km, 40 litres against imported ones.
TEST(LogbookMerge, SameRefuellingWithinTheSourcesRounding) {
    const struct {
        const char* name;
        Refuelling imported;
        bool same;
    } cases[] = {
        {"identical", {"15.03.2024", "10500", "40"}, true},
        {"a day later", {"16.03.2024", "10500", "40"}, true},
        {"a day earlier", {"14.03.2024", "10500", "40"}, true},
        {"two days later", {"17.03.2024", "10500", "40"}, false},
        {"1 km more", {"15.03.2024", "10501", "40"}, true},
        {"1 km less", {"15.03.2024", "10499", "40"}, true},
        {"2 km more", {"15.03.2024", "10502", "40"}, false},
        // 0.5 % of 40 litres: 0.2.
        {"0.2 litres more", {"15.03.2024", "10500", "40.2"}, true},
        {"0.21 litres less", {"15.03.2024", "10500", "39.79"}, false},
        {"0.21 litres more", {"15.03.2024", "10500", "40.21"}, false},
        {"another refuelling", {"15.03.2024", "10500", "20"}, false},
        {"no date", {"", "10500", "40"}, false},
        {"no reading", {"15.03.2024", "", "40"}, false},
        {"no quantity", {"15.03.2024", "10500", ""}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameRefuelling("15.03.2024", "10500", "40", c.imported.date, c.imported.odometer,
                                 c.imported.litres),
                  c.same)
            << c.name;
    }
    // 18.205 and 18.21 US gallons, converted: 68.9134 and 68.9323 litres.
    EXPECT_TRUE(SameRefuelling("01.01.2024", "5000", "68.913", "01.01.2024", "5000", "68.932"));
    // Small quantities: at least 0.05 litres (0.5 % of 4 litres would be 0.02).
    EXPECT_TRUE(SameRefuelling("01.01.2024", "5000", "4", "01.01.2024", "5000", "4.05"));
    EXPECT_FALSE(SameRefuelling("01.01.2024", "5000", "4", "01.01.2024", "5000", "4.06"));
}

TEST(LogbookMerge, KnownRefuellingsAreLeftOutAndNamed) {
    const TextTable grid = LogbookOf({
        {"01.03.2024", "10000", "40"},
        {"15.03.2024", "10500", "35"},
        {"", "", ""},
        {"02.04.2024", "11000", "30"},
    });
    ImportResult result = ImportOf({
        {"16.03.2024", "10501", "35.1"}, // record 2
        {"20.03.2024", "10700", "12"},
        {"02.04.2024", "11000", "30"}, // record 4
        {"01.03.2024", "10000", "20"}, // same day and reading, another quantity
    });
    SkipRecordsInLogbook(result, grid);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[0].line, 3);
    EXPECT_EQ(result.records[1].line, 5);
    ASSERT_EQ(result.summary.inLogbook.size(), 2u);
    EXPECT_EQ(result.summary.inLogbook[0].line, 2);
    EXPECT_EQ(result.summary.inLogbook[0].record, 2);
    EXPECT_EQ(result.summary.inLogbook[1].line, 4);
    EXPECT_EQ(result.summary.inLogbook[1].record, 4);
    const std::vector<std::string> lines = ImportSummaryLines(result);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Schon im Tankbuch, ausgelassen: 2 (Zeile 2 wie Datensatz 2, Zeile 4 wie "
                        "Datensatz 4)"),
              lines.end());
}

// The records of the logbook and the import, in the order the logbook has them afterwards,
// named by their date ("-" for none); rows of the import carry "neu" in Ort.
std::vector<std::string> Placed(const std::vector<Refuelling>& logbook,
                                const std::vector<Refuelling>& imported) {
    TextTable grid = LogbookOf(logbook);
    PlaceImportedRecords(grid, ImportOf(imported));
    std::vector<std::string> order;
    for (int row = 1; row <= RecordCount(grid); ++row) {
        std::string name(grid.cell(ColDatum, row));
        if (name.empty())
            name =
                grid.cell(ColKmStand, row).empty() ? "-" : std::string(grid.cell(ColKmStand, row));
        order.push_back(name.substr(0, 5) + (grid.cell(ColOrt, row) == "neu" ? "+" : ""));
    }
    return order;
}

TEST(LogbookMerge, ImportedRecordsGoWhereTheirDatesPutThem) {
    using Order = std::vector<std::string>;
    // Between, before and after the logbook's records.
    EXPECT_EQ(
        Placed(
            {{"10.03.2024", "1000", "1"}, {"20.03.2024", "2000", "1"}},
            {{"05.03.2024", "500", "1"}, {"15.03.2024", "1500", "1"}, {"25.03.2024", "2500", "1"}}),
        (Order{"05.03+", "10.03", "15.03+", "20.03", "25.03+"}));
    // The same day: by reading.
    EXPECT_EQ(Placed({{"10.03.2024", "1000", "1"}, {"10.03.2024", "1200", "1"}},
                     {{"10.03.2024", "1100", "1"}}),
              (Order{"10.03", "10.03+", "10.03"}));
    // An undated logbook record stays behind the one before it; empty records at the end
    // stay at the end.
    EXPECT_EQ(Placed({{"10.03.2024", "1000", "1"},
                      {"", "1100", "1"},
                      {"20.03.2024", "2000", "1"},
                      {"", "", ""}},
                     {{"12.03.2024", "1200", "1"}, {"25.03.2024", "2500", "1"}}),
              (Order{"10.03", "1100", "12.03+", "20.03", "25.03+", "-"}));
    // A logbook out of order keeps its order; each new record goes before the first one
    // that comes after it.
    EXPECT_EQ(Placed({{"20.03.2024", "2000", "1"}, {"10.03.2024", "1000", "1"}},
                     {{"15.03.2024", "1500", "1"}}),
              (Order{"15.03+", "20.03", "10.03"}));
    // After "Neu" the one empty record gives way.
    EXPECT_EQ(Placed({{"", "", ""}}, {{"15.03.2024", "1500", "1"}}), (Order{"15.03+"}));
    // Imported records without a date go with the one before them, or at the end.
    EXPECT_EQ(Placed({{"10.03.2024", "1000", "1"}, {"20.03.2024", "2000", "1"}},
                     {{"", "7", "1"}, {"05.03.2024", "500", "1"}, {"", "8", "1"}}),
              (Order{"05.03+", "8+", "10.03", "20.03", "7+"}));
}

TEST(LogbookMerge, TooManyRecordsLeaveTheLogbookAlone) {
    TextTable grid = LogbookOf({{"10.03.2024", "1000", "1"}, {"20.03.2024", "2000", "1"}});
    EXPECT_THROW(PlaceImportedRecords(grid, ImportOf({{"15.03.2024", "1500", "1"}}), 2), Error);
    EXPECT_EQ(RecordCount(grid), 2);
    EXPECT_EQ(grid.cell(ColDatum, 2), "20.03.2024");
}

// The same real export imported twice: the second time adds nothing, and its own
// refuelling listed twice is named.
TEST(LogbookMerge, RealExportImportedTwiceAddsNothing) {
    std::ifstream in(std::string(SPRITLOG_REALDATA) + "/import/sm-de-20col-civic.csv",
                     std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        GTEST_SKIP() << "real exports not found in " SPRITLOG_REALDATA "/import";
    ImportResult first = ParseImportFile(bytes);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.summary.duplicates.size(), 1u);
    TextTable grid = NewLogbookTable();
    SkipRecordsInLogbook(first, grid);
    EXPECT_TRUE(first.summary.inLogbook.empty());
    PlaceImportedRecords(grid, first);
    const int records = RecordCount(grid);
    EXPECT_EQ(static_cast<std::size_t>(records), first.records.size());

    ImportResult again = ParseImportFile(bytes);
    SkipRecordsInLogbook(again, grid);
    EXPECT_TRUE(again.records.empty());
    EXPECT_EQ(again.summary.inLogbook.size(), static_cast<std::size_t>(records));
}

} // namespace
} // namespace spritlog
