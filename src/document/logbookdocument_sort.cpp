// "Nach Datum sortieren".
#include "document/logbookdocument.h"

#include "logbook/recordorder.h"

namespace spritlog {

CellPosition LogbookDocument::sortByDate(CellPosition cursor, std::exception_ptr& calculation) {
    CellPosition moved = cursor;
    asOneStep(cursor, [&] {
        {
            const ResetBracket reset(*this);
            recordStep(TableRegion::RecordsFrom(1), [&] {
                const std::vector<int> newRow = SortRecordsByDate(table_);
                if (cursor.row >= 1 && static_cast<std::size_t>(cursor.row) < newRow.size())
                    moved.row = newRow[static_cast<std::size_t>(cursor.row)];
                return CellPosition{-1, -1};
            });
        }
        try {
            calculate();
        } catch (...) {
            calculation = std::current_exception();
        }
    });
    return moved;
}

} // namespace spritlog
