#include "logbook/energies.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace spritlog {
namespace {

TEST(Energies, TheGradeCellIsReadIntoAnEnergy) {
    const std::optional<Energy> adBlue;
    const struct {
        const char* grade;
        std::optional<Energy> energy;
    } cases[] = {
        {"Super", Energy::Litre},
        {"", Energy::Litre},
        {"   ", Energy::Litre},
        {"Autogas (LPG)", Energy::Litre},
        {"Erdgas (kg)", Energy::Kilogram},
        {"CNG (KG)  ", Energy::Kilogram},
        {"Strom (kWh)", Energy::KilowattHour},
        {"Strom (kwh) ", Energy::KilowattHour},
        {"(kWh) Strom", Energy::Litre},       // an ending, not anywhere
        {"Erdgas (m\xB3)", Energy::Kilogram}, // the first word decides
        {"Super (m\xB3)", Energy::Litre},
        // The first word, in any case, the Windows-1252 umlaut too.
        {"Strom", Energy::KilowattHour},
        {"  strom, Wallbox", Energy::KilowattHour},
        {"STROM kWh", Energy::KilowattHour},
        {"\xD6kostrom", Energy::KilowattHour},
        {"\xF6kostrom", Energy::KilowattHour},
        {"Ladestrom Arbeit", Energy::KilowattHour},
        {"Elektro", Energy::KilowattHour},
        {"kWh", Energy::KilowattHour},
        {"Stromer", Energy::Litre}, // a whole word only
        {"Super Strom", Energy::Litre},
        {"Erdgas", Energy::Kilogram},
        {"Bio-Erdgas H", Energy::Kilogram},
        {"cng", Energy::Kilogram},
        {"Bio-CNG", Energy::Kilogram},
        {"Wasserstoff 700 bar", Energy::Kilogram},
        {"H2", Energy::Kilogram},
        {"H2O", Energy::Litre},
        {"Bio", Energy::Litre},
        {"AdBlue", adBlue},
        {"adblue 10 L", adBlue},
        {"AdBlue\xAE", adBlue},
        {"AdBlue (kWh)", Energy::KilowattHour}, // the ending says it
        {"AdBlueX", Energy::Litre},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        EXPECT_EQ(EnergyOf(c.grade), c.energy);
    }
}

TEST(Energies, TheMainEnergyHasTheMostRecords) {
    const struct {
        std::array<int, kEnergies> records;
        int adBlue;
        Energy main;
        bool beyondLitres;
    } cases[] = {
        {{0, 0, 0}, 0, Energy::Litre, false},   {{5, 0, 0}, 0, Energy::Litre, false},
        {{5, 0, 0}, 1, Energy::Litre, true},    {{0, 0, 3}, 0, Energy::KilowattHour, true},
        {{2, 0, 2}, 0, Energy::Litre, true}, // ties: litres, then kg, then kWh
        {{0, 4, 4}, 0, Energy::Kilogram, true}, {{1, 2, 3}, 0, Energy::KilowattHour, true},
    };
    for (const auto& c : cases) {
        EnergyMix mix;
        mix.records = c.records;
        mix.adBlue = c.adBlue;
        EXPECT_EQ(mix.main(), c.main) << c.records[0] << c.records[1] << c.records[2];
        EXPECT_EQ(mix.beyondLitres(), c.beyondLitres);
    }
}

TEST(Energies, EachEnergyHasItsWords) {
    EXPECT_STREQ(WordsOf(Energy::Litre).quantity, "Liter");
    EXPECT_STREQ(WordsOf(Energy::Litre).consumption, "L/100KM");
    EXPECT_STREQ(WordsOf(Energy::Litre).consumptionCaption, "Liter je 100 KM");
    EXPECT_STREQ(WordsOf(Energy::KilowattHour).quantity, "kWh");
    EXPECT_STREQ(WordsOf(Energy::Kilogram).quantity, "kg");
    // A grade written with an energy's ending is read back as that energy.
    for (int i = 0; i < kEnergies; ++i) {
        const auto energy = static_cast<Energy>(i);
        EXPECT_EQ(EnergyOf(std::string("Sorte ") + WordsOf(energy).gradeEnding), energy) << i;
    }
}

} // namespace
} // namespace spritlog
