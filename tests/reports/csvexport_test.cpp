#include "reportfixtures.h"
#include "reports/csvexport.h"

#include <gtest/gtest.h>

#include <string>

namespace spritlog {
namespace {

using testing::FourRefuellings;
using testing::LogbookTable;
using testing::ReadTestFile;

std::string Csv(const TextTable& grid) {
    StringSink sink;
    WriteCsvFile(sink, grid);
    return sink.text;
}

TEST(CsvExport, FourRefuellingsMatchTheReferenceFile) {
    const std::string expected = ReadTestFile("vierfahrten.csv");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Csv(FourRefuellings()), expected);
}

TEST(CsvExport, EmptyLogbookGivesAnEmptyFile) {
    EXPECT_EQ(Csv(LogbookTable(0)), "");
}

TEST(CsvExport, OneEmptyRecordGivesFourteenSeparators) {
    EXPECT_EQ(Csv(LogbookTable(1)), std::string(14, ';') + "\r\n");
}

TEST(CsvExport, StationStandsBetweenTheNinthAndTenthSeparator) {
    TextTable grid = LogbookTable(1);
    grid.setCell(10, 1, "Nord");
    EXPECT_EQ(Csv(grid), ";;;;;;;;;Nord;;;;;\r\n");
}

TEST(CsvExport, HeaderRowAndNumberColumnAreNotWritten) {
    TextTable grid = LogbookTable(2);
    grid.setCell(1, 2, "02.01.2025");
    EXPECT_EQ(Csv(grid), std::string(14, ';') + "\r\n02.01.2025" + std::string(14, ';') + "\r\n");
}

TEST(CsvExport, CellsAreQuotedOnlyWhenTheyHoldSeparatorOrQuote) {
    struct Case {
        const char* name;
        const char* cell;
        const char* written;
    };
    const Case cases[] = {
        {"plain", "Aral", "Aral"},
        {"comma stays", "1,5", "1,5"},
        {"blanks kept", " 7.00 ", " 7.00 "},
        {"umlaut bytes", "M\xFCnchen", "M\xFCnchen"},
        {"apostrophe", "Sam's", "Sam's"},
        {"semicolon", "a;b", "\"a;b\""},
        {"only semicolon", ";", "\";\""},
        {"quote doubled", "Tank \"Nord\"", "\"Tank \"\"Nord\"\"\""},
        {"only quote", "\"", "\"\"\"\""},
        {"both", "x\";y", "\"x\"\";y\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable grid = LogbookTable(1);
        grid.setCell(11, 1, c.cell);
        EXPECT_EQ(Csv(grid), ";;;;;;;;;;" + std::string(c.written) + ";;;;\r\n");
    }
}

TEST(CsvExport, EveryColumnIsQuotedOnItsOwn) {
    TextTable grid = LogbookTable(1);
    for (int c = 1; c <= 14; ++c)
        grid.setCell(c, 1, c % 2 ? "a;" : "b");
    EXPECT_EQ(Csv(grid), "\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\r\n");
}

} // namespace
} // namespace spritlog
