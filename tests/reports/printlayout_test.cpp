#include "reportfixtures.h"
#include "reports/printlayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

using testing::LogbookTable;

const std::string kBlank20(20, ' ');

std::string Padded(const std::string& text) {
    return text.size() < 20 ? text + std::string(20 - text.size(), ' ') : text;
}

// The record lines of all pages, in order, as (page, y, text).
struct Placed {
    int page;
    int y;
    std::string text;
};
std::vector<Placed> RecordLines(const std::vector<PrintPage>& pages) {
    std::vector<Placed> placed;
    for (std::size_t p = 0; p < pages.size(); ++p)
        for (const PrintLine& line : pages[p].lines)
            if (!line.bold)
                placed.push_back({static_cast<int>(p) + 1, line.y, line.text});
    return placed;
}

TEST(PrintLayout, OneEmptyRecord) {
    const std::vector<PrintPage> pages = BuildPrintLayout(LogbookTable(1), "/daten/auto.slg");
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<PrintLine>& lines = pages[0].lines;
    ASSERT_EQ(lines.size(), 3u);

    EXPECT_EQ(lines[0].x, 200);
    EXPECT_EQ(lines[0].y, 0);
    EXPECT_TRUE(lines[0].bold);
    EXPECT_EQ(lines[0].text, "Spritlog - /daten/auto.slg - Seite 1");

    EXPECT_EQ(lines[1].x, 200);
    EXPECT_EQ(lines[1].y, 2 * 43);
    EXPECT_TRUE(lines[1].bold);
    const std::string headings = kBlank20 +
                                 "Datum               KM-Stand            Liter           "
                                 "    Literpreis          KM                  Verbrauch "
                                 "          Kosten/Km           Tankkosten          Benz"
                                 "in              Tankstelle          Ort              "
                                 "   Anmerkung1          Anmerkung2          Anmerkung3"
                                 "          ";
    EXPECT_EQ(lines[1].text, headings);
    EXPECT_EQ(lines[1].text.size(), 300u);

    EXPECT_EQ(lines[2].x, 200);
    EXPECT_EQ(lines[2].y, 5 * 43);
    EXPECT_FALSE(lines[2].bold);
    EXPECT_EQ(lines[2].text, "1." + std::string(298, ' '));
}

TEST(PrintLayout, EmptyLogbookPrintsHeadingsOnly) {
    const std::vector<PrintPage> pages = BuildPrintLayout(LogbookTable(0), "");
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].lines.size(), 2u);
    EXPECT_TRUE(RecordLines(pages).empty());
}

TEST(PrintLayout, RecordsFillFiftyFiveLinesOnPageOneAndFiftyNineAfter) {
    struct Case {
        int records;
        int pages;
        int lastPage;
        int lastY;
    };
    const Case cases[] = {
        {1, 1, 1, 5 * 43},   {55, 1, 1, 59 * 43},  {56, 2, 2, 1 * 43}, {114, 2, 2, 59 * 43},
        {115, 3, 3, 1 * 43}, {173, 3, 3, 59 * 43}, {174, 4, 4, 43},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records);
        TextTable grid = LogbookTable(c.records);
        const std::vector<PrintPage> pages = BuildPrintLayout(grid, "a.slg");
        EXPECT_EQ(static_cast<int>(pages.size()), c.pages);
        const std::vector<Placed> records = RecordLines(pages);
        ASSERT_EQ(static_cast<int>(records.size()), c.records);
        EXPECT_EQ(records.back().page, c.lastPage);
        EXPECT_EQ(records.back().y, c.lastY);
        EXPECT_EQ(records.back().text.substr(0, 20), Padded(std::to_string(c.records) + "."));
    }
}

