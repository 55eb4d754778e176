#include "logbook/energies.h"

#include <gtest/gtest.h>

#include <string>

namespace spritlog {
namespace {

TEST(Energies, TheGradeCellIsReadIntoAnEnergy) {
    const struct {
        const char* grade;
        Energy energy;
    } cases[] = {
        {"Super", Energy::Litre},
        {"", Energy::Litre},
        {"Erdgas (kg)", Energy::Kilogram},
        {"CNG (KG)  ", Energy::Kilogram},
        {"Strom (kWh)", Energy::KilowattHour},
        {"Strom (kwh) ", Energy::KilowattHour},
        {"Strom kWh", Energy::Litre},      // the brackets belong to the ending
        {"(kWh) Strom", Energy::Litre},    // an ending, not anywhere
        {"Erdgas (m\xB3)", Energy::Litre}, // no energy of the logbook
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        EXPECT_EQ(EnergyOf(c.grade), c.energy);
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
