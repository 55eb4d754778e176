#include "analysis/yearsummary.h"

#include "logbook/cellcheck.h"
#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>

namespace spritlog {

namespace {

// One quantity column and its consumption column per energy of the logbook's records, in
// the order litres, kg, kWh. A logbook of one energy calls its consumption "Verbrauch"; with
// several, each consumption column names its energy. Litres when there is no record at all.
std::vector<QuantityColumn> ColumnsOf(const EnergyMix& mix) {
    static const char* const kOwnConsumption[kEnergies] = {"Verbrauch Liter", "Verbrauch kg",
                                                           "Verbrauch kWh"};
    std::vector<QuantityColumn> columns;
    for (int i = 0; i < kEnergies; ++i) {
        const auto energy = static_cast<Energy>(i);
        if (!mix.has(energy))
            continue;
        columns.push_back(
            {energy, WordsOf(energy).quantity, mix.count() > 1 ? kOwnConsumption[i] : "Verbrauch"});
    }
    if (columns.empty())
        columns.push_back({Energy::Litre, WordsOf(Energy::Litre).quantity, "Verbrauch"});
    return columns;
}

struct DatePart {
    int year = 0;
    int month = 0;
};

int Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

// Year and month of a valid date text dd.mm.yyyy.
std::optional<DatePart> DateOf(std::string_view text) {
    if (!IsValidDate(text))
        return std::nullopt;
    return DatePart{Digits(text, 6, 4), Digits(text, 3, 2)};
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DayOfYear(const LocalDateTime& day) {
    static constexpr int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int month = day.month < 1 ? 1 : (day.month > 12 ? 12 : day.month);
    return kBefore[month - 1] + day.day + (month > 2 && IsLeapYear(day.year) ? 1 : 0);
}

PeriodFigures EmptyPeriod(std::size_t columns) {
    PeriodFigures figures;
    figures.quantity.resize(columns);
    figures.consumption.resize(columns);
    return figures;
}

// What one record adds to its year and its month, each cell read once.
struct RecordFigures {
    int row = 0;
    int year = 0;
    int month = 0;
    std::optional<double> km, tankkosten, quantity, consumption;
    int column = -1; // the quantity column of its unit, -1 for none
};

std::optional<double> CellValue(const TextTable& grid, int column, int record) {
    const std::string_view text = grid.cell(column, record);
    if (text.empty())
        return std::nullopt;
    return TextToNumber(text);
}

RecordFigures ReadRecord(const TextTable& grid, int r, const DatePart& date,
                         const std::vector<QuantityColumn>& columns, ConsumptionRule rule) {
    RecordFigures figures;
    figures.row = r;
    figures.year = date.year;
    figures.month = date.month;
    figures.km = CellValue(grid, ColKm, r);
    figures.tankkosten = CellValue(grid, ColTankkosten, r);
    // AdBlue costs, but has no quantity column: it is no energy.
    const std::optional<Energy> unit = EnergyOfRecord(grid, r);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (unit && columns[i].unit == *unit)
            figures.column = static_cast<int>(i);
    if (figures.column < 0)
        return figures;
    figures.quantity = CellValue(grid, ColLiter, r);
    if (!grid.cell(ColVerbrauch, r).empty() && ConsumptionCounts(grid, r, rule))
        figures.consumption = CellValue(grid, ColVerbrauch, r);
    return figures;
}

void Tally(ColumnTally& tally, const std::optional<double>& value, int record, int column) {
    if (!value)
        return;
    tally.sum = AddCellValue(tally.sum, *value, record, column);
    ++tally.count;
}

void AddRecord(PeriodFigures& figures, const RecordFigures& record) {
    ++figures.records;
    Tally(figures.km, record.km, record.row, ColKm);
    Tally(figures.tankkosten, record.tankkosten, record.row, ColTankkosten);
    if (record.column < 0)
        return;
    const auto column = static_cast<std::size_t>(record.column);
    Tally(figures.quantity[column], record.quantity, record.row, ColLiter);
    Tally(figures.consumption[column], record.consumption, record.row, ColVerbrauch);
}

std::string SumText(const ColumnTally& tally, int decimals) {
    return tally.count == 0 ? std::string() : FigureText(tally.sum, decimals);
}

std::string MeanText(const ColumnTally& tally) {
    return tally.count == 0 ? std::string() : FigureText(tally.sum / tally.count, 2);
}

} // namespace

const YearFigures* YearSummary::find(int year) const {
    if (years.empty() || year < years.front().year || year > years.back().year)
        return nullptr;
    return &years[static_cast<std::size_t>(year - years.front().year)];
}

YearSummary SummariseYears(const TextTable& grid, ConsumptionRule rule,
                           const LocalDateTime& today) {
    YearSummary summary;
    summary.columns = ColumnsOf(MixOf(grid));
    const std::size_t columns = summary.columns.size();

    // One pass: each record read once into its year, the years kept in order as they come.
    std::map<int, YearFigures> byYear;
    YearFigures* current = nullptr;
    // A record with a valid date is no empty record: it takes part.
    for (int r = 1; r < grid.rowCount(); ++r) {
        const auto date = DateOf(grid.cell(ColDatum, r));
        if (!date)
            continue;
        if (!current || current->year != date->year) {
            auto [at, added] = byYear.try_emplace(date->year);
            current = &at->second;
            if (added) {
                current->year = date->year;
                current->total = EmptyPeriod(columns);
                current->months.fill(EmptyPeriod(columns));
            }
        }
        const RecordFigures record = ReadRecord(grid, r, *date, summary.columns, rule);
        AddRecord(current->total, record);
        AddRecord(current->months[static_cast<std::size_t>(date->month - 1)], record);
    }
    if (byYear.empty())
        return summary;

    // Every year from the first to the last, those without records too.
    const int first = byYear.begin()->first;
    const int last = byYear.rbegin()->first;
    for (int year = first; year <= last; ++year) {
        YearFigures row;
        if (auto found = byYear.find(year); found != byYear.end()) {
            row = std::move(found->second);
        } else {
            row.year = year;
            row.total = EmptyPeriod(columns);
            row.months.fill(EmptyPeriod(columns));
        }
        row.running = year >= today.year;
        summary.years.push_back(std::move(row));
    }

    if (const YearFigures* current = summary.find(today.year)) {
        YearProjection projection;
        projection.year = today.year;
        projection.days = IsLeapYear(today.year) ? 366 : 365;
        projection.daysGone = DayOfYear(today);
        const double factor = static_cast<double>(projection.days) / projection.daysGone;
        if (current->total.km.count > 0)
            projection.km = current->total.km.sum * factor;
        if (current->total.tankkosten.count > 0)
            projection.tankkosten = current->total.tankkosten.sum * factor;
        summary.projection = projection;
    }
    return summary;
}

std::optional<double> CostPer100Km(const PeriodFigures& figures) {
    if (figures.km.count == 0 || figures.km.sum == 0 || figures.tankkosten.count == 0)
        return std::nullopt;
    const double cost = figures.tankkosten.sum / figures.km.sum * 100.0;
    if (!std::isfinite(cost))
        return std::nullopt;
    return cost;
}

std::vector<std::string> YearTableCaptions(const YearSummary& summary, const char* first) {
    std::vector<std::string> captions = {first, "KM"};
    for (const QuantityColumn& column : summary.columns)
        captions.emplace_back(column.quantityCaption);
    captions.emplace_back("Tankkosten");
    for (const QuantityColumn& column : summary.columns)
        captions.emplace_back(column.consumptionCaption);
    captions.emplace_back("EUR je 100 KM");
    return captions;
}

std::vector<std::string> PeriodTexts(const YearSummary& summary, const PeriodFigures& figures) {
    std::vector<std::string> texts = {SumText(figures.km, 0)};
    for (std::size_t i = 0; i < summary.columns.size(); ++i)
        texts.push_back(i < figures.quantity.size() ? SumText(figures.quantity[i], 2) : "");
    texts.push_back(SumText(figures.tankkosten, 2));
    for (std::size_t i = 0; i < summary.columns.size(); ++i)
        texts.push_back(i < figures.consumption.size() ? MeanText(figures.consumption[i]) : "");
    const auto cost = CostPer100Km(figures);
    texts.push_back(cost ? FigureText(*cost, 2) : std::string());
    return texts;
}

std::string YearCaption(const YearFigures& year) {
    return IntegerToText(year.year) + (year.running ? " (laufend)" : "");
}

std::string MonthCaption(int month) {
    return (month < 10 ? "0" : "") + IntegerToText(month);
}

std::vector<std::string> ProjectionTexts(const YearSummary& summary) {
    if (!summary.projection)
        return {};
    const YearProjection& projection = *summary.projection;
    std::vector<std::string> texts(YearTableCaptions(summary, "").size());
    texts[0] = "Hochrechnung " + IntegerToText(projection.year);
    if (projection.km)
        texts[1] = FigureText(*projection.km, 0);
    if (projection.tankkosten)
        texts[2 + summary.columns.size()] = FigureText(*projection.tankkosten, 2);
    return texts;
}

std::string FigureText(double value, int decimals) {
    std::string text = NumberToText(value, decimals);
    const std::size_t start = text.find_first_not_of(' ');
    text.erase(0, start == std::string::npos ? text.size() : start);
    return text;
}

} // namespace spritlog
