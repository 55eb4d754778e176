#include "reports/xlsxworkbook.h"

#include "analysis/chartsource.h"
#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"
#include "reports/recordunits.h"
#include "reports/xlsxenergychart.h"
#include "reports/xlsxformulas.h"
#include "reports/xlsxprint.h"
#include "reports/xlsxyears.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <locale.h>
#include <string_view>
#include <vector>

namespace spritlog {

namespace {

constexpr const char* kTooFewRecords = "Zu wenige Eintr\xE4ge verf\xFCgbar";

// libxlsxwriter prints its numbers, column widths included, with printf, which follows the
// locale: under a German one 1.709 would reach the file as "1,709" and be no number to any
// reader. The workbook is written with the C conventions, for this thread only.
class ClassicNumberFormat {
public:
    ClassicNumberFormat() : classic_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
        if (!classic_)
            ThrowIoError(errno);
        previous_ = uselocale(classic_);
    }
    ~ClassicNumberFormat() {
        uselocale(previous_);
        freelocale(classic_);
    }
    ClassicNumberFormat(const ClassicNumberFormat&) = delete;
    ClassicNumberFormat& operator=(const ClassicNumberFormat&) = delete;

private:
    locale_t classic_;
    locale_t previous_ = LC_GLOBAL_LOCALE;
};

enum class CellKind { Date, Number, Text };

struct SheetColumn {
    int gridColumn;
    CellKind kind;
    int decimals;
};

// Tankbuch: columns 1..14 of the table, in its order.
constexpr std::array<SheetColumn, 14> kRecordColumns = {{
    {ColDatum, CellKind::Date, 0},
    {ColKmStand, CellKind::Number, 0},
    {ColLiter, CellKind::Number, 2},
    {ColLiterpreis, CellKind::Number, 3},
    {ColKm, CellKind::Number, 0},
    {ColVerbrauch, CellKind::Number, 2},
    {ColKostenKm, CellKind::Number, 2},
    {ColTankkosten, CellKind::Number, 2},
    {ColBenzin, CellKind::Text, 0},
    {ColTankstelle, CellKind::Text, 0},
    {ColOrt, CellKind::Text, 0},
    {ColNote1, CellKind::Text, 0},
    {ColNote2, CellKind::Text, 0},
    {ColNote3, CellKind::Text, 0},
}};

// The Tankbuch column (0-based) of Verbrauch; as a letter it stands in xlsxformulas.cpp.
constexpr int kVerbrauchSheetColumn = ColVerbrauch - ColDatum;
// Monate: the month, then columns 2..8 of the chart source.
constexpr int kMonthFigures = ColTankkosten - ColKmStand + 1;
constexpr const char* kTankkostenMonthLetter = "H";
// The hidden sheet with the cells the charts need beyond those of the other sheets.
constexpr const char* kHelperSheet = "Hilfswerte";

// Excel's width unit is about one digit; a little more leaves room for the filter button.
constexpr double kWidthPadding = 3.0;
constexpr double kMaxWidth = 60.0;

int Digit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// Two or four digits at `at`, -1 when any is no digit.
int DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = Digit(text[at + i]);
        if (digit < 0)
            return -1;
        value = value * 10 + digit;
    }
    return value;
}

int DaysInMonth(int month, int year) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// "TT.MM.JJJJ" as the program writes dates, a real day from 1900 on (where spreadsheet
// dates begin); anything else is no date.
bool ParseDate(std::string_view text, lxw_datetime& date) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.')
        return false;
    const int day = DigitsAt(text, 0, 2);
    const int month = DigitsAt(text, 3, 2);
    const int year = DigitsAt(text, 6, 4);
    if (day < 1 || month < 1 || month > 12 || year < 1900 || day > DaysInMonth(month, year))
        return false;
    date = lxw_datetime{year, month, day, 0, 0, 0.0};
    return true;
}

