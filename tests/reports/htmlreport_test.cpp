#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "reportfixtures.h"
#include "reports/htmlreport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace spritlog {
namespace {

using testing::FourRefuellings;
using testing::LogbookTable;
using testing::PlugInHybrid;
using testing::ReadTestFile;
using testing::SetRecord;
using testing::SplitLines;

ReportContext FixedContext(LocalDateTime now = {2026, 12, 6, 10, 3, 22}) {
    ReportContext context = DefaultReportContext();
    context.clock = [now] { return now; };
    return context;
}

struct Written {
    std::string text;
    std::string error; // empty when the report was written whole
};

Written Report(const TextTable& grid, const std::string& target = "auto.htm",
               const ReportContext& context = FixedContext()) {
    StringSink sink;
    Written written;
    try {
        WriteHtmlReport(sink, grid, target, context);
    } catch (const Error& error) {
        written.error = error.what();
    }
    written.text = sink.text;
    return written;
}

// The line that starts with `prefix`; empty when there is none.
std::string LineStartingWith(const std::string& text, const std::string& prefix) {
    for (const std::string& line : SplitLines(text))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line;
    return "";
}

// The station rows: the line after each "<tr>" of the station table that holds three cells.
std::vector<std::string> StationRows(const std::string& text) {
    const std::vector<std::string> lines = SplitLines(text);
    auto at = std::find(lines.begin(), lines.end(),
                        "<a name=\"tankstellen\"></a><p><h3>Tankstellenbewertung:</h3>");
    std::vector<std::string> rows;
    for (; at != lines.end() && at + 1 != lines.end(); ++at) {
        if (at->rfind("<th colspan=\"2\">Durchschnitt", 0) == 0)
            break;
        if (*at == "<tr>" && (at + 1)->rfind("<td nowrap>", 0) == 0)
            rows.push_back(*(at + 1));
    }
    return rows;
}

TEST(HtmlCell, EmptyAndFilledTexts) {
    struct Case {
        const char* text;
        const char* cell;
    };
    const Case cases[] = {
        {"", "<td>&#160;</td>"},
        {" ", "<td nowrap> </td>"},
        {" 7.00", "<td nowrap> 7.00</td>"},
        {"M\xFCnchen", "<td nowrap>M\xFCnchen</td>"},
        {"<b>fett</b>", "<td nowrap>&lt;b&gt;fett&lt;/b&gt;</td>"},
        {"A & B", "<td nowrap>A &amp; B</td>"},
        {"&amp;", "<td nowrap>&amp;amp;</td>"},
        {"\"Nord\"", "<td nowrap>&quot;Nord&quot;</td>"},
        {"it's", "<td nowrap>it's</td>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HtmlCell(c.text), c.cell) << "text: " << c.text;
}

TEST(HtmlReport, FourRefuellingsMatchTheReferenceFile) {
    const std::string expected = ReadTestFile("vierfahrten.htm");
    ASSERT_FALSE(expected.empty());
    const Written written = Report(FourRefuellings(), "/home/j\xC3\xB6rg/Autos/Fahrtenb\xC3\xBC"
                                                      "cher/Kombi&Co.htm");
    EXPECT_EQ(written.error, "");
    EXPECT_EQ(written.text, expected);
}

// No record takes part: the sums are 0, the station table has its average row with the count
// 0, and every figure without values is an empty cell.
// The data table of a logbook beyond litres: "Einheit" beside "Liter", each record's unit in
// its row (none for the record that takes no part); a logbook of litres has no such column.
TEST(HtmlReport, RecordsBeyondLitresShowTheirUnitBesideTheQuantity) {
    struct Case {
        const char* name;
        TextTable grid;
        std::vector<std::string> units; // the cell after Liter, record by record; none: no column
    };
    TextTable adBlue = LogbookTable(2);
    SetRecord(adBlue, 1, {"01.03.2024", "10000", "40", "1.60", "", "", "", "", "Diesel"});
    SetRecord(adBlue, 2, {"09.03.2024", "10400", "10", "0.90", "", "", "", "", "AdBlue"});
    const Case cases[] = {
        {"plug-in hybrid",
         PlugInHybrid(),
         {"<td nowrap>Liter</td>", "<td nowrap>kWh</td>", "<td nowrap>kWh</td>",
          "<td nowrap>Liter</td>", "<td nowrap>kWh</td>", "<td>&#160;</td>"}},
        {"diesel with AdBlue", adBlue, {"<td nowrap>Liter</td>", "<td nowrap>Liter</td>"}},
        {"litres alone", FourRefuellings(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> lines = SplitLines(Report(c.grid).text);
        const auto heading = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.rfind("<tr><th>Nr</th>", 0) == 0;
        });
        ASSERT_NE(heading, lines.end());
        const bool units = !c.units.empty();
        EXPECT_EQ(heading->find("<th>Liter</th><th>Einheit</th><th>Literpreis</th>") !=
                      std::string::npos,
                  units);
        const std::size_t perRecord = units ? 18 : 17;
        for (int r = 1; r <= RecordCount(c.grid); ++r) {
            const auto row = heading + 1 + static_cast<std::ptrdiff_t>((r - 1) * perRecord);
            EXPECT_EQ(*row, "<tr>");
            EXPECT_EQ(*(row + 1), "<td>" + std::to_string(r) + "</td>");
            EXPECT_EQ(*(row + 4), HtmlCell(c.grid.cell(ColLiter, r)));
            if (units) {
                EXPECT_EQ(*(row + 5), c.units[static_cast<std::size_t>(r - 1)]) << "record " << r;
            }
            EXPECT_EQ(*(row + static_cast<std::ptrdiff_t>(perRecord) - 1), "</tr>");
        }
    }
}

TEST(HtmlReport, OneEmptyRecordGivesEmptyFigures) {
    const std::string expected = ReadTestFile("ein_leerer_datensatz.htm");
    ASSERT_FALSE(expected.empty());
    const Written written = Report(LogbookTable(1));
    EXPECT_EQ(written.error, "");
    EXPECT_EQ(written.text, expected);
}

TEST(HtmlReport, EmptyLogbookGivesEmptyFigures) {
    const std::string expected = ReadTestFile("leeres_fahrtenbuch.htm");
    ASSERT_FALSE(expected.empty());
    const Written written = Report(LogbookTable(0));
    EXPECT_EQ(written.error, "");
    EXPECT_EQ(written.text, expected);
}

// An unreadable first or last reading spoils no other figure: the report is written, and the
// distance driven, which would be one over part of the records, is an empty cell.
TEST(HtmlReport, UnreadableOdometerLeavesTheDistanceEmpty) {
    struct Case {
        const char* name;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"decimal first", "12000.5", "13000"},
        {"both bad", "abc", "xyz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable grid = LogbookTable(3);
        grid.setCell(2, 1, c.first);
        grid.setCell(2, 2, "12500");
        grid.setCell(2, 3, c.last);
        const Written written = Report(grid);
        EXPECT_EQ(written.error, "");
        EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Gefahrene KM:"),
                  "<tr><th align=\"left\">Gefahrene KM:</th><td>&#160;</td></tr>");
        const std::vector<std::string> lines = SplitLines(written.text);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().substr(0, 16), "<p>Erstellt mit ");
    }
}

TEST(HtmlReport, DrivenDistanceIsGroupedAndExact) {
    struct Case {
        const char* first;
        const char* last;
        const char* line;
    };
    const Case cases[] = {
        {"12000", "45678", "<td nowrap>33.678 KM</td>"},
        {"10000", "10999", "<td nowrap>999 KM</td>"},
        {"0", "100000", "<td nowrap>100.000 KM</td>"},
        {"45678", "12000", "<td nowrap>-33.678 KM</td>"},
        {"-2147483648", "2147483647", "<td nowrap>4.294.967.295 KM</td>"},
        {"$10", "0x20", "<td nowrap>16 KM</td>"},
        // An empty last record takes no part: the distance ends at record 2.
        {"12000", "", "<td nowrap>8.000 KM</td>"},
    };
    for (const Case& c : cases) {
        TextTable grid = LogbookTable(3);
        grid.setCell(2, 1, c.first);
        grid.setCell(2, 2, "20000");
        grid.setCell(2, 3, c.last);
        const Written written = Report(grid);
        EXPECT_EQ(written.error, "");
        EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Gefahrene KM:"),
                  std::string("<tr><th align=\"left\">Gefahrene KM:</th>") + c.line + "</tr>")
            << c.first << " .. " << c.last;
    }
}

