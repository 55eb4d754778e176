#include "analysis/statistics.h"

#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace spritlog {

namespace {

void Tally(ColumnTally& tally, const TextTable& grid, int column, int record) {
    const std::string_view text = grid.cell(column, record);
    if (text.empty())
        return;
    tally.sum = AddCellValue(tally.sum, TextToNumber(text), record, column);
    ++tally.count;
}

// The figure's number text and unit, or nothing when no cell held a value.
std::string MeanText(const ColumnTally& tally, const char* unit) {
    if (tally.count == 0)
        return {};
    return NumberToText(tally.sum / tally.count, 2) + unit;
}

std::string CostPerKmText(const ColumnTally& consumption, const ColumnTally& price) {
    if (consumption.count == 0 || price.count == 0)
        return {};
    // Litres per 100 km times euros per litre: euros per 100 km, the same number as cents
    // per km.
    const double cost = (consumption.sum / consumption.count) * (price.sum / price.count);
    if (!std::isfinite(cost))
        throw Error("Statistik, Kosten je Km: Wert zu gro\xDF.");
    return NumberToText(cost, 2) + " Ct";
}

// The reading of the last record taking part minus that of the first; none when either
// cannot be read (a distance over part of the records would claim to be the whole).
std::optional<int64_t> DrivenDistance(const TextTable& grid, int first, int last) {
    int32_t from = 0;
    int32_t to = 0;
    if (!TryTextToInteger(grid.cell(ColKmStand, first), from) ||
        !TryTextToInteger(grid.cell(ColKmStand, last), to))
        return std::nullopt;
    return static_cast<int64_t>(to) - from;
}

} // namespace

bool ConsumptionCounts(const TextTable& grid, int record, ConsumptionRule rule) {
    return rule != ConsumptionRule::FullTank || !MarksOf(grid, record).partial;
}

StatisticsSums CollectStatistics(const TextTable& grid, ConsumptionRule rule) {
    StatisticsSums s;
    ForEachRecordTakingPart(grid, [&](int r) {
        if (s.first == 0)
            s.first = r;
        s.last = r;
        ++s.records;
        Tally(s.tankkosten, grid, ColTankkosten, r);
        Tally(s.km, grid, ColKm, r);
        const double km = TextToNumber(grid.cell(ColKm, r));
        if (!grid.cell(ColKm, r).empty() && km > s.maxKm)
            s.maxKm = km;
        if (EnergyOf(grid.cell(ColBenzin, r)) != Energy::Litre)
            return;
        Tally(s.liter, grid, ColLiter, r);
        Tally(s.literpreis, grid, ColLiterpreis, r);
        const double liter = TextToNumber(grid.cell(ColLiter, r));
        if (!grid.cell(ColLiter, r).empty() && liter > s.maxLiter)
            s.maxLiter = liter;
        if (!ConsumptionCounts(grid, r, rule))
            return;
        Tally(s.verbrauch, grid, ColVerbrauch, r);
        // A non-empty cell takes part even when it is no number (then as 0).
        if (!grid.cell(ColVerbrauch, r).empty()) {
            const double consumption = TextToNumber(grid.cell(ColVerbrauch, r));
            if (consumption < s.minVerbrauch)
                s.minVerbrauch = consumption;
            if (consumption > s.maxVerbrauch)
                s.maxVerbrauch = consumption;
        }
    });
    return s;
}

StatisticsLabels ComputeStatistics(const TextTable& grid, ConsumptionRule rule) {
    const StatisticsSums sums = CollectStatistics(grid, rule);
    const auto text = [](double value) { return NumberToText(value, 2); };
    StatisticsLabels labels;
    if (sums.records > 0) {
        // A reading that cannot be read is no value (the calculation names it): the
        // figure stays empty.
        const std::optional<int64_t> distance = DrivenDistance(grid, sums.first, sums.last);
        if (distance)
            labels.texts[0] = GroupThousands(IntegerToText(*distance)) + " KM";
    }
    // The litre figures take their words from the energy litres.
    const EnergyWords& litres = WordsOf(Energy::Litre);
    const std::string quantity = std::string(" ") + litres.quantity;
    labels.texts[1] = text(sums.liter.sum) + quantity;
    labels.texts[2] = text(sums.tankkosten.sum) + " EUR";
    labels.texts[3] = MeanText(sums.verbrauch, (std::string(" ") + litres.consumption).c_str());
    labels.texts[4] = MeanText(sums.tankkosten, " EUR");
    labels.texts[5] = MeanText(sums.liter, quantity.c_str());
    labels.texts[6] = MeanText(sums.km, " KM");
    labels.texts[7] = CostPerKmText(sums.verbrauch, sums.literpreis);
    // A minimum or maximum over no value is no figure.
    const auto record = [&](const ColumnTally& tally, double value, const char* unit) {
        return tally.count > 0 ? text(value) + unit : std::string();
    };
    labels.texts[8] = record(sums.verbrauch, sums.minVerbrauch, quantity.c_str());
    labels.texts[9] = record(sums.verbrauch, sums.maxVerbrauch, quantity.c_str());
    labels.texts[10] = record(sums.liter, sums.maxLiter, quantity.c_str());
    labels.texts[11] = record(sums.km, sums.maxKm, " KM");
    labels.intervals = sums.verbrauch.count;
    return labels;
}

} // namespace spritlog
