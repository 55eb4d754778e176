#pragma once

#include <string_view>

namespace spritlog {

// What a grade is measured in. The grade cell says it by its ending: "(kg)" natural gas,
// "(kWh)" electricity, anything else litres.
enum class Energy { Litre, Kilogram, KilowattHour };
inline constexpr int kEnergies = 3;

// The words of an energy in every figure and caption (Windows-1252).
struct EnergyWords {
    const char* quantity;           // after a quantity: "40.00 Liter"
    const char* consumption;        // after a consumption: " 7.00 L/100KM"
    const char* price;              // the price of one unit: "EUR/L"
    const char* gradeEnding;        // what a grade ends in to be of this energy; "" for litres
    const char* filledCaption;      // the chart view of the quantities: "Getankte Liter"
    const char* consumptionCaption; // the chart view of the consumption: "Liter je 100 KM"
    const char* priceCaption;       // the chart view of the prices: "Literpreis"
};

inline constexpr EnergyWords kEnergyWords[kEnergies] = {
    {"Liter", "L/100KM", "EUR/L", "", "Getankte Liter", "Liter je 100 KM", "Literpreis"},
    {"kg", "kg/100KM", "EUR/kg", "(kg)", "Getankte kg", "kg je 100 KM", "Preis je kg"},
    {"kWh", "kWh/100KM", "EUR/kWh", "(kWh)", "Geladene kWh", "kWh je 100 KM", "Preis je kWh"},
};

constexpr const EnergyWords& WordsOf(Energy energy) {
    return kEnergyWords[static_cast<int>(energy)];
}

// The energy of a grade cell: its ending (blanks around the text aside, letters in any case)
// names it; "Erdgas (kg)" Kilogram, "Strom (kWh)" KilowattHour, every other text Litre.
Energy EnergyOf(std::string_view grade);

} // namespace spritlog