// A minimum or maximum over no value is an empty cell, never 2147483647.00 or 0.00.
TEST(HtmlReport, WithoutConsumptionMinimumAndMaximumAreEmpty) {
    TextTable grid = LogbookTable(3);
    SetRecord(grid, 1, {"", "1000", "40", "1.50", "", "", "", "60.00"});
    SetRecord(grid, 2, {"", "1500", "35", "1.40", "500", "", "", "49.00"});
    grid.setCell(2, 3, "2000");
    const Written written = Report(grid);
    EXPECT_EQ(written.error, "");
    EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Min Verbrauch:"),
              "<tr><th align=\"left\">Min Verbrauch:</th><td>&#160;</td></tr>");
    EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Max Verbrauch:"),
              "<tr><th align=\"left\">Max Verbrauch:</th><td>&#160;</td></tr>");
}

TEST(HtmlReport, AveragesCountOnlyCellsWithAValue) {
    TextTable grid = LogbookTable(4);
    SetRecord(grid, 1, {"", "1000", "40", "", "", "", "", ""});
    SetRecord(grid, 2, {"", "1500", "30", "", "500", " 6.00", "", ""});
    SetRecord(grid, 3, {"", "2000", "40", "", "500", " 8.00", "", ""});
    grid.setCell(2, 4, "2500");
    const Written written = Report(grid);
    EXPECT_EQ(written.error, "");
    // (6 + 8) / 2: the empty cells of records 1 and 4 are no values.
    EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Verbrauch:"),
              "<tr><th align=\"left\">Verbrauch:</th><td nowrap> 7.00 L/100KM</td></tr>");
    EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Min Verbrauch:"),
              "<tr><th align=\"left\">Min Verbrauch:</th><td nowrap> 6.00 Liter</td></tr>");
    EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Max Tankf\xFCllung:"),
              "<tr><th align=\"left\">Max Tankf\xFCllung:</th><td nowrap>40.00 Liter</td></tr>");
}

