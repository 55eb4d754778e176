#include "reports/xlsxenergychart.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"
#include "reports/xlsxformulas.h"
#include "reports/xlsxprint.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace spritlog {

namespace {

std::string Letter(lxw_col_t column) {
    return std::string(1, static_cast<char>('A' + column));
}

std::string AverageCaption(Energy energy) {
    return std::string("Durchschnitt ") + WordsOf(energy).consumption;
}

// The record's consumption where it has one of its own energy's.
std::optional<double> ConsumptionOf(const TextTable& grid, int row, Energy energy) {
    double value = 0;
    if (IsEmptyRecord(grid, row) || EnergyOfRecord(grid, row) != energy ||
        !TryTextToNumber(grid.cell(ColVerbrauch, row), value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void WriteHelperCells(lxw_workbook* book, lxw_worksheet* sheet, const TextTable& grid,
                      const std::vector<EnergyLine>& lines, int points) {
    lxw_format* bold = NewFormat(book, nullptr, true);
    lxw_format* number = NewFormat(book, "0.00", false);
    const auto count = static_cast<lxw_col_t>(lines.size());
    CheckXlsx(worksheet_set_column(sheet, 0, static_cast<lxw_col_t>(2 * count), 14, nullptr));
    CheckXlsx(worksheet_write_string(sheet, 0, 0, "Datum", bold));
    for (lxw_col_t k = 0; k < count; ++k) {
        const Energy energy = lines[k].energy;
        CheckXlsx(
            worksheet_write_string(sheet, 0, 1 + 2 * k, WordsOf(energy).consumptionCaption, bold));
        CheckXlsx(
            worksheet_write_string(sheet, 0, 2 + 2 * k, AverageCaption(energy).c_str(), bold));
    }
    DateLabelFormula dateLabel;
    for (int i = 0; i < points; ++i) {
        const auto row = static_cast<lxw_row_t>(1 + i);
        const int record = i + 2; // in row i + 3 of Tankbuch
        const std::string date = Cp1252ToUtf8(grid.cell(ColDatum, record));
        CheckXlsx(
            worksheet_write_formula_str(sheet, row, 0, dateLabel(i + 3), nullptr, date.c_str()));
        for (lxw_col_t k = 0; k < count; ++k) {
            const EnergyLine& line = lines[k];
            const char* unit = WordsOf(line.energy).quantity;
            if (const std::optional<double> value = ConsumptionOf(grid, record, line.energy)) {
                const std::string formula = EnergyConsumptionFormula(i + 3, unit);
                CheckXlsx(worksheet_write_formula_num(sheet, row, 1 + 2 * k, formula.c_str(),
                                                      number, *value));
            }
            // The average in every row, so that its line too follows the cells.
            const std::string average =
                i == 0 ? EnergyAverageFormula(points, unit) : "=$" + Letter(2 + 2 * k) + "$2";
            CheckXlsx(worksheet_write_formula_num(sheet, row, 2 + 2 * k, average.c_str(), number,
                                                  line.average));
        }
    }
}

// `points`: each value gets a small mark, so that a line of few records (or of one) shows.
void AddSeries(lxw_chart* chart, const std::string& categories, const std::string& values,
               const std::string& name, bool points) {
    lxw_chart_series* series = chart_add_series(chart, categories.c_str(), values.c_str());
    if (!series)
        throw Error(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    // The categories are texts, each its own point; written row by row, the cells are gone
    // when the chart is written, so the chart is told.
    series->categories->has_string_cache = LXW_TRUE;
    chart_series_set_name(series, name.c_str());
    chart_series_set_marker_type(series, points ? LXW_CHART_MARKER_CIRCLE : LXW_CHART_MARKER_NONE);
    if (points)
        chart_series_set_marker_size(series, 4);
}

} // namespace

std::vector<EnergyLine> EnergyLinesOf(const TextTable& grid) {
    std::vector<EnergyLine> lines;
    const int n = RecordCount(grid);
    for (int e = 0; e < kEnergies; ++e) {
        const auto energy = static_cast<Energy>(e);
        double sum = 0;
        int count = 0;
        for (int r = 2; r <= n; ++r) {
            if (const std::optional<double> value = ConsumptionOf(grid, r, energy)) {
                sum += *value;
                ++count;
            }
        }
        if (count > 0)
            lines.push_back({energy, sum / count});
    }
    return lines;
}

void WriteEnergyConsumptionChart(lxw_workbook* book, lxw_worksheet* helpers, lxw_worksheet* charts,
                                 const TextTable& grid, int points) {
    // Figures that cannot fail: computed here, with the file open.
    const std::vector<EnergyLine> lines = EnergyLinesOf(grid);
    worksheet_hide(helpers);
    WriteHelperCells(book, helpers, grid, lines, points);
    const std::string last = IntegerToText(points + 1);
    const std::string dates = "=Hilfswerte!$A$2:$A$" + last;
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_LINE);
    for (lxw_col_t k = 0; k < static_cast<lxw_col_t>(lines.size()); ++k) {
        const Energy energy = lines[k].energy;
        const std::string values = Letter(1 + 2 * k);
        const std::string average = Letter(2 + 2 * k);
        AddSeries(chart, dates, "=Hilfswerte!$" + values + "$2:$" + values + "$" + last,
                  WordsOf(energy).consumptionCaption, true);
        AddSeries(chart, dates, "=Hilfswerte!$" + average + "$2:$" + average + "$" + last,
                  AverageCaption(energy), false);
    }
    // A line passes over the records of the other energies.
    chart_show_blanks_as(chart, LXW_CHART_BLANKS_AS_CONNECTED);
    chart_title_set_name(chart, "Verbrauch je 100 KM");
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options options = {};
    options.x_scale = 2.0;
    options.y_scale = 1.4;
    CheckXlsx(worksheet_insert_chart_opt(charts, 0, 0, chart, &options));
}

} // namespace spritlog
