#include "logbook/recordorder.h"

#include "logbook/cellcheck.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

namespace spritlog {
namespace {

int TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// Days from 1.1.1970 to the given day of the Gregorian calendar (H. Hinnant's
// days_from_civil).
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<int32_t> OdometerOfCell(std::string_view text) {
    int32_t value = 0;
    if (IsBlank(text) || !TryTextToInteger(text, value))
        return std::nullopt;
    return value;
}

std::optional<int32_t> OdometerOf(const TextTable& grid, int row) {
    return OdometerOfCell(grid.cell(ColKmStand, row));
}

// The records after the last one with any input.
int LastRecordWithInput(const TextTable& grid) {
    int last = RecordCount(grid);
    while (last >= 1 && RecordIsEmpty(grid, last))
        --last;
    return last;
}

} // namespace

std::optional<int64_t> DayOfDateCell(std::string_view text) {
    if (!IsValidDate(text))
        return std::nullopt;
    const int year = std::stoi(std::string(text.substr(6, 4)));
    return DaysFromCivil(year, TwoDigits(text, 3), TwoDigits(text, 0));
}

std::optional<RecordKey> KeyOfCells(std::string_view date, std::string_view odometer) {
    const auto day = DayOfDateCell(date);
    if (!day)
        return std::nullopt;
    const auto reading = OdometerOfCell(odometer);
    return RecordKey{*day, reading ? *reading : std::numeric_limits<int64_t>::max()};
}

std::optional<RecordKey> KeyOfRecord(const TextTable& grid, int row) {
    return KeyOfCells(grid.cell(ColDatum, row), grid.cell(ColKmStand, row));
}

bool RecordIsEmpty(const TextTable& grid, int row) {
    for (int c = ColDatum; c <= ColNote3; ++c) {
        if ((c < ColKm || c > ColTankkosten) && !grid.cell(c, row).empty())
            return false;
    }
    return true;
}

std::vector<int> SortRecordsByDate(TextTable& grid) {
    const int records = RecordCount(grid);
    const int last = LastRecordWithInput(grid);
    // Groups of a dated record and the undated ones behind it; the undated records before
    // the first dated one form a group that stays first.
    struct Group {
        std::optional<RecordKey> key;
        int first = 0;
        int count = 0;
    };
    std::vector<Group> groups;
    for (int row = 1; row <= last; ++row) {
        const auto key = KeyOfRecord(grid, row);
        if (key || groups.empty())
            groups.push_back({key, row, 0});
        ++groups.back().count;
    }
    std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
        if (!a.key || !b.key)
            return !a.key && b.key; // only the leading undated group has no key
        return *a.key < *b.key;
    });

    std::vector<int> newRow(static_cast<std::size_t>(records) + 1, 0);
    std::vector<int> oldRow(static_cast<std::size_t>(records) + 1, 0);
    int row = 1;
    for (const Group& group : groups) {
        for (int k = 0; k < group.count; ++k, ++row) {
            newRow[static_cast<std::size_t>(group.first + k)] = row;
            oldRow[static_cast<std::size_t>(row)] = group.first + k;
        }
    }
    for (; row <= records; ++row) {
        newRow[static_cast<std::size_t>(row)] = row;
        oldRow[static_cast<std::size_t>(row)] = row;
    }

    // The rows in their new order, then back into the table; column 0 holds the numbers.
    const TextTable before = grid;
    for (int r = 1; r <= records; ++r) {
        const int from = oldRow[static_cast<std::size_t>(r)];
        if (from == r)
            continue;
        for (int c = 1; c < grid.columnCount(); ++c)
            grid.setCell(c, r, before.cell(c, from));
    }
    return newRow;
}

int FirstOdometerDrop(const TextTable& grid) {
    std::optional<int32_t> before;
    for (int row = 1; row <= RecordCount(grid); ++row) {
        const auto reading = OdometerOf(grid, row);
        if (!reading)
            continue;
        if (before && *reading < *before)
            return row;
        before = reading;
    }
    return 0;
}

bool OdometerDropAround(const TextTable& grid, int row) {
    const auto reading = OdometerOf(grid, row);
    if (!reading)
        return false;
    for (int r = row - 1; r >= 1; --r) {
        if (const auto earlier = OdometerOf(grid, r)) {
            if (*reading < *earlier)
                return true;
            break;
        }
    }
    for (int r = row + 1; r <= RecordCount(grid); ++r) {
        if (const auto later = OdometerOf(grid, r))
            return *later < *reading;
    }
    return false;
}

} // namespace spritlog
