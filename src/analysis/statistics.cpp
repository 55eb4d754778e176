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

// A cell's value, 0 when unreadable; none when the cell is empty.
std::optional<double> CellValue(const TextTable& grid, int column, int record) {
    const std::string_view text = grid.cell(column, record);
    if (text.empty())
        return std::nullopt;
    return TextToNumber(text);
}

void Add(ColumnTally& tally, const std::optional<double>& value, int column, int record) {
    if (!value)
        return;
    tally.sum = AddCellValue(tally.sum, *value, record, column);
    ++tally.count;
}

void Maximum(double& maximum, const std::optional<double>& value) {
    if (value && *value > maximum)
        maximum = *value;
}

// The cells of one record taking part: into the whole logbook's tallies and those of its
// energy (AdBlue's has no consumption).
void TallyRecord(StatisticsSums& s, const TextTable& grid, int r, ConsumptionRule rule) {
    const std::optional<double> cost = CellValue(grid, ColTankkosten, r);
    const std::optional<double> km = CellValue(grid, ColKm, r);
    Add(s.tankkosten, cost, ColTankkosten, r);
    Add(s.km, km, ColKm, r);
    Maximum(s.maxKm, km);
    const std::optional<Energy> energy = EnergyOfRecord(grid, r);
    EnergyTally& tally = energy ? s.energies[static_cast<std::size_t>(*energy)] : s.adBlue;
    ++tally.records;
    const std::optional<double> quantity = CellValue(grid, ColLiter, r);
    Add(tally.quantity, quantity, ColLiter, r);
    Maximum(tally.maxQuantity, quantity);
    Add(tally.price, CellValue(grid, ColLiterpreis, r), ColLiterpreis, r);
    Add(tally.cost, cost, ColTankkosten, r);
    Add(tally.km, km, ColKm, r);
    Maximum(tally.maxKm, km);
    if (!energy || !ConsumptionCounts(grid, r, rule))
        return;
    // A non-empty cell takes part even when it is no number (then as 0).
    const std::optional<double> consumption = CellValue(grid, ColVerbrauch, r);
    Add(tally.consumption, consumption, ColVerbrauch, r);
    if (consumption && *consumption < tally.minConsumption)
        tally.minConsumption = *consumption;
    Maximum(tally.maxConsumption, consumption);
}

std::string Text(double value) {
    return NumberToText(value, 2);
}

std::string Unit(const char* word) {
    return std::string(" ") + word;
}

// The figure's number text and unit, or nothing when no cell held a value.
std::string MeanText(const ColumnTally& tally, const std::string& unit) {
    if (tally.count == 0)
        return {};
    return Text(tally.sum / tally.count) + unit;
}

// A minimum or maximum over no value is no figure.
std::string RecordText(const ColumnTally& tally, double value, const std::string& unit) {
    return tally.count > 0 ? Text(value) + unit : std::string();
}

std::string CostPerKmText(const std::optional<double>& cost) {
    if (!cost)
        return {};
    if (!std::isfinite(*cost))
        throw Error("Statistik, Kosten je Km: Wert zu gro\xDF.");
    return Text(*cost) + " Ct";
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

// L2, L4, L6 and L9-L11: the quantity and consumption figures of one energy, in its words.
void WriteEnergyFigures(StatisticsLabels& labels, const EnergyTally& tally, Energy energy) {
    const EnergyWords& words = WordsOf(energy);
    const std::string quantity = Unit(words.quantity);
    const std::string extreme = Unit(words.extremeUnit);
    labels.captions[1] = words.sumCaption;
    labels.captions[5] = words.fillCaption;
    labels.captions[10] = words.maxFillCaption;
    labels.texts[1] = Text(tally.quantity.sum) + quantity;
    labels.texts[3] = MeanText(tally.consumption, Unit(words.consumption));
    labels.texts[5] = MeanText(tally.quantity, quantity);
    labels.texts[8] = RecordText(tally.consumption, tally.minConsumption, extreme);
    labels.texts[9] = RecordText(tally.consumption, tally.maxConsumption, extreme);
    labels.texts[10] = RecordText(tally.quantity, tally.maxQuantity, quantity);
    labels.intervals = tally.consumption.count;
    labels.energy = energy;
}

// What an energy's consumption is counted in per 100 km: "L" of "L/100KM".
std::string ShortUnit(Energy energy) {
    const std::string_view consumption = WordsOf(energy).consumption;
    return std::string(consumption.substr(0, consumption.find('/')));
}

// " 5.17 L + 1.72 kWh /100KM"; nothing when an energy has no consumption.
std::string CombinedConsumption(const StatisticsSums& sums) {
    std::string text;
    for (int e = 0; e < kEnergies; ++e) {
        const Energy energy = static_cast<Energy>(e);
        const EnergyTally& tally = sums.of(energy);
        if (tally.records == 0)
            continue;
        if (tally.consumption.count == 0)
            return {};
        std::string number = Text(tally.consumption.sum / tally.consumption.count);
        if (!text.empty()) {
            number.erase(0, number.find_first_not_of(' '));
            text += " + ";
        }
        text += number + " " + ShortUnit(energy);
    }
    return text + " /100KM";
}

// The lines below the twelve figures of a logbook of several energies.
std::vector<StatisticsLine> EnergyLines(const StatisticsSums& sums) {
    std::vector<StatisticsLine> lines;
    for (int e = 0; e < kEnergies; ++e) {
        const Energy energy = static_cast<Energy>(e);
        const EnergyTally& tally = sums.of(energy);
        if (tally.records == 0)
            continue;
        const EnergyWords& words = WordsOf(energy);
        lines.push_back({words.lineCaption,
                         {Text(tally.quantity.sum) + Unit(words.quantity),
                          MeanText(tally.consumption, Unit(words.consumption)),
                          Text(tally.cost.sum) + " EUR"}});
    }
    if (sums.adBlue.records > 0)
        lines.push_back({std::string(kAdBlueName) + ":",
                         {Text(sums.adBlue.quantity.sum) + Unit(kAdBlueUnit), std::string(),
                          Text(sums.adBlue.cost.sum) + " EUR"}});
    lines.push_back({kCombinedCaption, {CombinedConsumption(sums)}});
    return lines;
}

} // namespace