// A plug-in hybrid: the main energy's figures in its words, then a line per energy and the
// combined consumption under the heading "Energien:".
TEST(HtmlReport, SeveralEnergiesHaveTheirWordsAndLines) {
    const Written written = Report(testing::PlugInHybridOfSeven());
    ASSERT_EQ(written.error, "");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"Geladene kWh:", "<td nowrap>39.00 kWh</td>"},
        {"Ladung:", "<td nowrap> 9.75 kWh</td>"},
        {"Max Ladung:", "<td nowrap>12.00 kWh</td>"},
        {"Kosten je KM:", "<td nowrap>10.57 Ct</td>"},
        {"Kraftstoff:", "<td nowrap>90.00 Liter, 5.00 L/100KM, 160.00 EUR</td>"},
        {"Strom:", "<td nowrap>39.00 kWh, 4.33 kWh/100KM, 14.40 EUR</td>"},
        {"Verbrauch kombiniert:", "<td nowrap>5.00 L + 4.33 kWh /100KM</td>"},
    };
    for (const auto& [caption, cell] : rows) {
        const std::string start = "<tr><th align=\"left\">" + caption + "</th>";
        EXPECT_EQ(LineStartingWith(written.text, start), start + cell + "</tr>");
    }
    EXPECT_NE(written.text.find("<tr><th colspan=\"2\"><u>Energien:</u></th>"), std::string::npos);
    EXPECT_EQ(LineStartingWith(written.text, "<tr><th align=\"left\">Getankte Liter:"), "");
}

