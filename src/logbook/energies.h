#pragma once

#include "logbook/texttable.h"

#include <array>
#include <optional>
#include <string_view>

namespace spritlog {

// What a record's quantity is measured in: litres (petrol, diesel, LPG, E85, ...), kilograms
// (natural gas, bio gas, hydrogen) or kilowatt-hours (electricity). AdBlue is no energy: it
// costs, but it is burnt by nothing the consumption figures describe.
enum class Energy { Litre, Kilogram, KilowattHour };
inline constexpr int kEnergies = 3;

// The words of an energy in every figure and caption (Windows-1252).
struct EnergyWords {
    const char* quantity;           // after a quantity, and the energy's name: "40.00 Liter"
    const char* consumption;        // after a consumption: " 7.00 L/100KM"
    const char* price;              // the price of one unit: "EUR/L"
    const char* gradeEnding;        // what a grade may end in to be of this energy; "" for litres
    const char* filledCaption;      // the chart view of the quantities: "Getankte Liter"
    const char* consumptionCaption; // the chart view of the consumption: "Liter je 100 KM"
    const char* priceCaption;       // the chart view of the prices: "Literpreis"
    const char* sumCaption;         // statistics, the sum of the quantities: "Getankte Liter:"
    const char* fillCaption;        // statistics, the average quantity: "Tankfüllung:"
    const char* maxFillCaption;     // statistics, the largest quantity: "Max Tankfüllung:"
    const char* extremeUnit;        // statistics, after Min and Max Verbrauch: "Liter"
    const char* legend;             // a chart line of this energy: "Kraftstoff (Liter)"
    const char* lineCaption;        // statistics, the line of this energy: "Kraftstoff:"
};

inline constexpr EnergyWords kEnergyWords[kEnergies] = {
    {"Liter", "L/100KM", "EUR/L", "", "Getankte Liter", "Liter je 100 KM", "Literpreis",
     "Getankte Liter:", "Tankf\xFCllung:", "Max Tankf\xFCllung:", "Liter", "Kraftstoff (Liter)",
     "Kraftstoff:"},
    {"kg", "kg/100KM", "EUR/kg", "(kg)", "Getankte kg", "kg je 100 KM", "Preis je kg",
     "Getankte kg:", "Tankf\xFCllung:", "Max Tankf\xFCllung:", "kg/100KM", "Gas (kg)", "Gas:"},
    {"kWh", "kWh/100KM", "EUR/kWh", "(kWh)", "Geladene kWh", "kWh je 100 KM", "Preis je kWh",
     "Geladene kWh:", "Ladung:", "Max Ladung:", "kWh/100KM", "Strom (kWh)", "Strom:"},
};

constexpr const EnergyWords& WordsOf(Energy energy) {
    return kEnergyWords[static_cast<int>(energy)];
}

// The name of AdBlue where energies are listed, and its unit.
inline constexpr const char* kAdBlueName = "AdBlue";
inline constexpr const char* kAdBlueUnit = "Liter";

// The energy of a grade cell (Windows-1252), none for AdBlue. Letters count in any case and
// blanks around the text aside:
// - kilowatt-hours when it ends with "(kWh)" or its first word is Strom, Ökostrom, Ladestrom,
//   Elektro or kWh;
// - kilograms when it ends with "(kg)" or its first word is Erdgas, Bio-Erdgas, CNG, Bio-CNG,
//   Wasserstoff or H2;
// - none when its first word is AdBlue;
// - litres for every other text, the empty one too.
// A word is a run of letters, digits and "-": "Strom, Wallbox" is Strom, "Stromer" is not.
std::optional<Energy> EnergyOf(std::string_view grade);

// The energy of a record by its grade cell (column Benzin).
std::optional<Energy> EnergyOfRecord(const TextTable& grid, int row);

// The unit a record's quantity is measured in: "Liter", "kg" or "kWh" (AdBlue: "Liter").
const char* UnitOfRecord(const TextTable& grid, int row);

// The energies of the records taking part, and how many records of each.
struct EnergyMix {
    std::array<int, kEnergies> records{};
    int adBlue = 0;

    bool has(Energy energy) const { return records[static_cast<int>(energy)] > 0; }
    // How many energies have records (AdBlue is none).
    int count() const;
    // The energy with the most records; ties go to litres, then kg, then kWh; litres when
    // there is none.
    Energy main() const;
    // Whether any record is of another energy than litres, or AdBlue: a logbook that is not
    // simply one of litres.
    bool beyondLitres() const { return adBlue > 0 || count() > 1 || main() != Energy::Litre; }
};
EnergyMix MixOf(const TextTable& grid);

// MixOf(grid).beyondLitres(), read only up to the first record that tells it.
bool BeyondLitres(const TextTable& grid);

} // namespace spritlog
