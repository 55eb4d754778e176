#include "analysis/yearsummary.h"

#include "logbook/cellcheck.h"
#include "logbook/cellerrors.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <cmath>
#include <string_view>

namespace spritlog {

namespace {

// The columns a logbook of litres shows. Kilograms and kilowatt hours get theirs here.
const std::vector<QuantityColumn>& LitreColumns() {
    static const std::vector<QuantityColumn> columns = {
        {FuelUnit::Litre, "Liter", "Verbrauch"},
    };
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

void Tally(ColumnTally& tally, const TextTable& grid, int column, int record) {
    const std::string_view text = grid.cell(column, record);
    if (text.empty())
        return;
    tally.sum = AddCellValue(tally.sum, TextToNumber(text), record, column);
    ++tally.count;
}

PeriodFigures EmptyPeriod(std::size_t columns) {
    PeriodFigures figures;
    figures.quantity.resize(columns);
    figures.consumption.resize(columns);
    return figures;
}

// Adds record `r` to `figures`.
void AddRecord(PeriodFigures& figures, const TextTable& grid, int r,
               const std::vector<QuantityColumn>& columns, ConsumptionRule rule) {
    ++figures.records;
    Tally(figures.km, grid, ColKm, r);
    Tally(figures.tankkosten, grid, ColTankkosten, r);
    const FuelUnit unit = UnitOf(grid.cell(ColBenzin, r));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].unit != unit)
            continue;
        Tally(figures.quantity[i], grid, ColLiter, r);
        if (ConsumptionCounts(grid, r, rule))
            Tally(figures.consumption[i], grid, ColVerbrauch, r);
    }
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
    summary.columns = LitreColumns();
    const std::size_t columns = summary.columns.size();

    // The range first, so that the rows need no moving while the records are added.
    int first = 0;
    int last = -1;
    ForEachRecordTakingPart(grid, [&](int r) {
        if (const auto date = DateOf(grid.cell(ColDatum, r))) {
            first = last < first ? date->year : std::min(first, date->year);
            last = std::max(last, date->year);
        }
    });
    if (last < first)
        return summary;

    for (int year = first; year <= last; ++year) {
        YearFigures row;
        row.year = year;
        row.running = year >= today.year;
        row.total = EmptyPeriod(columns);
        row.months.fill(EmptyPeriod(columns));
        summary.years.push_back(std::move(row));
    }
    ForEachRecordTakingPart(grid, [&](int r) {
        const auto date = DateOf(grid.cell(ColDatum, r));
        if (!date)
            return;
        YearFigures& row = summary.years[static_cast<std::size_t>(date->year - first)];
        AddRecord(row.total, grid, r, summary.columns, rule);
        AddRecord(row.months[static_cast<std::size_t>(date->month - 1)], grid, r, summary.columns,
                  rule);
    });

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
