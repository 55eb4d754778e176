#pragma once

#include "logbook/cellerrors.h"
#include "logbook/fillups.h"
#include "logbook/texttable.h"

#include <optional>
#include <vector>

namespace spritlog {

// Rows first..last of a table, inclusive.
struct RowSpan {
    int first = 0;
    int last = -1;
};

// After a change of the cells of rows `changed` (the table's shape as it was, the derived cells
// and `issues` as a whole calculation left them before the change): recalculates the records
// whose figures can follow from it, from the last full fill-up before the change (under
// `rule` FullTank) or the changed record, up to the first record after it that closes the
// chain again (a readable reading; under FullTank a full fill-up). Their issues in `issues` are
// replaced. Gives the rows recalculated; none where the part cannot be told (records of another
// unit inside it, or a grade changed): then the caller calculates every record. Throws Error as
// the whole calculation does.
std::optional<RowSpan> RecalculateChangedRows(TextTable& grid, ConsumptionRule rule,
                                              RowSpan changed, bool gradeChanged,
                                              std::vector<CellIssue>& issues);

} // namespace spritlog
