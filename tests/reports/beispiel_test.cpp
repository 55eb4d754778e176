#include "analysis/chartsource.h"
#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/logbookfile.h"
#include "reportfixtures.h"
#include "reports/csvexport.h"
#include "reports/htmlreport.h"
#include "reports/printlayout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace spritlog {
namespace {

using testing::SplitLines;

// The sample logbook that ships with the program must load, compute and give every
// report without an error.
class SampleLogbook : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream in(std::string(SPRITLOG_TEST_DATA) + "/../../examples/beispiel.slg",
                         std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty());
        grid = TextTable(15, 2);
        grid.setCell(12, 0, "Anmerkung1");
        grid.setCell(13, 0, "Anmerkung2");
        grid.setCell(14, 0, "Anmerkung3");
        ParseLogbook(bytes, grid);
        ComputeDerivedValues(grid);
    }
    std::string bytes;
    TextTable grid;
};

TEST_F(SampleLogbook, IsARealisticNativeFile) {
    EXPECT_EQ(bytes.substr(0, 4), "62\r\n");
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    EXPECT_EQ(SplitLines(bytes).size(), 1u + 62u * 10u);
    ASSERT_EQ(grid.rowCount(), 63);
    EXPECT_EQ(grid.cell(1, 1), "03.01.2024");
    EXPECT_EQ(grid.cell(1, 62).substr(6), "2025");
    EXPECT_NE(bytes.find("M\xFCnchen"), std::string::npos);
    for (int r = 2; r <= 62; ++r) {
        // Distances of a car that drives some 14,000 km a year.
        const double km = TextToNumber(grid.cell(5, r));
        EXPECT_GE(km, 350) << r;
        EXPECT_LE(km, 700) << r;
        const double litres = TextToNumber(grid.cell(3, r));
        EXPECT_GE(litres, 35) << r;
        EXPECT_LE(litres, 55) << r;
        const double price = TextToNumber(grid.cell(4, r));
        EXPECT_GE(price, 1.55) << r;
        EXPECT_LE(price, 1.95) << r;
    }
    // The newest refuelling has its consumption too.
    for (int r = 2; r <= 62; ++r) {
        const double consumption = TextToNumber(grid.cell(6, r));
        EXPECT_GE(consumption, 7.0) << r;
        EXPECT_LE(consumption, 11.0) << r;
    }
}

// One average consumption everywhere: the statistics and the station table's average row; the
// monthly source has every month of 2024 and 2025, December 2025 too.
TEST_F(SampleLogbook, OneAverageAndEveryMonth) {
    const StatisticsLabels labels = ComputeStatistics(grid);
    TextTable stations;
    BuildStationRating(grid, stations);
    const int average = stations.rowCount() - 2;
    ASSERT_EQ(stations.cell(1, average), "Durchschnitt");
    EXPECT_EQ(labels.label(4), std::string(stations.cell(3, average)) + " L/100KM");
    EXPECT_EQ(labels.label(2), "2573.72 Liter");
    EXPECT_EQ(labels.label(3), "4476.20 EUR");

    TextTable months;
    RebuildChartSource(grid, months, ChartBasis::Monat);
    ASSERT_EQ(months.rowCount(), 1 + 24);
    EXPECT_EQ(months.cell(1, 1), "01.2024");
    EXPECT_EQ(months.cell(1, 24), "12.2025");
}

TEST_F(SampleLogbook, GivesEveryReport) {
    StringSink csv;
    WriteCsvFile(csv, grid);
    // The captions, then the 62 records.
    EXPECT_EQ(SplitLines(csv.text).size(), 63u);

    StringSink html;
    ReportContext context = DefaultReportContext();
    context.clock = [] { return LocalDateTime{2026, 1, 2, 12, 0, 0}; };
    WriteHtmlReport(html, grid, "examples/beispiel.htm", context);
    const std::vector<std::string> lines = SplitLines(html.text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "<p>Erstellt mit <a href=\"https://spritlog.example.org\" "
                            "target=\"_blank\">Ostrel Spritlog 3.3</a></p></body></html>");
    EXPECT_NE(html.text.find("<th colspan=\"2\">Durchschnitt</th><td>62</td>"), std::string::npos);
    // Every refuelling counts, the one of 22.12.2025 too.
    EXPECT_NE(html.text.find("Getankte Liter:</th><td nowrap>2573.72 Liter</td>"),
              std::string::npos);
    EXPECT_NE(html.text.find("Tankkosten:</th><td nowrap>4476.20 EUR</td>"), std::string::npos);

    const std::vector<PrintPage> pages = BuildPrintLayout(grid, "examples/beispiel.slg");
    EXPECT_EQ(pages.size(), 2u); // 55 records on page 1, 7 on page 2
    EXPECT_EQ(pages.at(1).lines.size(), 7u);
}

} // namespace
} // namespace spritlog
