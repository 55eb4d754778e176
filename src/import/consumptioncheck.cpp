#include "import/consumptioncheck.h"

#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/energies.h"
#include "logbook/errors.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"

#include <cmath>

namespace spritlog::import {

namespace {

constexpr int kShownDeviations = 10;

// "7,31" as the window shows a consumption.
std::string Figure(double value) {
    std::string text = NumberToText(value, 2);
    const std::size_t first = text.find_first_not_of(' ');
    text = first == std::string::npos ? std::string() : text.substr(first);
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

// The unit a record's figures are in: "l/100 km", "kg/100 km", "kWh/100 km".
std::string UnitPer100(const std::string& grade) {
    const std::optional<Energy> energy = EnergyOf(grade);
    if (!energy || *energy == Energy::Litre)
        return "l/100 km";
    return std::string(WordsOf(*energy).quantity) + "/100 km";
}

} // namespace

void CompareConsumption(ImportResult& result) {
    bool any = false;
    for (std::size_t i = 1; i < result.records.size(); ++i)
        any = any || result.records[i].sourceConsumption > 0;
    if (!any)
        return;
    TextTable grid = NewLogbookTable();
    AppendImportedRecords(grid, result);
    try {
        ComputeDerivedValues(grid);
        ApplyFullTankIntervals(grid);
    } catch (const Error&) {
        return; // the import itself says what is wrong once the logbook is calculated
    }
    ImportSummary& summary = result.summary;
    int deviations = 0;
    for (std::size_t i = 1; i < result.records.size(); ++i) {
        const ImportRecord& record = result.records[i];
        const double theirs = record.sourceConsumption;
        const std::string cell(grid.cell(ColVerbrauch, static_cast<int>(i) + 1));
        double ours = 0;
        if (!(theirs > 0) || cell.empty() || !TryTextToNumber(cell, ours))
            continue;
        ++summary.consumptionCompared;
        if (std::fabs(ours - theirs) <= 0.01 * theirs)
            continue;
        if (++deviations <= kShownDeviations)
            summary.consumptionDeviations.push_back("Zeile " + IntegerToText(record.line) + ": " +
                                                    Figure(ours) + " statt " + Figure(theirs) +
                                                    " " + UnitPer100(record.cells[ColBenzin]));
    }
    if (deviations > kShownDeviations)
        summary.consumptionDeviations.push_back(
            "(und " + IntegerToText(deviations - kShownDeviations) + " weitere)");
}

} // namespace spritlog::import
