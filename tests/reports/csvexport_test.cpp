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

// The caption line of LogbookTable's default headings.
const std::string kCaptions = "Datum;KM-Stand;Liter;Literpreis;KM;Verbrauch;Kosten/Km;Tankkosten;"
                              "Benzin;Tankstelle;Ort;Anmerkung1;Anmerkung2;Anmerkung3;\r\n";

TEST(CsvExport, FourRefuellingsMatchTheReferenceFile) {
    const std::string expected = ReadTestFile("vierfahrten.csv");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Csv(FourRefuellings()), expected);
}

TEST(CsvExport, EmptyLogbookGivesTheCaptionsAlone) {
    EXPECT_EQ(Csv(LogbookTable(0)), kCaptions);
    EXPECT_EQ(Csv(TextTable(15, 0)), "");
}

TEST(CsvExport, OneEmptyRecordGivesFourteenSeparators) {
    EXPECT_EQ(Csv(LogbookTable(1)), kCaptions + std::string(14, ';') + "\r\n");
}

TEST(CsvExport, StationStandsBetweenTheNinthAndTenthSeparator) {
    TextTable grid = LogbookTable(1);
    grid.setCell(10, 1, "Nord");
    EXPECT_EQ(Csv(grid), kCaptions + ";;;;;;;;;Nord;;;;;\r\n");
}

TEST(CsvExport, CaptionsComeFirstAndTheNumberColumnIsNotWritten) {
    TextTable grid = LogbookTable(2, "Anlass", "", "Reifen; Luft");
    grid.setCell(1, 2, "02.01.2025");
    EXPECT_EQ(Csv(grid), "Datum;KM-Stand;Liter;Literpreis;KM;Verbrauch;Kosten/Km;Tankkosten;"
                         "Benzin;Tankstelle;Ort;Anlass;;\"Reifen; Luft\";\r\n" +
                             std::string(14, ';') + "\r\n02.01.2025" + std::string(14, ';') +
                             "\r\n");
}

// A German spreadsheet reads "1,709" as a number, "1.709" as 1709 and " 7,00" as text.
TEST(CsvExport, NumbersGetADecimalCommaAndLoseTheirBlanks) {
    struct Case {
        int column;
        const char* cell;
        const char* written;
    };
    const Case cases[] = {
        {2, "10000", "10000"},
        {2, "-16", "-16"},
        {3, "40", "40"},
        {3, "35.5", "35,5"},
        {4, "1.709", "1,709"},
        {5, "500", "500"},
        {6, " 7.00", "7,00"},
        {6, "-0.22", "-0,22"},
        {7, " 9.80 ", "9,80"},
        {8, "1234.50", "1234,50"},
        {8, "   ", "   "},
        // What is no number stays as it is, and so does every other column.
        {3, "4o", "4o"},
        {4, "1,5", "1,5"},
        {4, "1.2.3", "1.2.3"},
        {2, " 12a", " 12a"},
        {1, "01.03.2024", "01.03.2024"},
        {9, "1.5", "1.5"},
        {12, "3.5 bar", "3.5 bar"},
        {14, "40.5", "40.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.column) + " " + c.cell);
        EXPECT_EQ(CsvCellText(c.column, c.cell), c.written);
        TextTable grid = LogbookTable(1);
        grid.setCell(c.column, 1, c.cell);
        EXPECT_EQ(Csv(grid),
                  kCaptions + std::string(static_cast<std::size_t>(c.column - 1), ';') + c.written +
                      std::string(static_cast<std::size_t>(15 - c.column), ';') + "\r\n");
    }
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
        EXPECT_EQ(Csv(grid), kCaptions + ";;;;;;;;;;" + std::string(c.written) + ";;;;\r\n");
    }
}

TEST(CsvExport, EveryColumnIsQuotedOnItsOwn) {
    TextTable grid = LogbookTable(1);
    for (int c = 1; c <= 14; ++c)
        grid.setCell(c, 1, c % 2 ? "a;" : "b");
    EXPECT_EQ(Csv(grid),
              kCaptions + "\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\"a;\";b;\r\n");
}

} // namespace
} // namespace spritlog
