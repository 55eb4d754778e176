// Imported records carry their energy in the grade: the services' codes for electricity,
// gas, hydrogen and AdBlue, the count of each energy in the summary, and the source's own
// consumption held against ours energy by energy.
#include "import/csvimport.h"
#include "logbook/energies.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace spritlog {
namespace {

std::string Spritmonitor(const std::string& lines) {
    return "Date;Odometer;Trip;Quantity;Total price;Currency;Type;Tires;Roads;Driving style;Fuel;"
           "Note;Consumption;BC-Consumption;BC-Quantity;BC-Speed;Company;Country;Area;Location\n" +
           lines;
}

std::string Fuelio(const std::string& fuelType) {
    return "\"## Log\"\n\"Data\",\"Odo (km)\",\"Fuel (litres)\",\"Full\",\"Price (optional)\","
           "\"FuelType\"\n\"2024-01-01\",\"1000\",\"40\",\"1\",\"60\",\"" +
           fuelType + "\"\n";
}

TEST(EnergyImport, FuelCodesGiveGradesOfTheirEnergy) {
    struct Case {
        const char* format;
        const char* code;
        std::optional<Energy> energy; // none: AdBlue
    };
    const Case cases[] = {
        {"Spritmonitor", "7", Energy::Litre},
        {"Spritmonitor", "12", Energy::Litre},
        {"Spritmonitor", "13", Energy::Kilogram},
        {"Spritmonitor", "14", Energy::Kilogram},
        {"Spritmonitor", "19", Energy::KilowattHour},
        {"Spritmonitor", "21", std::nullopt},
        {"Spritmonitor", "23", Energy::Kilogram},
        {"Spritmonitor", "24", Energy::KilowattHour},
        {"Fuelio", "110", Energy::Litre},
        {"Fuelio", "217", std::nullopt},
        {"Fuelio", "305", Energy::Litre},
        {"Fuelio", "401", Energy::Litre},
        {"Fuelio", "501", Energy::Kilogram},
        {"Fuelio", "601", Energy::KilowattHour},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + c.code);
        const std::string file = std::string(c.format) == "Fuelio"
                                     ? Fuelio(c.code)
                                     : Spritmonitor("01.01.2024;1000;;40,00;60,00;EUR;1;;;;" +
                                                    std::string(c.code) + ";;;;;;;;;\n");
        const ImportResult result = ParseImportFile(file);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(EnergyOf(result.records.at(0).cells[ColBenzin]), c.energy);
    }
}

// A plug-in hybrid with AdBlue: petrol, two kinds of electricity on one chain, and the
// service's own figure per record. By hand: line 4, 20 kWh over 1250 - 1100 = 150 km is
// 13.33 kWh/100 km; line 5, 21 l over 1600 - 1000 = 600 km (the charges between aside) is
// 3.50 l/100 km; line 7, 30 kWh over 1800 - 1250 = 550 km is 5.45, where the file says 20.
const char* const kPlugInHybrid = "01.01.2024;1000;;40,00;70,00;EUR;1;;;;7;;;;;;;;;\n"
                                  "03.01.2024;1100;;15,00;4,50;EUR;1;;;;19;;;;;;;;;\n"
                                  "06.01.2024;1250;;20,00;6,00;EUR;1;;;;19;;13,33;;;;;;;\n"
                                  "10.01.2024;1600;;21,00;36,75;EUR;1;;;;7;;3,50;;;;;;;\n"
                                  "12.01.2024;1650;;5,00;4,50;EUR;1;;;;21;;;;;;;;;\n"
                                  "15.01.2024;1800;;30,00;9,00;EUR;1;;;;24;;20,00;;;;;;;\n";

TEST(EnergyImport, TheSummaryCountsEachEnergy) {
    struct Case {
        std::string lines;
        const char* count;
        const char* units;
    };
    const Case cases[] = {
        {kPlugInHybrid, "Betankungen: 6 (2 Liter, 3 kWh, 1 AdBlue)",
         "Umgerechnet: nichts (km, Liter und kWh)"},
        {"01.01.2024;1000;;40,00;60,00;EUR;1;;;;13;;;;;;;;;\n"
         "02.01.2024;1300;;12,00;18,00;EUR;1;;;;7;;;;;;;;;\n",
         "Betankungen: 2 (1 Liter, 1 kg)", "Umgerechnet: nichts (km, Liter und kg)"},
        // Litres alone read as before.
        {"01.01.2024;1000;;40,00;60,00;EUR;1;;;;7;;;;;;;;;\n"
         "02.01.2024;1300;;12,00;18,00;EUR;1;;;;12;;;;;;;;;\n",
         "Betankungen: 2", "Umgerechnet: nichts (km und Liter)"},
    };
    for (const Case& c : cases) {
        const ImportResult result = ParseImportFile(Spritmonitor(c.lines));
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(ImportSummaryLines(result).at(1), c.count);
        EXPECT_EQ(ImportSummaryLines(result).at(4), c.units);
    }
}

TEST(EnergyImport, TheSourcesConsumptionIsComparedEnergyByEnergy) {
    const ImportResult result = ParseImportFile(Spritmonitor(kPlugInHybrid));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.summary.consumptionCompared, 3);
    EXPECT_EQ(result.summary.consumptionDeviations,
              (std::vector<std::string>{"Zeile 7: 5,45 statt 20,00 kWh/100 km"}));
}

} // namespace
} // namespace spritlog
