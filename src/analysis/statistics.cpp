#include "statistics.h"

#include "../logbook/conventions.h"
#include "../logbook/floatops.h"
#include "../logbook/logbooktable.h"

#include <cstdint>
#include <stdexcept>

namespace spritlog {

StatisticsLabels ComputeStatistics(const TextTable& grid, StatisticsTarget target) {
    const int n = RecordCount(grid);
    if (n < 3)
        throw std::invalid_argument("statistics need at least three records");

    double sumLiter = 0;
    double sumCost = 0;
    double sumConsumption = 0;
    double sumKm = 0;
    double sumPrice = 0;
    double minConsumption = 2147483647.0;
    double maxConsumption = 0;
    double maxLiter = 0;
    double maxKm = 0;

    // The last record has no consumption or cost of its own yet, so it stays out.
    for (int r = 1; r <= n - 1; ++r) {
        const double liter = TextToNumber(grid.cell(ColLiter, r));
        const double consumption = TextToNumber(grid.cell(ColVerbrauch, r));
        const double km = TextToNumber(grid.cell(ColKm, r));
        sumLiter = Add(sumLiter, liter);
        sumCost = Add(sumCost, TextToNumber(grid.cell(ColTankkosten, r)));
        sumConsumption = Add(sumConsumption, consumption);
        sumKm = Add(sumKm, km);
        sumPrice = Add(sumPrice, TextToNumber(grid.cell(ColLiterpreis, r)));
        // A non-empty cell takes part even when it is no number (then as 0).
        if (!grid.cell(ColVerbrauch, r).empty()) {
            if (consumption < minConsumption)
                minConsumption = consumption;
            if (consumption > maxConsumption)
                maxConsumption = consumption;
        }
        if (!grid.cell(ColLiter, r).empty() && liter > maxLiter)
            maxLiter = liter;
        if (!grid.cell(ColKm, r).empty() && km > maxKm)
            maxKm = km;
    }

    // Record n first: when both are bad, its text is the one reported.
    const int64_t last = TextToInteger(grid.cell(ColKmStand, n));
    const int64_t first = TextToInteger(grid.cell(ColKmStand, 1));
    const int64_t distance = last - first;

    const double records = n - 1;
    const double consumptionDivisor = target == StatisticsTarget::Page ? n - 2 : n - 1;
    const double averageConsumption = Divide(sumConsumption, consumptionDivisor);

    const auto text = [](double value) { return NumberToText(value, 2); };
    StatisticsLabels labels;
    labels.texts[0] = GroupThousands(IntegerToText(distance)) + " KM";
    labels.texts[1] = text(sumLiter) + " Liter";
    labels.texts[2] = text(sumCost) + " EUR";
    labels.texts[3] = text(averageConsumption) + " L/100KM";
    labels.texts[4] = text(Divide(sumCost, records)) + " EUR";
    labels.texts[5] = text(Divide(sumLiter, records)) + " Liter";
    labels.texts[6] = text(Divide(sumKm, records)) + " KM";
    // Litres per 100 km times euros per litre: euros per 100 km, the same number as cents
    // per km.
    labels.texts[7] = text(Multiply(averageConsumption, Divide(sumPrice, records))) + " Ct";
    labels.texts[8] = text(minConsumption) + " Liter";
    labels.texts[9] = text(maxConsumption) + " Liter";
    labels.texts[10] = text(maxLiter) + " Liter";
    labels.texts[11] = text(maxKm) + " KM";
    return labels;
}

} // namespace spritlog
