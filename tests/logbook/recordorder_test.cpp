#include "logbook/logbooktable.h"
#include "logbook/recordorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

struct Record {
    const char* date;
    const char* odometer;
    const char* note = "";
};

TextTable LogbookOf(const std::vector<Record>& records) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(static_cast<int>(records.size()) + 1);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.setCell(ColDatum, row, records[i].date);
        grid.setCell(ColKmStand, row, records[i].odometer);
        grid.setCell(ColNote1, row, records[i].note);
        grid.setCell(ColKm, row, "derived " + std::to_string(row));
    }
    return grid;
}

// The notes in the order the records have after sorting.
std::vector<std::string> SortedNotes(const std::vector<Record>& records) {
    TextTable grid = LogbookOf(records);
    const std::vector<int> moved = SortRecordsByDate(grid);
    std::vector<std::string> notes;
    for (int row = 1; row <= RecordCount(grid); ++row) {
        notes.emplace_back(grid.cell(ColNote1, row));
        // Every cell of the record moves along.
        EXPECT_EQ(grid.cell(ColKm, moved[static_cast<std::size_t>(row)]),
                  "derived " + std::to_string(row));
    }
    return notes;
}

TEST(RecordOrder, DayOfDateCell) {
    EXPECT_EQ(DayOfDateCell("01.01.1970"), 0);
    EXPECT_EQ(DayOfDateCell("02.01.1970"), 1);
    EXPECT_EQ(DayOfDateCell("01.03.2024"), 19783); // 54 years, 13 of them leap, 60 days
    EXPECT_EQ(*DayOfDateCell("01.03.2024") - *DayOfDateCell("28.02.2024"), 2);
    EXPECT_EQ(*DayOfDateCell("01.01.2025") - *DayOfDateCell("31.12.2024"), 1);
    EXPECT_EQ(DayOfDateCell("31.12.1969"), -1);
    EXPECT_FALSE(DayOfDateCell("29.02.2025"));
    EXPECT_FALSE(DayOfDateCell("1.3.2024"));
    EXPECT_FALSE(DayOfDateCell(""));
}

TEST(RecordOrder, SortByDateThenOdometer) {
    using Notes = std::vector<std::string>;
    const struct {
        const char* name;
        std::vector<Record> records;
        Notes sorted;
    } cases[] = {
        {"in order stays", {{"01.03.2024", "100", "a"}, {"02.03.2024", "200", "b"}}, {"a", "b"}},
        {"a receipt typed in late",
         {{"01.03.2024", "100", "a"}, {"10.03.2024", "300", "c"}, {"05.03.2024", "200", "b"}},
         {"a", "b", "c"}},
        {"same day by odometer",
         {{"01.03.2024", "300", "b"}, {"01.03.2024", "100", "a"}},
         {"a", "b"}},
        {"same day and reading keep their order",
         {{"01.03.2024", "100", "x"}, {"01.03.2024", "100", "y"}, {"28.02.2024", "50", "w"}},
         {"w", "x", "y"}},
        {"no reading comes last in its day",
         {{"01.03.2024", "", "b"}, {"01.03.2024", "100", "a"}, {"02.03.2024", "50", "c"}},
         {"a", "b", "c"}},
        {"undated stays behind the record before it",
         {{"10.03.2024", "300", "c"}, {"", "310", "c2"}, {"05.03.2024", "200", "b"}},
         {"b", "c", "c2"}},
        {"undated at the start stay first",
         {{"", "", "x"}, {"10.03.2024", "300", "b"}, {"05.03.2024", "200", "a"}},
         {"x", "a", "b"}},
        {"empty records at the end stay there",
         {{"10.03.2024", "300", "b"}, {"05.03.2024", "200", "a"}, {"", "", ""}},
         {"a", "b", ""}},
        {"years count before months",
         {{"01.02.2025", "900", "b"}, {"01.12.2024", "800", "a"}},
         {"a", "b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SortedNotes(c.records), c.sorted);
    }
}

TEST(RecordOrder, OdometerDrops) {
    const TextTable grid = LogbookOf({{"01.03.2024", "100"},
                                      {"02.03.2024", ""},
                                      {"03.03.2024", "90"},
                                      {"04.03.2024", "x"},
                                      {"05.03.2024", "95"},
                                      {"06.03.2024", "200"}});
    EXPECT_EQ(FirstOdometerDrop(grid), 3);
    // Row 3 reads lower than row 1 (row 2 has no reading); row 1 reads higher than row 3.
    const bool around[] = {false, true, false, true, false, false, false};
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(OdometerDropAround(grid, row), around[row]) << row;
    EXPECT_EQ(FirstOdometerDrop(LogbookOf({{"", "1"}, {"", "1"}, {"", "2"}})), 0);
}

} // namespace
} // namespace spritlog
