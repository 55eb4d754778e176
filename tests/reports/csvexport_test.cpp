#include "logbook/logbooktable.h"
#include "reportfixtures.h"
#include "reports/csvexport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using testing::FourRefuellings;
using testing::LogbookTable;
using testing::PlugInHybrid;
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

// Each record's unit after the notes, where the records are not all of litres; the record
// that takes no part has none.
TEST(CsvExport, PlugInHybridGetsTheUnitOfEachRecord) {
    EXPECT_EQ(Csv(PlugInHybrid()),
              "Datum;KM-Stand;Liter;Literpreis;KM;Verbrauch;Kosten/Km;Tankkosten;Benzin;"
              "Tankstelle;Ort;Anmerkung1;Anmerkung2;Anmerkung3;Einheit;\r\n"
              "01.03.2024;10000;40;1,80;;;;72,00;Super;Aral;M\xFCnchen;;;;Liter;\r\n"
              "05.03.2024;10150;10;0,30;150;;;3,00;Strom;Wallbox;M\xFCnchen;;;;kWh;\r\n"
              "09.03.2024;10300;9,5;0,40;150;6,33;2,53;3,80;Strom;EnBW;Augsburg;;;;kWh;\r\n"
              "15.03.2024;10600;15;1,70;300;2,50;4,25;25,50;Super;Shell;Augsburg;;;;Liter;\r\n"
              "20.03.2024;10800;10;0,30;200;2,00;0,60;3,00;Strom;Wallbox;M\xFCnchen;;;;kWh;\r\n" +
                  std::string(15, ';') + "\r\n");
}

// Which logbooks get the column Einheit, and what a record of one grade writes in it.
TEST(CsvExport, TheUnitColumnComesOnlyBeyondLitres) {
    struct Case {
        const char* name;
        std::vector<const char*> grades; // one record each
        const char* units;               // the last field of each record's line, joined by "|"
    };
    const Case cases[] = {
        {"litres alone", {"Super", "Diesel", "Autogas (LPG)", ""}, nullptr},
        {"a word that only begins like Strom", {"Stromer", "Super"}, nullptr},
        {"electricity alone", {"Strom (kWh)", "Ladestrom"}, "kWh|kWh"},
        {"bi-fuel gas car", {"Erdgas (CNG)", "Super", "CNG"}, "kg|Liter|kg"},
        {"diesel with AdBlue", {"Diesel", "AdBlue", "Diesel"}, "Liter|Liter|Liter"},
        {"hydrogen", {"H2"}, "kg"},
        {"a charge after nine grades of litres",
         {"Super", "E10", "Diesel", "Super Plus", "E5", "V-Power", "Ultimate", "LPG", "E85",
          "Strom"},
         "Liter|Liter|Liter|Liter|Liter|Liter|Liter|Liter|Liter|kWh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable grid = LogbookTable(static_cast<int>(c.grades.size()));
        std::string units;
        for (int r = 1; r <= static_cast<int>(c.grades.size()); ++r) {
            grid.setCell(ColKmStand, r, std::to_string(10000 + 500 * r));
            grid.setCell(ColBenzin, r, c.grades[static_cast<std::size_t>(r - 1)]);
        }
        const std::vector<std::string> lines = testing::SplitLines(Csv(grid));
        ASSERT_EQ(lines.size(), c.grades.size() + 1);
        if (c.units == nullptr) {
            EXPECT_EQ(lines[0] + "\r\n", kCaptions);
            for (const std::string& line : lines)
                EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 14) << line;
            continue;
        }
        EXPECT_EQ(lines[0] + "\r\n", kCaptions.substr(0, kCaptions.size() - 2) + "Einheit;\r\n");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            const std::size_t before = line.rfind(';', line.size() - 2);
            units += (i > 1 ? "|" : "") + line.substr(before + 1, line.size() - before - 2);
            EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 15) << line;
        }
        EXPECT_EQ(units, c.units);
    }
}

} // namespace
} // namespace spritlog
