#include "import/logbookmerge.h"

#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/logbooktable.h"
#include "logbook/recordorder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace spritlog {
namespace {

constexpr int32_t kOdometerSlack = 1;     // km
constexpr double kQuantityShare = 0.005;  // of the larger quantity
constexpr double kQuantityMinimum = 0.05; // litres
constexpr int64_t kDaySlack = 1;

std::optional<double> Number(std::string_view text) {
    double value = 0;
    if (IsBlank(text) || !TryTextToNumber(text, value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int32_t> Reading(std::string_view text) {
    int32_t value = 0;
    if (IsBlank(text) || !TryTextToInteger(text, value))
        return std::nullopt;
    return value;
}

bool SameQuantity(double a, double b) {
    const double slack =
        std::max(kQuantityShare * std::max(std::fabs(a), std::fabs(b)), kQuantityMinimum);
    return std::fabs(a - b) <= slack;
}

} // namespace

bool SameRefuelling(std::string_view dateA, std::string_view odometerA, std::string_view litresA,
                    std::string_view dateB, std::string_view odometerB, std::string_view litresB) {
    const auto dayA = DayOfDateCell(dateA), dayB = DayOfDateCell(dateB);
    const auto readingA = Reading(odometerA), readingB = Reading(odometerB);
    const auto litreA = Number(litresA), litreB = Number(litresB);
    if (!dayA || !dayB || !readingA || !readingB || !litreA || !litreB)
        return false;
    return std::llabs(*dayA - *dayB) <= kDaySlack &&
           std::llabs(int64_t{*readingA} - *readingB) <= kOdometerSlack &&
           SameQuantity(*litreA, *litreB);
}

void SkipRecordsInLogbook(ImportResult& result, const TextTable& grid) {
    if (!result.ok())
        return;
    // The logbook's records by reading, so that each imported one looks at a few.
    std::multimap<int32_t, int> byReading;
    for (int row = 1; row <= RecordCount(grid); ++row) {
        if (const auto reading = Reading(grid.cell(ColKmStand, row)))
            byReading.emplace(*reading, row);
    }
    if (byReading.empty())
        return;
    std::vector<ImportRecord> kept;
    kept.reserve(result.records.size());
    for (ImportRecord& record : result.records) {
        const auto& c = record.cells;
        int known = 0;
        if (const auto reading = Reading(c[ColKmStand])) {
            const int64_t low = int64_t{*reading} - kOdometerSlack;
            const int64_t high = int64_t{*reading} + kOdometerSlack;
            auto it =
                byReading.lower_bound(static_cast<int32_t>(std::max<int64_t>(low, INT32_MIN)));
            for (; known == 0 && it != byReading.end() && it->first <= high; ++it) {
                const int row = it->second;
                if (SameRefuelling(c[ColDatum], c[ColKmStand], c[ColLiter],
                                   grid.cell(ColDatum, row), grid.cell(ColKmStand, row),
                                   grid.cell(ColLiter, row)))
                    known = row;
            }
        }
        if (known != 0)
            result.summary.inLogbook.push_back({record.line, known});
        else
            kept.push_back(std::move(record));
    }
    result.records = std::move(kept);
}

void PlaceImportedRecords(TextTable& grid, const ImportResult& result, int maxRecords) {
    if (!result.ok() || result.records.empty())
        return;
    int existing = RecordCount(grid);
    // After "Neu" the logbook is one empty record. Keeping it would leave a blank first row
    // that breaks every distance, so the import takes its place.
    if (existing == 1 && RecordIsEmpty(grid, 1))
        existing = 0;
    const std::size_t total = static_cast<std::size_t>(existing) + result.records.size();
    if (maxRecords < 0 || total > static_cast<std::size_t>(maxRecords)) {
        const std::string limit = GroupThousands(IntegerToText(std::max(maxRecords, 0)));
        throw Error("Mit dem Import h\xE4tte das Tankbuch mehr als " + limit + " Datens\xE4tze.");
    }

    // The empty records at the end stay there, for the next refuelling typed in.
    int lastWithInput = existing;
    while (lastWithInput >= 1 && RecordIsEmpty(grid, lastWithInput))
        --lastWithInput;

    // Which record each new row takes: > 0 a logbook row, < 0 the imported record -1 - k.
    std::vector<int> source;
    source.reserve(total);
    std::size_t next = 0;
    std::optional<RecordKey> nextKey;
    const auto keyOfNext = [&] {
        const auto& c = result.records[next].cells;
        return KeyOfCells(c[ColDatum], c[ColKmStand]);
    };
    // Imported records without a date before the first dated one have no place of their
    // own: they go after the logbook's records, as they always did.
    while (next < result.records.size() && !(nextKey = keyOfNext()))
        ++next;
    const std::size_t leadingUndated = next;
    // An imported record without a date goes along with the one before it.
    const auto takeImported = [&] {
        do {
            source.push_back(-1 - static_cast<int>(next));
            ++next;
            nextKey = next < result.records.size() ? keyOfNext() : std::nullopt;
        } while (next < result.records.size() && !nextKey);
    };
    for (int row = 1; row <= lastWithInput; ++row) {
        // An undated record stays behind the one before it.
        if (const auto key = KeyOfRecord(grid, row)) {
            while (next < result.records.size() && nextKey && *nextKey < *key)
                takeImported();
        }
        source.push_back(row);
    }
    while (next < result.records.size())
        takeImported();
    for (std::size_t k = 0; k < leadingUndated; ++k)
        source.push_back(-1 - static_cast<int>(k));
    for (int row = lastWithInput + 1; row <= existing; ++row)
        source.push_back(row);

    if (grid.columnCount() < kLogbookColumns)
        grid.setColumnCount(kLogbookColumns);
    grid.setRowCount(static_cast<int>(total) + 1);
    // From the end: a logbook record only moves down, so its row is read before it is
    // written over.
    for (int row = static_cast<int>(total); row >= 1; --row) {
        const int from = source[static_cast<std::size_t>(row - 1)];
        if (from == row)
            continue;
        for (int c = ColDatum; c < grid.columnCount(); ++c) {
            if (from > 0) {
                grid.setCell(c, row, std::string(grid.cell(c, from)));
            } else {
                const auto& cells = result.records[static_cast<std::size_t>(-1 - from)].cells;
                grid.setCell(c, row,
                             c < kLogbookColumns ? cells[static_cast<std::size_t>(c)]
                                                 : std::string());
            }
        }
    }
}

} // namespace spritlog