// "MM.JJJJ", the month key of the chart source, as the first day of that month.
bool ParseMonth(std::string_view text, lxw_datetime& date) {
    if (text.size() != 7 || text[2] != '.')
        return false;
    const int month = DigitsAt(text, 0, 2);
    const int year = DigitsAt(text, 3, 4);
    if (month < 1 || month > 12 || year < 1900)
        return false;
    date = lxw_datetime{year, month, 1, 0, 0, 0.0};
    return true;
}

bool ParseNumber(std::string_view text, double& value) {
    return TryTextToNumber(text, value) && std::isfinite(value);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Cells are Windows-1252, one byte a character; the workbook wants UTF-8.
class TextConverter {
public:
    const char* operator()(std::string_view text) {
        if (std::all_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            buffer_.assign(text);
        } else {
            buffer_ = Cp1252ToUtf8(text);
        }
        return buffer_.c_str();
    }

private:
    std::string buffer_;
};

std::string NumberFormat(int decimals) {
    return decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

class Workbook {
public:
    Workbook(const std::string& path) {
        lxw_workbook_options options = {};
        // Rows go to the file as they are written: memory stays flat with the logbook's size.
        options.constant_memory = LXW_TRUE;
        // Without ZIP64 (which older Excel versions warn about): a million records stay
        // far below its 4 GB.
        options.use_zip64 = LXW_FALSE;
        book_ = workbook_new_opt(path.c_str(), &options);
        if (!book_)
            throw Error(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    }
    ~Workbook() {
        if (book_)
            lxw_workbook_free(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() { return book_; }

    lxw_worksheet* addSheet(const char* name) {
        lxw_worksheet* sheet = workbook_add_worksheet(book_, name);
        if (!sheet)
            throw Error(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
        return sheet;
    }

    lxw_format* format(const std::string& numberFormat, bool bold = false) {
        return NewFormat(book_, numberFormat.empty() ? nullptr : numberFormat.c_str(), bold);
    }

    void close() {
        lxw_workbook* book = book_;
        book_ = nullptr; // closing frees it, whatever the outcome
        errno = 0;
        const lxw_error error = workbook_close(book);
        if (error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE ||
            (error != LXW_NO_ERROR && errno != 0))
            ThrowIoError(errno);
        CheckXlsx(error);
    }

private:
    lxw_workbook* book_ = nullptr;
};

// Everything the sheets show beyond the table itself, computed before the file is touched.
struct Figures {
    TextTable stations;
    TextTable months;
    bool hasStatistics = false;
    StatisticsLabels statistics;
    int consumptionPoints = 0;
    double consumptionAverage = 0;
    bool units = false; // Tankbuch has the column Einheit, the chart a line per energy
};

Figures ComputeFigures(const TextTable& grid, ConsumptionRule rule) {
    Figures figures;
    const int n = RecordCount(grid);
    // In the order of the HTML report, so that a logbook both fail on gives the same error.
    BuildStationRating(grid, figures.stations);
    if (RecordsTakingPart(grid) >= 3) {
        figures.statistics = ComputeStatistics(grid, rule);
        figures.hasStatistics = true;
    }
    RebuildChartSource(grid, figures.months, ChartBasis::Monat);
    // "Liter je 100 KM" per record: records 2..n, the ones that can have a consumption of
    // their own; the average counts the cells that hold one, as AVERAGE does.
    ColumnTally consumption;
    for (int r = 2; r <= n; ++r) {
        const std::string_view text = grid.cell(ColVerbrauch, r);
        if (!text.empty() && !IsEmptyRecord(grid, r)) {
            consumption.sum += TextToNumber(text);
            ++consumption.count;
        }
    }
    if (consumption.count > 0) {
        figures.consumptionPoints = n - 1;
        figures.consumptionAverage = consumption.sum / consumption.count;
    }
    figures.units = ShowsRecordUnits(grid);
    return figures;
}

// Tracks the widest content of each column.
class ColumnWidths {
public:
    explicit ColumnWidths(int columns) : widths_(static_cast<std::size_t>(columns), 0) {}
    void note(int column, std::size_t characters) {
        std::size_t& width = widths_[static_cast<std::size_t>(column)];
        width = std::max(width, characters);
    }
    void apply(lxw_worksheet* sheet) const {
        for (std::size_t c = 0; c < widths_.size(); ++c) {
            const double width =
                std::min(static_cast<double>(widths_[c]) + kWidthPadding, kMaxWidth);
            CheckXlsx(worksheet_set_column(sheet, static_cast<lxw_col_t>(c),
                                           static_cast<lxw_col_t>(c), width, nullptr));
        }
    }

private:
    std::vector<std::size_t> widths_;
};

class WorkbookWriter {
public:
    WorkbookWriter(Workbook& book, const std::string& title) : book_(book), title_(title) {
        bold_ = book.format("", true);
        date_ = book.format("dd\\.mm\\.yyyy");
        month_ = book.format("mm\\.yyyy");
        for (int d = 0; d <= 3; ++d)
            numbers_[static_cast<std::size_t>(d)] = book.format(NumberFormat(d));
        boldNumbers_ = book.format("0.00", true);
        boldCount_ = book.format("0", true);
    }

    // With `units`, each record's unit follows the notes, in column Einheit (kUnitLetter), so
    // that every other column keeps its letter for the formulas that read it.
    void writeRecords(const TextTable& grid, bool units) {
        lxw_worksheet* sheet = addSheet("Tankbuch", true);
        const int n = RecordCount(grid);
        const auto unitColumn = static_cast<lxw_col_t>(kRecordColumns.size());
        const lxw_col_t lastColumn = units ? unitColumn : unitColumn - 1;
        ColumnWidths widths(static_cast<int>(lastColumn) + 1);
        if (units)
            widths.note(static_cast<int>(unitColumn), std::string_view(kUnitCaption).size());
        for (std::size_t i = 0; i < kRecordColumns.size(); ++i) {
            const std::string_view heading = grid.cell(kRecordColumns[i].gridColumn, 0);
            writeText(sheet, 0, static_cast<lxw_col_t>(i), heading, bold_);
            widths.note(static_cast<int>(i), heading.size());
        }
        // Row by row: the rows go to the file as they are written.
        for (int r = 0; r <= n; ++r) {
            if (units)
                writeText(sheet, static_cast<lxw_row_t>(r), unitColumn,
                          r == 0 ? kUnitCaption : RecordUnitText(grid, r),
                          r == 0 ? bold_ : nullptr);
            if (r == 0)
                continue;
            for (std::size_t i = 0; i < kRecordColumns.size(); ++i) {
                const SheetColumn& column = kRecordColumns[i];
                const std::string_view text = grid.cell(column.gridColumn, r);
                if (text.empty())
                    continue;
                const auto col = static_cast<lxw_col_t>(i);
                const std::size_t shown =
                    writeTyped(sheet, static_cast<lxw_row_t>(r), col, text, column);
                widths.note(static_cast<int>(i), shown);
            }
        }
        widths.apply(sheet);
        worksheet_freeze_panes(sheet, 1, 0);
        CheckXlsx(
            worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(std::max(n, 0)), lastColumn));
    }

    void writeMonths(const TextTable& grid, const TextTable& months) {
        lxw_worksheet* sheet = addSheet("Monate", true);
        ColumnWidths widths(1 + kMonthFigures);
        writeText(sheet, 0, 0, "Monat", bold_);
        widths.note(0, 7);
        for (int i = 0; i < kMonthFigures; ++i) {
            const std::string_view heading = grid.cell(ColKmStand + i, 0);
            writeText(sheet, 0, static_cast<lxw_col_t>(1 + i), heading, bold_);
            widths.note(1 + i, heading.size());
        }
        for (int r = 1; r < months.rowCount(); ++r) {
            const auto row = static_cast<lxw_row_t>(r);
            const std::string_view key = months.cell(ColDatum, r);
            lxw_datetime date;
            if (ParseMonth(key, date))
                CheckXlsx(worksheet_write_datetime(sheet, row, 0, &date, month_));
            else
                writeText(sheet, row, 0, key, nullptr);
            widths.note(0, key.size());
            for (int i = 0; i < kMonthFigures; ++i) {
                const SheetColumn& column = kRecordColumns[static_cast<std::size_t>(1 + i)];
                const std::string_view text = months.cell(column.gridColumn, r);
                if (text.empty())
                    continue;
                widths.note(1 + i,
                            writeTyped(sheet, row, static_cast<lxw_col_t>(1 + i), text, column));
            }
        }
        widths.apply(sheet);
        worksheet_freeze_panes(sheet, 1, 0);
    }

    void writeStatistics(const Figures& figures) {
        lxw_worksheet* sheet = addSheet("Statistik", false);
        if (!figures.hasStatistics) {
            writeText(sheet, 0, 0, kTooFewRecords, nullptr);
            return;
        }
        // Caption and value; the lines of several energies have three values.
        ColumnWidths widths(figures.statistics.lines.empty() ? 2 : 4);
        lxw_row_t row = 0;
        for (const StatisticsGroup& group : kStatisticsGroups) {
            if (row > 0)
                ++row;
            writeText(sheet, row++, 0, group.caption, bold_);
            for (int k = group.firstRow; k < group.firstRow + group.rowCount; ++k) {
                const StatisticsRow& entry = kStatisticsRows[k];
                const std::string& caption = figures.statistics.caption(entry.label);
                writeText(sheet, row, 0, caption, nullptr);
                widths.note(0, caption.size());
                const std::string& label = figures.statistics.label(entry.label);
                widths.note(1, Trimmed(label).size());
                writeStatisticsValue(sheet, row, 1, label, entry.label == 1);
                ++row;
            }
        }
        // A logbook of several energies: a line per energy, each figure in a cell of its own.
        if (!figures.statistics.lines.empty())
            writeText(sheet, ++row, 0, kEnergyLinesCaption, bold_);
        for (const StatisticsLine& line : figures.statistics.lines) {
            writeText(sheet, ++row, 0, line.caption, nullptr);
            widths.note(0, line.caption.size());
            for (std::size_t i = 0; i < line.parts.size(); ++i) {
                const auto column = static_cast<lxw_col_t>(1 + i);
                widths.note(column, Trimmed(line.parts[i]).size());
                if (!line.parts[i].empty())
                    writeStatisticsValue(sheet, row, column, line.parts[i], false);
            }
        }
        widths.apply(sheet);
    }

    void writeStations(const TextTable& stations) {
        lxw_worksheet* sheet = addSheet("Tankstellen", true);
        ColumnWidths widths(kStationColumns);
        // The table's last row is always empty.
        const int rows = stations.rowCount() - 1;
        for (int r = 0; r < rows; ++r) {
            const auto row = static_cast<lxw_row_t>(r);
            // The average rows have no number.
            const bool average = r > 0 && stations.cell(0, r).empty();
            for (int c = 0; c < kStationColumns; ++c) {
                const std::string_view text = stations.cell(c, r);
                if (text.empty())
                    continue;
                widths.note(c, Trimmed(text).size());
                const auto col = static_cast<lxw_col_t>(c);
                double value = 0;
                if (r == 0 || c == 1 || !ParseNumber(text, value)) {
                    writeText(sheet, row, col, text, r == 0 || average ? bold_ : nullptr);
                } else if (c <= 2) {
                    CheckXlsx(worksheet_write_number(sheet, row, col, value,
                                                     average ? boldCount_ : numbers_[0]));
                } else {
                    CheckXlsx(worksheet_write_number(sheet, row, col, value,
                                                     average ? boldNumbers_ : numbers_[2]));
                }
            }
        }
        widths.apply(sheet);
        worksheet_freeze_panes(sheet, 1, 0);
    }

    // The charts read the cells of Tankbuch and Monate, so they follow every change the user
    // makes there; what they need beyond those cells stands on the hidden helper sheet.
    void writeCharts(const TextTable& grid, const Figures& figures) {
        lxw_worksheet* sheet = addSheet("Diagramme", false);
        const int points = figures.consumptionPoints;
        if (points > 0 && figures.units) {
            WriteEnergyConsumptionChart(book_.get(), addSheet(kHelperSheet, true), sheet, grid,
                                        points);
        } else if (points > 0) {
            writeChartHelpers(grid, figures);
            const std::string last = IntegerToText(points + 1);
            const std::string helpers = std::string("=") + kHelperSheet + "!$";
            const std::string dates = helpers + "A$2:$A$" + last;
            lxw_chart* chart = workbook_add_chart(book_.get(), LXW_CHART_LINE);
            addSeries(chart, dates, true, "=" + ConsumptionRange(points), "Liter je 100 KM");
            addSeries(chart, dates, true, helpers + "B$2:$B$" + last, "Durchschnitt");
            finishChart(chart, "Liter je 100 KM", sheet, 0);
        }
        const int months = figures.months.rowCount() - 1;
        if (months > 0) {
            const std::string last = IntegerToText(months + 1);
            lxw_chart* chart = workbook_add_chart(book_.get(), LXW_CHART_COLUMN);
            addSeries(chart, "=Monate!$A$2:$A$" + last, false,
                      std::string("=Monate!$") + kTankkostenMonthLetter + "$2:$" +
                          kTankkostenMonthLetter + "$" + last,
                      "Tankkosten");
            chart_axis_set_num_format(chart->x_axis, "mm\\.yyyy");
            finishChart(chart, "Tankkosten", sheet, 22);
        }
    }

    // One row a point of the consumption chart: column A the record's date as text, one
    // category a refuelling, so that two on one day stay two points; column B the average,
    // every cell the one figure, so that the line too follows the consumption column.
    void writeChartHelpers(const TextTable& grid, const Figures& figures) {
        lxw_worksheet* sheet = addSheet(kHelperSheet, true);
        worksheet_hide(sheet);
        CheckXlsx(worksheet_set_column(sheet, 0, 1, 14, nullptr));
        writeText(sheet, 0, 0, "Datum", bold_);
        writeText(sheet, 0, 1, "Durchschnitt", bold_);
        const std::string range = ConsumptionRange(figures.consumptionPoints);
        // The program's average counts only the cells that hold a value, as AVERAGE does.
        const std::string average = "=AVERAGE(" + range + ")";
        DateLabelFormula dateLabel;
        for (int i = 0; i < figures.consumptionPoints; ++i) {
            const auto row = static_cast<lxw_row_t>(1 + i);
            // Record i + 2 stands in row i + 3 of Tankbuch.
            CheckXlsx(worksheet_write_formula_str(sheet, row, 0, dateLabel(i + 3), nullptr,
                                                  utf8_(grid.cell(ColDatum, i + 2))));
            CheckXlsx(worksheet_write_formula_num(sheet, row, 1, i == 0 ? average.c_str() : "=$B$2",
                                                  numbers_[2], figures.consumptionAverage));
        }
    }

private:
    void writeText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view text,
                   lxw_format* format) {
        if (text.empty())
            return;
        CheckXlsx(worksheet_write_string(sheet, row, col, utf8_(text), format));
    }

    // Writes the cell as a date or number where it is one, else as its text; gives the
    // characters it shows.
    std::size_t writeTyped(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col,
                           std::string_view text, const SheetColumn& column) {
        if (column.kind == CellKind::Date) {
            lxw_datetime date;
            if (ParseDate(text, date)) {
                CheckXlsx(worksheet_write_datetime(sheet, row, col, &date, date_));
                return text.size();
            }
        } else if (column.kind == CellKind::Number) {
            double value = 0;
            if (ParseNumber(text, value)) {
                CheckXlsx(worksheet_write_number(
                    sheet, row, col, value, numbers_[static_cast<std::size_t>(column.decimals)]));
                // The typed text, give or take the decimals the format adds.
                return Trimmed(text).size() + static_cast<std::size_t>(column.decimals);
            }
        }
        writeText(sheet, row, col, text, nullptr);
        return text.size();
    }

    // " 7.00 L/100KM" as the number 7 shown with its unit; "12.345 KM", the distance, has
    // its thousands grouped.
    void writeStatisticsValue(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
                              const std::string& label, bool grouped) {
        const std::string_view text = label;
        const std::size_t space = text.rfind(' ');
        std::string number(Trimmed(text.substr(0, space)));
        const std::string unit(space == std::string_view::npos ? "" : text.substr(space + 1));
        if (grouped)
            number.erase(std::remove(number.begin(), number.end(), '.'), number.end());
        double value = 0;
        if (space == std::string_view::npos || !ParseNumber(number, value)) {
            writeText(sheet, row, column, label, nullptr);
            return;
        }
        const std::string format = (grouped ? "#,##0" : "0.00") + std::string(" \"") + unit + "\"";
        CheckXlsx(worksheet_write_number(sheet, row, column, value, book_.format(format)));
    }

    // `textCategories`: the categories are texts, each its own point on the axis. Written
    // row by row, the cells are gone when the chart is written, so the chart is told.
    void addSeries(lxw_chart* chart, const std::string& categories, bool textCategories,
                   const std::string& values, const char* name) {
        lxw_chart_series* series = chart_add_series(chart, categories.c_str(), values.c_str());
        if (!series)
            throw Error(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
        if (textCategories)
            series->categories->has_string_cache = LXW_TRUE;
        chart_series_set_name(series, name);
        chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
    }

    void finishChart(lxw_chart* chart, const char* title, lxw_worksheet* sheet, lxw_row_t row) {
        chart_title_set_name(chart, title);
        chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
        lxw_chart_options options = {};
        options.x_scale = 2.0;
        options.y_scale = 1.4;
        CheckXlsx(worksheet_insert_chart_opt(sheet, row, 0, chart, &options));
    }

    lxw_worksheet* addSheet(const char* name, bool headingRow) {
        lxw_worksheet* sheet = book_.addSheet(name);
        SetUpPrinting(sheet, title_, headingRow);
        return sheet;
    }

    Workbook& book_;
    const std::string title_;
    TextConverter utf8_;
    lxw_format* bold_ = nullptr;
    lxw_format* date_ = nullptr;
    lxw_format* month_ = nullptr;
    std::array<lxw_format*, 4> numbers_{};
    lxw_format* boldNumbers_ = nullptr;
    lxw_format* boldCount_ = nullptr;
};

} // namespace

void WriteXlsxWorkbook(const std::string& path, const TextTable& grid, const std::string& title,
                       ConsumptionRule rule, Clock clock) {
    const Figures figures = ComputeFigures(grid, rule);
    const YearSummary years = SummariseYears(grid, rule, clock ? clock() : SystemLocalTime());

    const ClassicNumberFormat classic;
    Workbook book(path);
    lxw_doc_properties properties = {};
    std::string titleText = title;
    std::string creator = "Spritlog";
    properties.title = titleText.data();
    properties.author = creator.data();
    CheckXlsx(workbook_set_properties(book.get(), &properties));

    WorkbookWriter writer(book, title);
    writer.writeRecords(grid, figures.units);
    writer.writeMonths(grid, figures.months);
    WriteYearSheet(book.get(), title, years, RecordCount(grid), rule, figures.units);
    writer.writeStatistics(figures);
    writer.writeStations(figures.stations);
    writer.writeCharts(grid, figures);
    book.close();
}

} // namespace spritlog
