#include "analysis/energytable.h"

#include "analysis/statistics.h"
#include "analysis/yearsummary.h"
#include "logbook/energies.h"

#include <optional>

namespace spritlog {
namespace {

std::string Figure(const std::optional<double>& value) {
    return value ? FigureText(*value, 2) : std::string();
}

std::optional<double> Mean(const ColumnTally& tally) {
    if (tally.count == 0)
        return std::nullopt;
    return tally.sum / tally.count;
}

} // namespace

std::vector<std::vector<std::string>> EnergyTable(const TextTable& grid, ConsumptionRule rule) {
    const StatisticsSums sums = CollectStatistics(grid, rule);
    std::vector<std::vector<std::string>> rows = {
        {"Energie", "Menge", "Kosten", "Verbrauch", "Kosten je KM"}};
    for (int e = 0; e < kEnergies; ++e) {
        const Energy energy = static_cast<Energy>(e);
        const EnergyTally& tally = sums.of(energy);
        if (tally.records == 0)
            continue;
        rows.push_back({WordsOf(energy).quantity, Figure(tally.quantity.sum),
                        Figure(tally.cost.sum), Figure(Mean(tally.consumption)),
                        Figure(CostPerKm(tally))});
    }
    if (sums.adBlue.records > 0)
        rows.push_back({kAdBlueName, Figure(sums.adBlue.quantity.sum), Figure(sums.adBlue.cost.sum),
                        std::string(), std::string()});
    rows.push_back({"Gesamt", std::string(), Figure(sums.tankkosten.sum), std::string(),
                    Figure(CostPerKmOfCar(sums))});
    return rows;
}

} // namespace spritlog