TEST(PrintLayout, LaterPagesCarryNoHeadings) {
    const std::vector<PrintPage> pages = BuildPrintLayout(LogbookTable(120), "a.slg");
    ASSERT_EQ(pages.size(), 3u);
    for (std::size_t p = 1; p < pages.size(); ++p)
        for (const PrintLine& line : pages[p].lines) {
            EXPECT_FALSE(line.bold);
            EXPECT_EQ(line.x, 200);
            EXPECT_GE(line.y, 43);
            EXPECT_LE(line.y, 59 * 43);
        }
    EXPECT_EQ(pages[1].lines.front().text.substr(0, 3), "56.");
    EXPECT_EQ(pages[2].lines.front().text.substr(0, 4), "115.");
    EXPECT_EQ(pages[2].lines.size(), 6u);
}

TEST(PrintLayout, LongCellShiftsTheLaterColumns) {
    TextTable grid = LogbookTable(1);
    grid.setCell(10, 1, "Tankstelle am Marktplatz!"); // 25 characters
    grid.setCell(11, 1, "Rosenheim");
    const std::string text = RecordLines(BuildPrintLayout(grid, "")).at(0).text;
    EXPECT_EQ(text.size(), 305u);
    EXPECT_EQ(text.substr(200, 25), "Tankstelle am Marktplatz!");
    EXPECT_EQ(text.substr(225, 20), Padded("Rosenheim"));
    EXPECT_EQ(text.find("Rosenheim"), 225u);
}

TEST(PrintLayout, CellsKeepTheirBytes) {
    TextTable grid = LogbookTable(1);
    grid.setCell(11, 1, "M\xFCnchen");
    grid.setCell(3, 1, " 7.50");
    const std::string text = RecordLines(BuildPrintLayout(grid, "")).at(0).text;
    EXPECT_EQ(text.substr(60, 20), Padded(" 7.50"));
    EXPECT_EQ(text.substr(220, 20), Padded("M\xFCnchen"));
}

// Beyond litres the quantity carries its unit within its own 20 characters; a logbook of
// litres prints as it always did.
TEST(PrintLayout, QuantityCarriesItsUnitBeyondLitres) {
    const std::vector<Placed> lines = RecordLines(BuildPrintLayout(testing::PlugInHybrid(), ""));
    ASSERT_EQ(lines.size(), 6u);
    const char* const quantities[] = {"40 Liter", "10 kWh", "9.5 kWh", "15 Liter", "10 kWh", ""};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text.size(), 300u) << i;
        EXPECT_EQ(lines[i].text.substr(60, 20), Padded(quantities[i])) << i;
    }
    EXPECT_EQ(lines[1].text.substr(180, 20), Padded("Strom"));
    const std::vector<Placed> litres =
        RecordLines(BuildPrintLayout(testing::FourRefuellings(), ""));
    EXPECT_EQ(litres.at(0).text.substr(60, 20), Padded("40"));
}

TEST(PrintLayout, HeadingShowsTheShortenedFileName) {
    struct Case {
        std::string file; // UTF-8
        std::string heading;
    };
    const Case cases[] = {
        {"", "Spritlog -  - Seite 1"},
        {"auto.slg", "Spritlog - auto.slg - Seite 1"},
        // 62 characters: the last 40 begin inside "Fahrzeuge".
        {"/home/anna/Dokumente/Fahrzeuge/Kombi/Fahrtenbuch 2024-2025.slg",
         "Spritlog - .../Kombi/Fahrtenbuch 2024-2025.slg - Seite 1"},
        {"C:\\Eigene Dateien\\Fahrzeuge\\Kombi\\Logbuch 2004.slg",
         "Spritlog - ...\\Fahrzeuge\\Kombi\\Logbuch 2004.slg - Seite 1"},
        // Windows-1252 on paper: the umlaut counts as one character.
        {"/home/j\xC3\xB6rg/Fahrtenb\xC3\xBC"
         "cher/Gesch\xC3\xA4"
         "ftswagen 2025.slg",
         "Spritlog - .../Fahrtenb\xFC"
         "cher/Gesch\xE4"
         "ftswagen 2025.slg - Seite 1"},
    };
    for (const Case& c : cases) {
        const std::vector<PrintPage> pages = BuildPrintLayout(LogbookTable(1), c.file);
        EXPECT_EQ(pages.at(0).lines.at(0).text, c.heading) << c.file;
    }
}

} // namespace
} // namespace spritlog