TEST(HtmlReport, TwoRecordsBothCount) {
    TextTable grid = LogbookTable(2);
    SetRecord(grid, 1,
              {"", "1000", "40", "1.50", "300", " 5.00", " 7.50", "60.00", "Super", "Aral"});
    SetRecord(grid, 2, {"", "1600", "99", "9.99", "600", "99.00", "99.00", "99.00", "E10", "Esso"});
    const Written written = Report(grid);
    EXPECT_EQ(written.error, "");
    EXPECT_EQ(
        StationRows(written.text),
        (std::vector<std::string>{"<td nowrap>1</td><td nowrap>Aral (Super)</td><td nowrap>1</td>",
                                  "<td nowrap>2</td><td nowrap>Esso (E10)</td><td nowrap>1</td>"}));
    // (5 + 99) / 2 = 52 L/100 km; times the mean price (1.50 + 9.99) / 2 = 5.745: 298.74 ct.
    const std::string expected[][2] = {
        {"Gefahrene KM:", "600 KM"},      {"Getankte Liter:", "139.00 Liter"},
        {"Verbrauch:", "52.00 L/100KM"},  {"KM-Interval:", "450.00 KM"},
        {"Kosten je KM:", "298.74 Ct"},   {"Max Verbrauch:", "99.00 Liter"},
        {"Max KM-Interval:", "600.00 KM"}};
    for (const auto& row : expected) {
        const std::string start = "<tr><th align=\"left\">" + row[0] + "</th>";
        EXPECT_EQ(LineStartingWith(written.text, start),
                  start + "<td nowrap>" + row[1] + "</td></tr>");
    }
}

TEST(HtmlReport, StationKeysGroupByStationAndGrade) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> stationAndGrade; // records 1..n
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"same station, two grades",
         {{"Aral", "Super"}, {"Aral", "E10"}, {"Aral", "Super"}},
         {"<td nowrap>1</td><td nowrap>Aral (Super)</td><td nowrap>2</td>",
          "<td nowrap>2</td><td nowrap>Aral (E10)</td><td nowrap>1</td>"}},
        {"empty station and grade share one key",
         {{"", ""}, {"", ""}},
         {"<td nowrap>1</td><td nowrap> ()</td><td nowrap>2</td>"}},
        {"keys compare case-sensitively",
         {{"Esso", "Super"}, {"ESSO", "Super"}},
         {"<td nowrap>1</td><td nowrap>Esso (Super)</td><td nowrap>1</td>",
          "<td nowrap>2</td><td nowrap>ESSO (Super)</td><td nowrap>1</td>"}},
        {"first occurrence decides the order",
         {{"Shell", "E10"}, {"JET", "Super"}, {"Shell", "E10"}, {"Total", "E10"}},
         {"<td nowrap>1</td><td nowrap>Shell (E10)</td><td nowrap>2</td>",
          "<td nowrap>2</td><td nowrap>JET (Super)</td><td nowrap>1</td>",
          "<td nowrap>3</td><td nowrap>Total (E10)</td><td nowrap>1</td>"}},
        {"markup in a key is escaped",
         {{"<b>Nord</b>", "S&P"}},
         {"<td nowrap>1</td><td nowrap>&lt;b&gt;Nord&lt;/b&gt; (S&amp;P)</td><td nowrap>1</td>"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = static_cast<int>(c.stationAndGrade.size());
        TextTable grid = LogbookTable(n + 1);
        for (int r = 1; r <= n; ++r) {
            grid.setCell(2, r, std::to_string(1000 * r));
            grid.setCell(10, r, c.stationAndGrade[r - 1].first);
            grid.setCell(9, r, c.stationAndGrade[r - 1].second);
        }
        // The newest record has its own key, which comes last.
        grid.setCell(2, n + 1, std::to_string(1000 * (n + 1)));
        grid.setCell(10, n + 1, "Letzte");
        grid.setCell(9, n + 1, "Super");
        const Written written = Report(grid);
        EXPECT_EQ(written.error, "");
        std::vector<std::string> rows = c.rows;
        rows.push_back("<td nowrap>" + std::to_string(rows.size() + 1) +
                       "</td><td nowrap>Letzte (Super)</td><td nowrap>1</td>");
        EXPECT_EQ(StationRows(written.text), rows);
    }
}

