#include "logbook/derivedvalues.h"

#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace spritlog {

namespace {

void Write(TextTable& grid, int column, int row, std::string_view text) {
    // Writing only what differs keeps the cells a copy of the table shares.
    if (grid.cell(column, row) != text)
        grid.setCell(column, row, text);
}

// The readable inputs of one record; an input that is missing or invalid is none.
struct Inputs {
    std::optional<int64_t> reading;
    std::optional<double> litres;
    std::optional<double> price;
};

std::optional<double> ReadNumberCell(const TextTable& grid, int column, int row,
                                     std::vector<CellIssue>& issues) {
    const std::string_view text = grid.cell(column, row);
    double value = 0;
    if (TryTextToNumber(text, value))
        return value;
    if (!IsBlank(text))
        issues.push_back(NotANumberIssue(grid, column, row));
    return std::nullopt;
}

std::optional<int64_t> ReadWholeCell(const TextTable& grid, int column, int row,
                                     std::vector<CellIssue>& issues) {
    const std::string_view text = grid.cell(column, row);
    int32_t value = 0;
    if (TryTextToInteger(text, value))
        return value;
    if (!IsBlank(text))
        issues.push_back(NotAWholeNumberIssue(grid, column, row));
    return std::nullopt;
}

Inputs ReadInputs(const TextTable& grid, int row, std::vector<CellIssue>& issues) {
    Inputs in;
    in.reading = ReadWholeCell(grid, ColKmStand, row, issues);
    in.litres = ReadNumberCell(grid, ColLiter, row, issues);
    in.price = ReadNumberCell(grid, ColLiterpreis, row, issues);
    return in;
}

// The distance of the first record taking part: the KM it kept, for example after the
// record before it was deleted.
std::optional<int64_t> KeptDistance(TextTable& grid, int row, std::vector<CellIssue>& issues) {
    return ReadWholeCell(grid, ColKm, row, issues);
}

void WriteFigures(TextTable& grid, int row, const Inputs& in, std::optional<int64_t> distance,
                  std::vector<CellIssue>& issues) {
    // A distance beyond 32 bits is no KM the table can hold.
    if (distance && *distance != static_cast<int32_t>(*distance)) {
        issues.push_back(NotAWholeNumberIssue(grid, ColKm, row));
        distance.reset();
    }
    std::string consumption;
    std::string costPerKm;
    // AdBlue costs, but has no consumption of its own.
    const bool energy = EnergyOfRecord(grid, row).has_value();
    if (energy && distance && in.litres) {
        if (*distance == 0) {
            issues.push_back(ZeroDistanceIssue(row));
        } else {
            // Litres times 100 first, then the division: the order decides the last bit.
            const double hundredfold = CheckedCellValue(*in.litres * 100.0, row, ColVerbrauch);
            WrittenNumber written =
                NumberAsWritten(hundredfold / static_cast<double>(*distance), 2);
            consumption = std::move(written.text);
            // The cost per 100 km uses the consumption as written, rounded to 2 places.
            if (in.price)
                costPerKm =
                    NumberToText(CheckedCellValue(written.value * *in.price, row, ColKostenKm), 2);
        }
    }
    Write(grid, ColVerbrauch, row, consumption);
    Write(grid, ColKostenKm, row, costPerKm);
    std::string cost;
    if (in.litres && in.price)
        cost = NumberToText(CheckedCellValue(*in.litres * *in.price, row, ColTankkosten), 2);
    Write(grid, ColTankkosten, row, cost);
}

void ClearDerivedValues(TextTable& grid, int row) {
    for (int column = ColKm; column <= ColTankkosten; ++column)
        Write(grid, column, row, {});
}

bool InRecordOrder(const CellIssue& a, const CellIssue& b) {
    return a.record != b.record ? a.record < b.record : a.column < b.column;
}

} // namespace

int ComputeDerivedValuesFrom(TextTable& grid, const PassStart& start, int stopAfter,
                             std::vector<CellIssue>& issues) {
    const int n = RecordCount(grid);
    bool first = start.first;
    std::optional<int64_t> lastReading = start.lastReading;
    int row = start.row;
    for (; row <= n; ++row) {
        if (IsEmptyRecord(grid, row)) {
            ClearDerivedValues(grid, row);
            continue;
        }
        const Inputs in = ReadInputs(grid, row, issues);
        std::optional<int64_t> distance;
        if (first) {
            distance = KeptDistance(grid, row, issues);
        } else if (in.reading && lastReading) {
            distance = *in.reading - *lastReading;
            Write(grid, ColKm, row, IntegerToText(*distance));
        } else {
            Write(grid, ColKm, row, {});
        }
        WriteFigures(grid, row, in, distance, issues);
        first = false;
        if (in.reading) {
            lastReading = in.reading;
            // The records after a readable reading measure from it, as before.
            if (row >= stopAfter)
                break;
        }
    }
    return std::min(row, n);
}

PassStart PassStartAt(const TextTable& grid, int row) {
    PassStart start;
    start.row = row;
    for (int r = row - 1; r >= 1; --r) {
        if (IsEmptyRecord(grid, r))
            continue;
        start.first = false;
        int32_t reading = 0;
        if (TryTextToInteger(grid.cell(ColKmStand, r), reading)) {
            start.lastReading = reading;
            break;
        }
    }
    return start;
}

void SortIssues(std::vector<CellIssue>& issues) {
    std::stable_sort(issues.begin(), issues.end(), InRecordOrder);
    issues.erase(std::unique(issues.begin(), issues.end()), issues.end());
}

std::vector<CellIssue> ComputeDerivedValues(TextTable& grid) {
    std::vector<CellIssue> issues;
    ComputeDerivedValuesFrom(grid, PassStart{}, RecordCount(grid) + 1, issues);
    SortIssues(issues);
    return issues;
}

std::vector<CellIssue> CalculateRecords(TextTable& grid, ConsumptionRule rule) {
    std::vector<CellIssue> issues = ComputeDerivedValues(grid);
    // Per record, each energy still measures from its own record before.
    if (rule == ConsumptionRule::FullTank || BeyondLitres(grid)) {
        std::vector<CellIssue> more = ApplyFullTankIntervals(grid, rule);
        issues.insert(issues.end(), more.begin(), more.end());
        SortIssues(issues);
    }
    return issues;
}

} // namespace spritlog
