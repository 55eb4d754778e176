#include "reports/recordunits.h"

#include "logbook/energies.h"
#include "logbook/logbooktable.h"
#include "logbook/records.h"

#include <array>
#include <optional>
#include <string>

namespace spritlog {

namespace {

// Grades repeat from record to record, and reading one costs more than comparing it with
// the few read last: the export of a large logbook of litres should not pay for the check.
class EnergyMemo {
public:
    std::optional<Energy> operator()(std::string_view grade) {
        for (const Entry& entry : entries_)
            if (entry.used && entry.grade == grade)
                return entry.energy;
        Entry& slot = entries_[next_++ % entries_.size()];
        slot = {true, std::string(grade), EnergyOf(grade)};
        return slot.energy;
    }

private:
    struct Entry {
        bool used = false;
        std::string grade;
        std::optional<Energy> energy;
    };
    std::array<Entry, 8> entries_;
    std::size_t next_ = 0;
};

} // namespace

bool ShowsRecordUnits(const TextTable& grid) {
    // What MixOf(grid).beyondLitres() tells, ending at the first record that decides.
    EnergyMemo energyOf;
    const int n = grid.rowCount() - 1;
    for (int r = 1; r <= n; ++r)
        if (energyOf(grid.cell(ColBenzin, r)) != Energy::Litre && !IsEmptyRecord(grid, r))
            return true;
    return false;
}

std::string_view RecordUnitText(const TextTable& grid, int row) {
    if (IsEmptyRecord(grid, row))
        return {};
    return UnitOfRecord(grid, row);
}

} // namespace spritlog
