// The backup of a bi-fuel natural-gas car (tank 1 gas in kg, tank 2 petrol), imported as
// the window imports it: each full fill of gas has the consumption the app itself states,
// where the app's figure stands on the same distance (nothing driven on petrol excluded).
// The app's figures are read here from the file the plain way.
#include "document/logbookdocument.h"
#include "import/csvimport.h"
#include "import/realdata.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using namespace realdata;

// Kilograms per 100 km by odometer reading, from the log's full fills of tank 1 whose
// "km/l" (km per kg) figure covers the whole distance.
std::map<long, double> AppFigures(const std::string& bytes) {
    std::map<long, double> figures;
    std::vector<std::string> header;
    bool log = false;
    for (const Row& row : Rows(bytes, ',')) {
        const std::vector<std::string>& f = row.fields;
        if (!f.empty() && f[0].rfind("##", 0) == 0) {
            log = f[0] == "## Log";
            header.clear();
            continue;
        }
        if (!log)
            continue;
        if (header.empty()) {
            header = f;
            continue;
        }
        auto at = [&](const char* name) { return f.at(std::size_t(ColumnOf(header, name))); };
        const double perKg = Number(at("km/l (optional)"), '.');
        if (at("TankNumber") == "1" && at("Full") == "1" && perKg > 0 &&
            Number(at("ExcludeDistance"), '.') == 0)
            figures[std::lround(Number(at("Odo (km)"), '.'))] = 100 / perKg;
    }
    return figures;
}

TEST(EnergiesRealData, BiFuelGasCarsKilogramsAgreeWithTheApp) {
    REQUIRE_REAL_FILE(bytes, "fuelio-2024-cng-bifuel.csv");
    LogbookDocument book;
    ASSERT_EQ(book.importRecords(ParseImportFile(bytes)), nullptr);
    const TextTable& grid = book.table();
    const std::map<long, double> figures = AppFigures(bytes);

    int compared = 0, gas = 0, petrol = 0;
    std::vector<std::string> off;
    for (int r = 1; r <= book.recordCount(); ++r) {
        const std::optional<Energy> energy = EnergyOfRecord(grid, r);
        gas += energy == Energy::Kilogram;
        petrol += energy == Energy::Litre;
        const auto figure = figures.find(std::stol(std::string(grid.cell(ColKmStand, r))));
        if (figure == figures.end() || energy != Energy::Kilogram)
            continue;
        ++compared;
        const std::string ours(grid.cell(ColVerbrauch, r));
        if (ours.empty() || std::fabs(TextToNumber(ours) - figure->second) > 0.01 * figure->second)
            off.push_back(std::string(grid.cell(ColKmStand, r)) + " km: " + ours + " for " +
                          std::to_string(figure->second));
    }
    // By hand from the log: 349 fills of tank 1 (natural gas), 48 of tank 2 (petrol); 205
    // full fills of gas with the app's figure over the whole distance.
    EXPECT_EQ(gas, 349);
    EXPECT_EQ(petrol, 48);
    EXPECT_EQ(compared, 205);
    EXPECT_EQ(off, std::vector<std::string>());
}

} // namespace
} // namespace spritlog