TEST(HtmlReport, StationAveragesAndTotals) {
    TextTable grid = LogbookTable(4);
    // Verbrauch, Literpreis, Tankkosten, Kosten/Km per record.
    SetRecord(grid, 1, {"", "1000", "", "1.50", "", "", "", "60.00", "Super", "Aral"});
    SetRecord(grid, 2, {"", "1500", "", "1.70", "", " 7.00", "11.90", "70.00", "Super", "Aral"});
    SetRecord(grid, 3, {"", "2000", "", "1.60", "", " 8.00", "12.80", "50.00", "E10", "JET"});
    SetRecord(grid, 4, {"", "2500", "", "", "", "", "", "", "Super", "Aral"});
    const Written written = Report(grid);
    EXPECT_EQ(written.error, "");
    const std::vector<std::string> lines = SplitLines(written.text);
    auto durchschnitt =
        std::find(lines.begin(), lines.end(), "<th colspan=\"2\">Durchschnitt</th><td>4</td>");
    ASSERT_NE(durchschnitt, lines.end());
    // Aral, three records: consumption 7 alone, (1.5 + 1.7) / 2, (60 + 70) / 2, 11.9 alone;
    // JET the record itself.
    const std::vector<std::string> expected = {
        "<tr>", "<td nowrap>1</td><td nowrap>Aral (Super)</td><td nowrap>3</td>",
        "<td nowrap> 7.00</td>", "<td nowrap> 1.60</td>", "<td nowrap>65.00</td>",
        "<td nowrap>11.90</td>", "</tr>", "<tr>",
        "<td nowrap>2</td><td nowrap>JET (E10)</td><td nowrap>1</td>", "<td nowrap> 8.00</td>",
        "<td nowrap> 1.60</td>", "<td nowrap>50.00</td>", "<td nowrap>12.80</td>", "</tr>", "<tr>",
        "<th colspan=\"2\">Durchschnitt</th><td>4</td>",
        // (7 + 8) / 2, 4.8 / 3, 180 / 3, (11.9 + 12.8) / 2
        "<td nowrap> 7.50</td>", "<td nowrap> 1.60</td>", "<td nowrap>60.00</td>",
        "<td nowrap>12.35</td>", "</tr>"};
    const auto first = durchschnitt - 15;
    EXPECT_EQ(std::vector<std::string>(first, durchschnitt + 6), expected);
}

// Several energies: an average row per energy, each over its own records.
TEST(HtmlReport, StationAveragePerEnergy) {
    TextTable grid = LogbookTable(3);
    SetRecord(grid, 1, {"", "1000", "", "1.80", "", "", "", "72.00", "Super", "Aral"});
    SetRecord(grid, 2, {"", "1100", "", "0.30", "", "10.00", " 3.00", " 3.60", "Strom", "Wallbox"});
    SetRecord(grid, 3, {"", "1600", "", "1.70", "", " 5.00", " 8.50", "34.00", "Super", "Aral"});
    const Written written = Report(grid);
    EXPECT_EQ(written.error, "");
    const std::vector<std::string> lines = SplitLines(written.text);
    auto litres = std::find(lines.begin(), lines.end(),
                            "<th colspan=\"2\">Durchschnitt Liter</th><td>2</td>");
    ASSERT_NE(litres, lines.end());
    // Liter: 5.00 alone, (1.80 + 1.70) / 2, (72 + 34) / 2, 8.50 alone; kWh the charge itself.
    const std::vector<std::string> expected = {
        "<th colspan=\"2\">Durchschnitt Liter</th><td>2</td>",
        "<td nowrap> 5.00</td>",
        "<td nowrap> 1.75</td>",
        "<td nowrap>53.00</td>",
        "<td nowrap> 8.50</td>",
        "</tr>",
        "<tr>",
        "<th colspan=\"2\">Durchschnitt kWh</th><td>1</td>",
        "<td nowrap>10.00</td>",
        "<td nowrap> 0.30</td>",
        "<td nowrap> 3.60</td>",
        "<td nowrap> 3.00</td>",
        "</tr>",
        "</table></p><br><br>"};
    EXPECT_EQ(std::vector<std::string>(litres, litres + 14), expected);
}

