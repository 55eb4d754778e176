// The year table of real logbooks: the Spritmonitor export of eight years, imported as the
// window imports it. Each year's litres and costs are summed here the plain way from the
// imported table, and all years together give the statistics page's totals.
#include "analysis/statistics.h"
#include "analysis/yearsummary.h"
#include "document/logbookdocument.h"
#include "import/csvimport.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace spritlog {
namespace {

std::string RealFile(const std::string& name) {
    std::ifstream in(std::string(SPRITLOG_REALDATA) + "/import/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double Figure(const std::string& text) {
    return text.empty() ? 0.0 : TextToNumber(text);
}

TEST(YearTableRealData, SpritmonitorYearsAddUpToTheStatistics) {
    const std::string bytes = RealFile("sm-de-20col-civic.csv");
    if (bytes.empty())
        GTEST_SKIP() << "real exports not found in " SPRITLOG_REALDATA "/import";
    LogbookDocument book;
    ASSERT_EQ(book.importRecords(ParseImportFile(bytes)), nullptr);
    const TextTable& grid = book.table();

    // By hand: year = characters 7 to 10 of the date; litres and costs summed per year.
    std::map<int, double> litres, costs;
    for (int r = 1; r <= book.recordCount(); ++r) {
        const std::string date(grid.cell(ColDatum, r));
        ASSERT_EQ(date.size(), 10u) << "record " << r;
        const int year = std::stoi(date.substr(6, 4));
        litres[year] += Figure(std::string(grid.cell(ColLiter, r)));
        costs[year] += Figure(std::string(grid.cell(ColTankkosten, r)));
    }
    ASSERT_GE(litres.size(), 8u);

    const YearSummary summary =
        SummariseYears(grid, book.consumptionRule(), LocalDateTime{2100, 1, 1});
    ASSERT_EQ(summary.years.front().year, litres.begin()->first);
    ASSERT_EQ(summary.years.back().year, litres.rbegin()->first);
    double allLitres = 0, allCosts = 0;
    for (const YearFigures& year : summary.years) {
        SCOPED_TRACE(year.year);
        EXPECT_NEAR(year.total.quantity[0].sum, litres[year.year], 1e-6);
        EXPECT_NEAR(year.total.tankkosten.sum, costs[year.year], 1e-6);
        allLitres += year.total.quantity[0].sum;
        allCosts += year.total.tankkosten.sum;
    }
    const StatisticsLabels statistics = ComputeStatistics(grid, book.consumptionRule());
    EXPECT_EQ(NumberToText(allLitres, 2) + " Liter", statistics.label(2));
    EXPECT_EQ(NumberToText(allCosts, 2) + " EUR", statistics.label(3));
}

} // namespace
} // namespace spritlog
