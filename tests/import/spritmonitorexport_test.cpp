// The logbook in Spritmonitor's layout, and back through the Spritmonitor import.
#include "import/csvimport.h"
#include "import/spritmonitorexport.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/fillups.h"
#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using Cells = std::array<std::string, 10>; // Datum..Literpreis, Benzin..Anmerkung3

constexpr int kInputColumns[10] = {ColDatum,      ColKmStand, ColLiter, ColLiterpreis, ColBenzin,
                                   ColTankstelle, ColOrt,     ColNote1, ColNote2,      ColNote3};

TextTable LogbookOf(const std::vector<Cells>& records) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(static_cast<int>(records.size()) + 1);
    for (std::size_t r = 0; r < records.size(); ++r)
        for (std::size_t i = 0; i < 10; ++i)
            grid.setCell(kInputColumns[i], static_cast<int>(r) + 1, records[r][i]);
    return grid;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Exported(const TextTable& grid) {
    StringSink sink;
    import::WriteSpritmonitorFile(sink, grid);
    return sink.text;
}

TEST(SpritmonitorExport, HeaderIsTheServicesGermanOneInUtf8) {
    const std::vector<std::string> lines = Lines(Exported(LogbookOf({})));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;W\xC3\xA4hrung;Tankart;Reifen;"
                        "Strecken;Fahrweise;Kraftstoff;Bemerkung;Verbrauch;BC-Verbrauch;"
                        "BC-Spritmenge;BC-Geschwindigkeit;Tankstelle;Land;Gro\xC3\x9F"
                        "raum;Ort");
}

// Each record's line, worked out from the cells: Teil-Km from the reading before, Kosten
// as Liter x Literpreis, Tankart and Bemerkung from the notes, the grade's number.
TEST(SpritmonitorExport, EachRecordAsTheServiceWritesIt) {
    struct Case {
        const char* name;
        Cells cells;
        const char* line;
    };
    const Case cases[] = {
        {"full tank, Super is 7",
         {"03.01.2024", "10000", "40", "1.5", "Super", "Aral", "M\xFCnchen", "", "", ""},
         "03.01.2024;10000,00;;40,00;60,00;\"EUR\";1;;;;7;\"\";;;;;\"Aral\";\"\";\"\";"
         "\"M\xC3\xBCnchen\""},
        {"trip from the reading before, unrounded cost",
         {"16.01.2024", "10401", "38.6", "1.739", "E10", "Shell", "", "Urlaub", "", ""},
         "16.01.2024;10401,00;401,00;38,60;67,1254;\"EUR\";1;;;;20;\"Urlaub\";;;;;\"Shell\";"
         "\"\";\"\";\"\""},
        {"partial fill-up",
         {"20.01.2024", "10500", "12.345", "1.8", "Diesel", "", "", "", "", "Teilbetankung"},
         "20.01.2024;10500,00;99,00;12,345;22,221;\"EUR\";2;;;;1;\"\";;;;;\"\";\"\";\"\";\"\""},
        {"missed fill-up before wins over partial",
         {"01.02.2024", "11500", "30", "", "", "", "", "Teilbetankung, Fehlende Betankung", "", ""},
         "01.02.2024;11500,00;1000,00;30,00;;\"EUR\";0;;;;;\"\";;;;;\"\";\"\";\"\";\"\""},
        {"first refuelling, notes joined, quote doubled",
         {"02.02.2024", "11900", "5", "2", "Super Plus", "", "", "Sagte \"voll\"", "Reifen",
          "Erstbetankung; W\xE4sche"},
         "02.02.2024;11900,00;400,00;5,00;10,00;\"EUR\";3;;;;\"Super Plus\";\"Sagte "
         "\"\"voll\"\"; Reifen; W\xC3\xA4sche\";;;;;\"\";\"\";\"\";\"\""},
        {"a price in another currency, as the import marks it",
         {"02.02.2024", "11950", "10", "1.5", "", "", "", "", "", "Preis in CHF, Teilbetankung"},
         "02.02.2024;11950,00;50,00;10,00;15,00;\"CHF\";2;;;;;\"\";;;;;\"\";\"\";\"\";\"\""},
        {"unknown grade number of the service",
         {"03.02.2024", "12000", "1", "1", "Sorte 30", "", "", "", "", ""},
         "03.02.2024;12000,00;50,00;1,00;1,00;\"EUR\";1;;;;30;\"\";;;;;\"\";\"\";\"\";\"\""},
        {"reading that is no number goes as it stands",
         {"04.02.2024", "12a;", "x", "1", "", "", "", "", "", ""},
         "04.02.2024;\"12a;\";;x;;\"EUR\";1;;;;;\"\";;;;;\"\";\"\";\"\";\"\""},
    };
    std::vector<Cells> records;
    for (const Case& c : cases)
        records.push_back(c.cells);
    // An empty record is left out; the reading before the next is the last one there was.
    records.insert(records.begin() + 2, Cells{});
    const std::vector<std::string> lines = Lines(Exported(LogbookOf(records)));
    ASSERT_EQ(lines.size(), std::size(cases) + 1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(lines[i + 1], Cp1252ToUtf8(Utf8ToCp1252(cases[i].line)));
    }
}

