// Arbitrary bytes as a file to import, then the records appended to a new logbook, the
// derived values, and the logbook saved in the native format and read back.
//
// Besides crashes and sanitizer reports, the harness checks what the import promises:
// a result with problems has no records, at most kMaxImportProblems problems are kept,
// a clean result has records, a known format and only input cells, and every imported
// cell survives saving and loading (a line break or a Ctrl-Z in a cell would cut the
// saved logbook short).

#include "analysis/chartsource.h"
#include "import/csvimport.h"
#include "logbook/derivedvalues.h"
#include "logbook/errors.h"
#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace spritlog;

[[noreturn]] void Violated(const char* what) {
    std::fprintf(stderr, "invariant violated: %s\n", what);
    std::abort();
}

bool IsInputColumn(int column) {
    return column >= ColDatum && column <= ColNote3 && (column < ColKm || column > ColTankkosten);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ImportResult result = ParseImportFile(bytes);

    if (result.problemCount < 0 ||
        result.problems.size() !=
            static_cast<std::size_t>(std::min(result.problemCount, kMaxImportProblems)))
        Violated("the problem count does not match the problems kept");
    if (!result.ok()) {
        if (!result.records.empty())
            Violated("a result with problems has records");
        (void)ImportFailureMessage(result);
        for (const ImportProblem& problem : result.problems)
            (void)ImportProblemText(problem);
        return 0;
    }
    if (result.records.empty() || result.format == ImportFormat::Unknown)
        Violated("a clean result without records or format");
    if (result.records.size() > static_cast<std::size_t>(kMaxImportRecords))
        Violated("more records than a logbook can hold");
    for (const ImportRecord& record : result.records)
        for (int column = 0; column < kLogbookColumns; ++column)
            if (!IsInputColumn(column) && !record.cells[static_cast<std::size_t>(column)].empty())
                Violated("an imported record fills a column that is not an input column");
    (void)ImportSuccessMessage(result);

    TextTable grid = NewLogbookTable();
    AppendImportedRecords(grid, result);
    if (RecordCount(grid) != static_cast<int>(result.records.size()))
        Violated("the new logbook does not hold exactly the imported records");

    StringSink written;
    WriteNativeFile(written, grid);
    TextTable reread = NewLogbookTable();
    ParseLogbook(written.text, reread);
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < kLogbookColumns; ++column)
            if (reread.cell(column, row) != grid.cell(column, row))
                Violated("an imported record does not survive saving and loading");

    TextTable prepareGrid;
    try {
        ComputeDerivedValues(grid);
        RebuildChartSource(grid, prepareGrid, ChartBasis::Monat);
    } catch (const Error&) {
        // A logbook the user then corrects: the message is the expected outcome.
    }
    return 0;
}