StatisticsLabels::StatisticsLabels() {
    for (const StatisticsRow& row : kStatisticsRows)
        captions[static_cast<std::size_t>(row.label - 1)] = row.caption;
}

std::string StatisticsLine::text() const {
    std::string joined;
    for (const std::string& part : parts) {
        const std::size_t start = part.find_first_not_of(' ');
        if (start == std::string::npos)
            continue;
        if (!joined.empty())
            joined += ", ";
        joined += part.substr(start);
    }
    return joined;
}

EnergyMix StatisticsSums::mix() const {
    EnergyMix mix;
    for (int e = 0; e < kEnergies; ++e)
        mix.records[static_cast<std::size_t>(e)] = energies[static_cast<std::size_t>(e)].records;
    mix.adBlue = adBlue.records;
    return mix;
}

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
        TallyRecord(s, grid, r, rule);
    });
    return s;
}

std::optional<double> CostPerKm(const EnergyTally& tally) {
    if (tally.consumption.count == 0 || tally.price.count == 0)
        return std::nullopt;
    // Units per 100 km times euros per unit: euros per 100 km, the same number as cents
    // per km.
    return (tally.consumption.sum / tally.consumption.count) *
           (tally.price.sum / tally.price.count);
}

std::optional<double> CostPerKmOfCar(const StatisticsSums& sums) {
    std::optional<double> total;
    for (const EnergyTally& tally : sums.energies) {
        if (tally.records == 0)
            continue;
        const std::optional<double> cost = CostPerKm(tally);
        if (!cost)
            return std::nullopt;
        total = total.value_or(0) + *cost;
    }
    return total;
}

StatisticsLabels ComputeStatistics(const TextTable& grid, ConsumptionRule rule) {
    const StatisticsSums sums = CollectStatistics(grid, rule);
    const EnergyMix mix = sums.mix();
    const Energy main = mix.main();
    const EnergyTally& mainTally = sums.of(main);
    StatisticsLabels labels;
    if (sums.records > 0) {
        // A reading that cannot be read is no value (the calculation names it): the
        // figure stays empty.
        const std::optional<int64_t> distance = DrivenDistance(grid, sums.first, sums.last);
        if (distance)
            labels.texts[0] = GroupThousands(IntegerToText(*distance)) + " KM";
    }
    WriteEnergyFigures(labels, mainTally, main);
    labels.texts[2] = Text(sums.tankkosten.sum) + " EUR";
    labels.texts[4] = MeanText(sums.tankkosten, " EUR");
    labels.texts[6] = MeanText(sums.km, " KM");
    if (mix.count() > 1) {
        labels.texts[7] = CostPerKmText(CostPerKmOfCar(sums));
        labels.texts[11] = RecordText(mainTally.km, mainTally.maxKm, " KM");
        labels.lines = EnergyLines(sums);
    } else {
        labels.texts[7] = CostPerKmText(CostPerKm(mainTally));
        labels.texts[11] = RecordText(sums.km, sums.maxKm, " KM");
    }
    return labels;
}

} // namespace spritlog
