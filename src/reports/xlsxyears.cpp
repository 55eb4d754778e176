#include "reports/xlsxyears.h"

#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/errors.h"
#include "reports/xlsxformulas.h"
#include "reports/xlsxprint.h"

#include <cmath>
#include <optional>

namespace spritlog {

namespace {

// The Tankbuch columns the formulas read.
constexpr char kDate = 'A', kLiter = 'C', kKm = 'E', kVerbrauch = 'F', kTankkosten = 'H',
               kBenzin = 'I';
constexpr char kNotes[] = {'L', 'M', 'N'};

// The grade's ending that names its unit; a litre column takes every other grade.
const char* UnitEnding(Energy unit) {
    return WordsOf(unit).gradeEnding;
}

std::string Letter(int column) {
    return std::string(1, static_cast<char>('A' + column));
}

class Formulas {
public:
    Formulas(int records, int row, bool units)
        : last_(IntegerToText(records + 1)), row_(IntegerToText(row)), units_(units) {}

    std::string range(char column) const {
        const std::string c(1, column);
        return "Tankbuch!$" + c + "$2:$" + c + "$" + last_;
    }
    // The records of the year in column A of the row.
    std::string inYear() const {
        return range(kDate) + ",\">=\"&DATE($A" + row_ + ",1,1)," + range(kDate) +
               ",\"<\"&DATE($A" + row_ + "+1,1,1)";
    }
    // The records of `unit`'s grades.
    std::string ofUnit(Energy unit) const {
        // Where Tankbuch names each record's unit, that column tells; AdBlue is measured in
        // litres but is no fuel (a grade that begins with the word, as the program reads it).
        if (units_) {
            const std::string criteria =
                "," + range(kUnitLetter[0]) + ",\"" + WordsOf(unit).quantity + "\"";
            return unit == Energy::Litre ? criteria + "," + range(kBenzin) + ",\"<>AdBlue*\""
                                         : criteria;
        }
        if (unit != Energy::Litre)
            return "," + range(kBenzin) + ",\"*" + UnitEnding(unit) + "\"";
        return "," + range(kBenzin) + ",\"<>*(kg)\"," + range(kBenzin) + ",\"<>*(kWh)\"";
    }
    // Not a partial fill-up: its interval counts on the record that closes it.
    std::string notPartial() const {
        std::string criteria;
        for (char note : kNotes)
            criteria += "," + range(note) + ",\"<>*Teilbetankung*\"";
        return criteria;
    }
    // The sum of `column` over the records `criteria` select; empty without any value.
    std::string sum(char column, const std::string& criteria) const {
        return "=IF(COUNTIFS(" + criteria + "," + range(column) + ",\"<>\")=0,\"\",SUMIFS(" +
               range(column) + "," + criteria + "))";
    }
    std::string average(char column, const std::string& criteria) const {
        return "=IF(COUNTIFS(" + criteria + "," + range(column) + ",\"<>\")=0,\"\",AVERAGEIFS(" +
               range(column) + "," + criteria + "))";
    }
    const std::string& row() const { return row_; }

private:
    std::string last_;
    std::string row_;
    bool units_;
};

struct Formats {
    lxw_format* bold;
    lxw_format* whole;
    lxw_format* decimals;
    lxw_format* year;
    lxw_format* runningYear;
};

// A formula with the program's value beside it: a number, or the empty text.
void WriteFormula(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const std::string& formula,
                  lxw_format* format, std::optional<double> value) {
    if (value)
        CheckXlsx(worksheet_write_formula_num(sheet, row, col, formula.c_str(), format, *value));
    else
        CheckXlsx(worksheet_write_formula_str(sheet, row, col, formula.c_str(), format, ""));
}

std::optional<double> SumOf(const ColumnTally& tally) {
    return tally.count > 0 ? std::optional<double>(tally.sum) : std::nullopt;
}

std::optional<double> MeanOf(const ColumnTally& tally) {
    return tally.count > 0 ? std::optional<double>(tally.sum / tally.count) : std::nullopt;
}

// The figures of one year, in the order of the formulas.
std::vector<std::optional<double>> ValuesOf(const PeriodFigures& f) {
    std::vector<std::optional<double>> values = {SumOf(f.km)};
    for (const ColumnTally& quantity : f.quantity)
        values.push_back(SumOf(quantity));
    values.push_back(SumOf(f.tankkosten));
    for (const ColumnTally& consumption : f.consumption)
        values.push_back(MeanOf(consumption));
    values.push_back(CostPer100Km(f));
    return values;
}

} // namespace

std::vector<std::string> YearFormulas(const YearSummary& summary, int records, int row,
                                      ConsumptionRule rule, bool units) {
    const Formulas f(records, row, units);
    const std::string year = f.inYear();
    std::vector<std::string> formulas = {f.sum(kKm, year)};
    for (const QuantityColumn& column : summary.columns)
        formulas.push_back(f.sum(kLiter, year + f.ofUnit(column.unit)));
    const int costColumn = static_cast<int>(formulas.size()) + 1; // 0-based, after column A
    formulas.push_back(f.sum(kTankkosten, year));
    for (const QuantityColumn& column : summary.columns)
        formulas.push_back(f.average(
            kVerbrauch, year + f.ofUnit(column.unit) +
                            (rule == ConsumptionRule::FullTank ? f.notPartial() : std::string())));
    // From the sums: empty without KM or without costs.
    const std::string km = "B" + f.row();
    const std::string cost = Letter(costColumn) + f.row();
    formulas.push_back("=IF(OR(N(" + km + ")=0," + cost + "=\"\"),\"\"," + cost + "/" + km +
                       "*100)");
    return formulas;
}

void WriteYearSheet(lxw_workbook* book, const std::string& title, const YearSummary& summary,
                    int records, ConsumptionRule rule, bool units) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Jahre");
    if (!sheet)
        throw Error(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    SetUpPrinting(sheet, title, true);
    const Formats formats = {NewFormat(book, nullptr, true), NewFormat(book, "0"),
                             NewFormat(book, "0.00"), NewFormat(book, "0"),
                             NewFormat(book, "0\" (laufend)\"")};
    const std::vector<std::string> captions = YearTableCaptions(summary, "Jahr");
    for (std::size_t c = 0; c < captions.size(); ++c)
        CheckXlsx(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), captions[c].c_str(),
                                         formats.bold));
    CheckXlsx(worksheet_set_column(sheet, 0, 0, 18, nullptr));
    CheckXlsx(
        worksheet_set_column(sheet, 1, static_cast<lxw_col_t>(captions.size() - 1), 14, nullptr));
    worksheet_freeze_panes(sheet, 1, 0);

    lxw_row_t row = 1;
    for (auto year = summary.years.rbegin(); year != summary.years.rend(); ++year, ++row) {
        CheckXlsx(worksheet_write_number(sheet, row, 0, year->year,
                                         year->running ? formats.runningYear : formats.year));
        const std::vector<std::string> formulas =
            YearFormulas(summary, records, static_cast<int>(row) + 1, rule, units);
        const std::vector<std::optional<double>> values = ValuesOf(year->total);
        for (std::size_t i = 0; i < formulas.size(); ++i)
            WriteFormula(sheet, row, static_cast<lxw_col_t>(i + 1), formulas[i],
                         i == 0 ? formats.whole : formats.decimals, values[i]);
        if (!summary.projection || summary.projection->year != year->year)
            continue;
        // The projection scales the year's cells by the days of the year as the file was
        // written; it follows their changes, not the calendar.
        const YearProjection& projection = *summary.projection;
        const std::string yearRow = IntegerToText(static_cast<int64_t>(row) + 1);
        ++row;
        const std::string label = "Hochrechnung " + IntegerToText(projection.year);
        CheckXlsx(worksheet_write_string(sheet, row, 0, label.c_str(), nullptr));
        const std::string factor =
            IntegerToText(projection.days) + "/" + IntegerToText(projection.daysGone);
        const auto scaled = [&](const std::string& letter) {
            const std::string cell = letter + yearRow;
            return "=IF(" + cell + "=\"\",\"\"," + cell + "*" + factor + ")";
        };
        const int costColumn = 2 + static_cast<int>(summary.columns.size());
        WriteFormula(sheet, row, 1, scaled("B"), formats.whole, projection.km);
        WriteFormula(sheet, row, static_cast<lxw_col_t>(costColumn), scaled(Letter(costColumn)),
                     formats.decimals, projection.tankkosten);
    }
}

} // namespace spritlog