TEST(HtmlReport, EveryStationGetsItsRowBeyondFifty) {
    const int n = 60;
    TextTable grid = LogbookTable(n + 1);
    for (int r = 1; r <= n + 1; ++r) {
        grid.setCell(2, r, std::to_string(100 * r));
        grid.setCell(10, r, "Station " + std::to_string(r));
        grid.setCell(9, r, "Super");
    }
    const Written written = Report(grid);
    EXPECT_EQ(written.error, "");
    const std::vector<std::string> rows = StationRows(written.text);
    ASSERT_EQ(rows.size(), 61u);
    EXPECT_EQ(rows[50], "<td nowrap>51</td><td nowrap>Station 51 (Super)</td><td nowrap>1</td>");
    EXPECT_EQ(rows[60], "<td nowrap>61</td><td nowrap>Station 61 (Super)</td><td nowrap>1</td>");
}

TEST(HtmlReport, MarkupInCellsHeadingsAndTitleIsEscaped) {
    TextTable grid = LogbookTable(2, "<i>Fahrer</i>", "A&B", "\"Zweck\"");
    grid.setCell(2, 1, "1000");
    grid.setCell(2, 2, "1500");
    grid.setCell(11, 1, "<b>Rosenheim</b>");
    grid.setCell(12, 1, "Tom & Jerry");
    const Written written = Report(grid, "/tmp/<neu>&\"alt\".htm");
    EXPECT_EQ(written.error, "");
    const std::vector<std::string> lines = SplitLines(written.text);
    ASSERT_GT(lines.size(), 30u);
    EXPECT_EQ(lines[0], "<html><head><meta charset=\"windows-1252\"><title>/tmp/&lt;neu&gt;&amp;"
                        "&quot;alt&quot;.htm</title></head><body>");
    // Line 11: the table's headings, after the title, the "Stand:" line and the contents.
    EXPECT_NE(lines[11].find("<th>Ort</th><th>&lt;i&gt;Fahrer&lt;/i&gt;</th><th>A&amp;B</th>"
                             "<th>&quot;Zweck&quot;</th></tr>"),
              std::string::npos);
    EXPECT_EQ(lines[12 + 12], "<td nowrap>&lt;b&gt;Rosenheim&lt;/b&gt;</td>");
    EXPECT_EQ(lines[12 + 13], "<td nowrap>Tom &amp; Jerry</td>");
    EXPECT_EQ(written.text.find("<b>"), std::string::npos);
}

TEST(HtmlReport, TitleIsShortenedBeforeEscaping) {
    struct Case {
        const char* target;
        const char* title;
    };
    const Case cases[] = {
        {"", ""},
        {"C:\\Daten\\auto.htm", "C:\\Daten\\auto.htm"},
        // 41 characters; the last 30 begin inside "Fahrzeuge".
        {"D:\\Daten\\Fahrzeuge\\Kombi\\Logbuch 2004.htm", "...\\Kombi\\Logbuch 2004.htm"},
        // 31 characters, no separator in the last 30.
        {"a1234567890123456789012345&.htm", "...1234567890123456789012345&amp;.htm"},
    };
    for (const Case& c : cases) {
        const Written written = Report(LogbookTable(0), c.target);
        EXPECT_EQ(SplitLines(written.text).at(0),
                  std::string("<html><head><meta charset=\"windows-1252\"><title>") + c.title +
                      "</title></head><body>")
            << c.target;
    }
}