TEST(SpritmonitorExport, NumbersHaveACommaAndAtLeastTheGivenPlaces) {
    const struct {
        const char* cell;
        int decimals;
        const char* written;
    } cases[] = {
        {"40", 2, "40,00"},   {"38.6", 2, "38,60"}, {"1.739", 2, "1,739"},
        {" 9.63", 2, "9,63"}, {"-3", 0, "-3"},      {"0.000001", 2, "0,000001"},
        {"", 2, ""},          {"4o", 2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(import::SpritmonitorNumber(c.cell, c.decimals), c.written) << c.cell;
}

// What the import must give back: every input cell, numbers by value, and the notes (the
// service has one note field, so they come back joined in the first) and their marks.
void ExpectSameRecords(const TextTable& original, const ImportResult& result) {
    ASSERT_TRUE(result.ok()) << (result.problems.empty() ? "" : result.problems[0].reason);
    EXPECT_EQ(result.format, ImportFormat::Spritmonitor);
    std::vector<int> rows;
    for (int row = 1; row <= RecordCount(original); ++row) {
        bool input = false;
        for (int column : kInputColumns)
            input = input || !original.cell(column, row).empty();
        if (input)
            rows.push_back(row);
    }
    ASSERT_EQ(result.records.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        const auto& got = result.records[i].cells;
        SCOPED_TRACE("record " + std::to_string(row));
        EXPECT_EQ(got[ColDatum], original.cell(ColDatum, row));
        for (int column : {ColKmStand, ColLiter, ColLiterpreis})
            EXPECT_DOUBLE_EQ(TextToNumber(got[static_cast<std::size_t>(column)]),
                             TextToNumber(original.cell(column, row)))
                << column;
        for (int column : {ColBenzin, ColTankstelle, ColOrt})
            EXPECT_EQ(got[static_cast<std::size_t>(column)], original.cell(column, row));
        std::string notes;
        for (int column = ColNote1; column <= ColNote3; ++column) {
            const std::string text = WithoutMark(
                WithoutMark(WithoutMark(original.cell(column, row), kPartialWord), kMissedWord),
                "Erstbetankung");
            // The currency goes into its own column and comes back as the same mark.
            if (text.rfind("Preis in ", 0) == 0)
                continue;
            if (!text.empty())
                notes += (notes.empty() ? "" : "; ") + text;
        }
        EXPECT_EQ(got[ColNote1], notes);
        EXPECT_EQ(got[ColNote2], "");
        TextTable back = NewLogbookTable();
        back.setCell(ColNote3, 1, got[ColNote3]);
        const FillUpMarks want = MarksOf(original, row), have = MarksOf(back, 1);
        // A record with both marks keeps the missed one, the one the service can hold.
        EXPECT_EQ(have.missedBefore, want.missedBefore);
        EXPECT_EQ(have.partial, want.partial && !want.missedBefore);
        bool first = false;
        for (int column = ColNote1; column <= ColNote3; ++column)
            first = first || WithoutMark(original.cell(column, row), "Erstbetankung") !=
                                 original.cell(column, row);
        EXPECT_EQ(WithoutMark(got[ColNote3], "Erstbetankung") != got[ColNote3],
                  first && !want.missedBefore && !want.partial);
    }
}

TEST(SpritmonitorExport, SampleLogbookComesBackThroughTheImport) {
    TextTable grid;
    ASSERT_TRUE(
        ReadLogbookFile(std::string(SPRITLOG_TEST_DATA) + "/../../examples/beispiel.slg", grid));
    ASSERT_EQ(RecordCount(grid), 62);
    ComputeDerivedValues(grid);
    const ImportResult result = ParseImportFile(Exported(grid));
    ExpectSameRecords(grid, result);
    EXPECT_TRUE(result.summary.notices.empty());
}

TEST(SpritmonitorExport, MarkedRefuellingsComeBackThroughTheImport) {
    const TextTable grid = LogbookOf({
        {"01.03.2024", "10000", "40", "1.5", "Super", "Aral", "K\xF6ln", "", "", ""},
        {"08.03.2024", "10300", "15.5", "1.559", "Super", "Aral", "K\xF6ln", "", "",
         "Teilbetankung"},
        {"15.03.2024", "10600", "30.25", "1.601", "Super", "Shell", "Bonn", "Urlaub", "", ""},
        {"", "", "", "", "", "", "", "", "", ""},
        {"01.04.2024", "11900", "44", "1.649", "E10", "", "", "", "", "Fehlende Betankung"},
        {"10.04.2024", "12300", "20", "1.7", "E10", "", "", "teilbetankung; Rest", "", ""},
        {"20.04.2024", "12700", "41.3", "1.689", "E10", "", "", "", "Winterreifen",
         "Teilbetankung, Fehlende Betankung"},
        {"30.04.2024", "13200", "2.5", "1.709", "E10", "JET", "", "", "", ""},
        {"10.05.2024", "13700", "30", "1.899", "E10", "", "Basel", "", "", "Preis in CHF"},
    });
    ExpectSameRecords(grid, ParseImportFile(Exported(grid)));
}

std::string RealFile(const std::string& name) {
    std::ifstream in(std::string(SPRITLOG_REALDATA) + "/import/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A real export, imported, written out again and imported once more: the same records.
TEST(SpritmonitorExport, RealExportComesBackTheSame) {
    const std::string bytes = RealFile("sm-de-20col-civic.csv");
    if (bytes.empty())
        GTEST_SKIP() << "real exports not found in " SPRITLOG_REALDATA "/import";
    const ImportResult first = ParseImportFile(bytes);
    ASSERT_TRUE(first.ok());
    TextTable grid = NewLogbookTable();
    AppendImportedRecords(grid, first);
    ExpectSameRecords(grid, ParseImportFile(Exported(grid)));
}

} // namespace
} // namespace spritlog
