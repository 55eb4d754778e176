// Arbitrary bytes as a logbook file, followed by everything the program does with a loaded
// logbook: the derived values in both chart-source shapes, every chart view, the station
// evaluation, the statistics, every writer and the printout.
//
// spritlog::Error is an expected outcome of every step (a bad count line, an odometer
// reading that is no integer, a division by zero); each step after a failed one still runs,
// as it would when the user goes on. Anything else that escapes, a sanitizer report, a
// timeout or a leak is a finding. Besides, the harness checks what must always hold:
// reading the file in pieces gives the same table as parsing it whole, writing the table
// in the native format and reading it back gives the same cells, and the derived-values
// pass gives the same cells when it runs twice.

#include "analysis/chartsource.h"
#include "analysis/energytable.h"
#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "charts/chartviews.h"
#include "document/logbookdocument.h"
#include "logbook/derivedvalues.h"
#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"
#include "reports/csvexport.h"
#include "reports/htmlreport.h"
#include "reports/printlayout.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace spritlog;

// The analyses are linear in the records and the benchmarks cover large logbooks; a count
// line alone can ask for a million records, which would only slow the search down.
constexpr int kMaxAnalysedRecords = 200;

[[noreturn]] void Violated(const char* what) {
    std::fprintf(stderr, "invariant violated: %s\n", what);
    std::abort();
}

// The input served as a file, in pieces of a fixed size, so the streaming reader meets
// every way of cutting the bytes.
class MemoryFile : public FileOps {
public:
    MemoryFile(std::string_view bytes, std::size_t piece) : bytes_(bytes), piece_(piece) {}

    int statPath(const char*, struct stat* info) override {
        *info = {};
        info->st_mode = S_IFREG | 0644;
        info->st_size = static_cast<off_t>(bytes_.size());
        return 0;
    }
    int openForReading(const char*) override { return kDescriptor; }
    ssize_t readSome(int fd, void* buffer, std::size_t size) override {
        if (fd != kDescriptor)
            Violated("read from a descriptor that was never opened");
        const std::size_t n = std::min({size, piece_, bytes_.size() - position_});
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return static_cast<ssize_t>(n);
    }
    int closeFile(int fd) override {
        if (fd != kDescriptor)
            Violated("close of a descriptor that was never opened");
        return 0;
    }

private:
    static constexpr int kDescriptor = 1000;
    std::string_view bytes_;
    std::size_t piece_;
    std::size_t position_ = 0;
};

struct Outcome {
    TextTable grid;
    std::optional<std::string> error;
};

Outcome ParseWhole(std::string_view bytes) {
    Outcome outcome{NewLogbookTable(), std::nullopt};
    try {
        ParseLogbook(bytes, outcome.grid);
    } catch (const Error& error) {
        outcome.error = error.what();
    }
    return outcome;
}

Outcome ReadInPieces(std::string_view bytes, std::size_t piece) {
    Outcome outcome{NewLogbookTable(), std::nullopt};
    MemoryFile file(bytes, piece);
    FileOpsOverride use(file);
    try {
        if (!ReadLogbookFile("fuzz.slg", outcome.grid))
            Violated("a regular file was taken for a missing one");
    } catch (const Error& error) {
        outcome.error = error.what();
    }
    return outcome;
}

bool SameCells(const TextTable& a, const TextTable& b) {
    if (a.rowCount() != b.rowCount() || a.columnCount() != b.columnCount())
        return false;
    for (int row = 0; row < a.rowCount(); ++row)
        for (int column = 0; column < a.columnCount(); ++column)
            if (a.cell(column, row) != b.cell(column, row))
                return false;
    return true;
}

template <typename Step> void Try(Step&& step) {
    try {
        step();
    } catch (const Error&) {
        // An expected outcome: the program shows the message and goes on.
    }
}

void DrawEveryView(const TextTable& prepareGrid) {
    for (int view = 1; view <= kChartViewCount; ++view)
        for (int zoom = 0; zoom <= 1; ++zoom)
            Try([&] { (void)ChartSeriesOf(prepareGrid, view, zoom); });
}

void Analyse(TextTable& grid) {
    for (int basis = 0; basis <= 1; ++basis) {
        TextTable prepareGrid;
        bool calculated = false;
        Try([&] {
            ComputeDerivedValues(grid);
            RebuildChartSource(grid, prepareGrid, static_cast<ChartBasis>(basis));
            calculated = true;
        });
        if (!calculated)
            continue;
        // A second pass over its own result changes nothing.
        TextTable again = grid;
        TextTable againPrepare;
        ComputeDerivedValues(again);
        RebuildChartSource(again, againPrepare, static_cast<ChartBasis>(basis));
        if (!SameCells(again, grid) || !SameCells(againPrepare, prepareGrid))
            Violated("the derived-values pass is not idempotent");
        DrawEveryView(prepareGrid);
    }

    TextTable info;
    Try([&] { BuildStationRating(grid, info); });
    {
        // The station tab of the chart page, through the same path the window takes.
        LogbookDocument book;
        book.setTable(grid);
        book.setChartBasis(ChartBasis::Monat);
        Try([&] {
            book.calculateForChartPage();
            book.rateStations();
        });
    }
    Try([&] { ComputeStatistics(grid); });
    Try([&] { EnergyTable(grid); });

    StringSink native;
    WriteNativeFile(native, grid);
    StringSink csv;
    WriteCsvFile(csv, grid);
    StringSink html;
    ReportContext context;
    context.clock = [] { return LocalDateTime{2026, 12, 6, 10, 3, 22}; };
    context.authorName = "Autor";
    context.reportWebAddress = "https://example.org/spritlog";
    Try([&] { WriteHtmlReport(html, grid, "/home/nutzer/Fahrtenbuch <2026>.htm", context); });
    BuildPrintLayout(grid, "/home/nutzer/Fahrzeuge/Kombi/Fahrtenbuch 2026.slg");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Outcome whole = ParseWhole(bytes);
    const bool small = whole.grid.rowCount() <= kMaxAnalysedRecords + 1;
    if (small) {
        // The piece size follows the input's length, so the search varies it too.
        const Outcome pieces = ReadInPieces(bytes, 1 + size % 11);
        if (pieces.error != whole.error || !SameCells(pieces.grid, whole.grid))
            Violated("reading in pieces differs from parsing the whole file");
    }
    if (whole.error || !small)
        return 0;

    // What the native writer makes of the table reads back to the same cells.
    StringSink written;
    WriteNativeFile(written, whole.grid);
    const Outcome reread = ParseWhole(written.text);
    if (reread.error || !SameCells(reread.grid, whole.grid))
        Violated("a written logbook does not read back to the same table");

    Analyse(whole.grid);
    return 0;
}