TEST(HtmlReport, StandShowsDateAndTimeExceptAtMidnight) {
    struct Case {
        LocalDateTime now;
        const char* line;
    };
    const Case cases[] = {
        {{2026, 12, 6, 10, 3, 22}, "<h1>Spritlog</h1><p>Stand: 06.12.2026 10:03:22</p>"},
        {{2025, 1, 2, 0, 0, 0}, "<h1>Spritlog</h1><p>Stand: 02.01.2025</p>"},
        {{2025, 1, 2, 0, 0, 1}, "<h1>Spritlog</h1><p>Stand: 02.01.2025 00:00:01</p>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitLines(Report(LogbookTable(0), "a.htm", FixedContext(c.now)).text).at(1),
                  c.line);
}

TEST(HtmlReport, WithoutClockTheSystemTimeIsShown) {
    ReportContext context = DefaultReportContext();
    context.clock = nullptr;
    const std::string line = SplitLines(Report(LogbookTable(0), "a.htm", context).text).at(1);
    ASSERT_EQ(line.rfind("<h1>Spritlog</h1><p>Stand: ", 0), 0u);
    const std::string stand = line.substr(27, line.size() - 27 - 4);
    // dd.MM.yyyy, optionally " hh:mm:ss"
    ASSERT_TRUE(stand.size() == 10 || stand.size() == 19) << stand;
    EXPECT_EQ(stand[2], '.');
    EXPECT_EQ(stand[5], '.');
    EXPECT_EQ(line.substr(line.size() - 4), "</p>");
}

TEST(HtmlReport, InformationBlockNamesAuthorAndHost) {
    TextTable grid = LogbookTable(2);
    grid.setCell(2, 1, "1");
    grid.setCell(2, 2, "2");
    ReportContext context = FixedContext();
    context.authorName = "J\xF6rg & Co";
    context.reportWebAddress = "http://www.example.com:8080/spritlog/index.html";
    const std::vector<std::string> lines = SplitLines(Report(grid, "a.htm", context).text);
    ASSERT_GE(lines.size(), 4u);
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{
                  "<tr><th align=\"left\">Autor:</th><th>J\xF6rg &amp; Co</th></tr>",
                  "<tr><th align=\"left\">Web:</th><th><a "
                  "href=\"http://www.example.com:8080/spritlog/index.html\" "
                  "target=\"_blank\">www.example.com</a></th></tr>",
                  "</table></p>",
                  "<p>Erstellt mit <a href=\"http://www.example.com:8080/spritlog/"
                  "index.html\" target=\"_blank\">Ostrel Spritlog 3.3</a></p></body></html>"}));
}

TEST(HtmlReport, DefaultContextNamesOnlyThisProgram) {
    const ReportContext context = DefaultReportContext();
    EXPECT_EQ(context.authorName, "Spritlog-Team");
    EXPECT_EQ(context.reportWebAddress, "https://spritlog.example.org");
    EXPECT_FALSE(context.clock);
}

TEST(HtmlReport, OverflowingSumIsAnError) {
    TextTable grid = LogbookTable(3);
    grid.setCell(2, 1, "1");
    grid.setCell(2, 2, "2");
    grid.setCell(2, 3, "3");
    grid.setCell(8, 1, "1e308");
    grid.setCell(8, 2, "1e308");
    const Written written = Report(grid);
    EXPECT_EQ(written.error, "Datensatz 2, Tankkosten: Summe zu gro\xDF.");
    // The station table has its headings and no block made of an infinity.
    EXPECT_EQ(SplitLines(written.text).back(),
              "<tr><th>Nr</th><th>Tankstelle - Benzin</th><th>Anzahl</th><th>Verbrauch</th>"
              "<th>Literpreis</th><th>Tankkosten</th><th>Kosten/Km</th></tr>");
}

} // namespace
} // namespace spritlog
