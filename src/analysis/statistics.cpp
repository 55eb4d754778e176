#include "analysis/statistics.h"

#include "logbook/conventions.h"
#include "logbook/floatops.h"
#include "logbook/logbooktable.h"

#include <cstdint>
#include <stdexcept>

namespace spritlog {

StatisticsSums CollectStatistics(const TextTable& grid, int lastRecord) {
    StatisticsSums s;
    for (int r = 1; r <= lastRecord; ++r) {
        const double liter = TextToNumber(grid.cell(ColLiter, r));
        const double consumption = TextToNumber(grid.cell(ColVerbrauch, r));
        const double km = TextToNumber(grid.cell(ColKm, r));
        s.liter = Add(s.liter, liter);
        s.tankkosten = Add(s.tankkosten, TextToNumber(grid.cell(ColTankkosten, r)));
        s.verbrauch = Add(s.verbrauch, consumption);
        s.km = Add(s.km, km);
        s.literpreis = Add(s.literpreis, TextToNumber(grid.cell(ColLiterpreis, r)));
        // A non-empty cell takes part even when it is no number (then as 0).
        if (!grid.cell(ColVerbrauch, r).empty()) {
            if (consumption < s.minVerbrauch)
                s.minVerbrauch = consumption;
            if (consumption > s.maxVerbrauch)
                s.maxVerbrauch = consumption;
        }
        if (!grid.cell(ColLiter, r).empty() && liter > s.maxLiter)
            s.maxLiter = liter;
        if (!grid.cell(ColKm, r).empty() && km > s.maxKm)
            s.maxKm = km;
    }
    return s;
}

StatisticsLabels ComputeStatistics(const TextTable& grid, StatisticsTarget target) {
    const int n = RecordCount(grid);
    if (n < 3)
        throw std::invalid_argument("statistics need at least three records");

    // The last record has no consumption or cost of its own yet, so it stays out.
    const StatisticsSums sums = CollectStatistics(grid, n - 1);

    // Record n first: when both are bad, its text is the one reported.
    const int64_t last = TextToInteger(grid.cell(ColKmStand, n));
    const int64_t first = TextToInteger(grid.cell(ColKmStand, 1));
    const int64_t distance = last - first;

    const double records = n - 1;
    const double consumptionDivisor = target == StatisticsTarget::Page ? n - 2 : n - 1;
    const double averageConsumption = Divide(sums.verbrauch, consumptionDivisor);

    const auto text = [](double value) { return NumberToText(value, 2); };
    StatisticsLabels labels;
    labels.texts[0] = GroupThousands(IntegerToText(distance)) + " KM";
    labels.texts[1] = text(sums.liter) + " Liter";
    labels.texts[2] = text(sums.tankkosten) + " EUR";
    labels.texts[3] = text(averageConsumption) + " L/100KM";
    labels.texts[4] = text(Divide(sums.tankkosten, records)) + " EUR";
    labels.texts[5] = text(Divide(sums.liter, records)) + " Liter";
    labels.texts[6] = text(Divide(sums.km, records)) + " KM";
    // Litres per 100 km times euros per litre: euros per 100 km, the same number as cents
    // per km.
    labels.texts[7] = text(Multiply(averageConsumption, Divide(sums.literpreis, records))) + " Ct";
    labels.texts[8] = text(sums.minVerbrauch) + " Liter";
    labels.texts[9] = text(sums.maxVerbrauch) + " Liter";
    labels.texts[10] = text(sums.maxLiter) + " Liter";
    labels.texts[11] = text(sums.maxKm) + " KM";
    return labels;
}

} // namespace spritlog
