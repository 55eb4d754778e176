// The year table at the sample logbook's size and at 100,000 records: the figures of every
// year and month (one pass over the records) and the texts every output prints from them.
// The window redraws its page from these two; a frame is 16 ms.
//
//   spritlog-years-bench [--data=DIR] [Google Benchmark options]

#include "logbookgenerator.h"

#include "analysis/statistics.h"
#include "analysis/yearsummary.h"
#include "document/logbookdocument.h"
#include "reports/yeartable.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#ifndef SPRITLOG_SOURCE_DIR
#define SPRITLOG_SOURCE_DIR "."
#endif

namespace {

using namespace spritlog;

std::string g_data = "/tmp";

// The logbook at `path`, loaded and calculated as the window loads it.
const LogbookDocument& Loaded(const std::string& path) {
    static std::vector<std::unique_ptr<LogbookDocument>> documents;
    static std::vector<std::string> paths;
    for (std::size_t i = 0; i < paths.size(); ++i)
        if (paths[i] == path)
            return *documents[i];
    auto document = std::make_unique<LogbookDocument>();
    document->load(path);
    paths.push_back(path);
    documents.push_back(std::move(document));
    return *documents.back();
}

std::string LogbookOf(int records) {
    if (records == 0)
        return SPRITLOG_SOURCE_DIR "/examples/beispiel.slg";
    const std::string path = g_data + "/years-" + std::to_string(records) + ".slg";
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        bench::WriteGeneratedLogbook(path, records);
    return path;
}

const LocalDateTime kToday = {2026, 12, 6, 12, 0, 0};

// The figures: every year and month of the logbook.
void YearFiguresBench(benchmark::State& state) {
    const LogbookDocument& document = Loaded(LogbookOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        YearSummary summary = SummariseYears(document.table(), document.consumptionRule(), kToday);
        benchmark::DoNotOptimize(summary);
    }
    state.counters["records"] = document.recordCount();
}

// The figures and the texts of the year table and of one year's months, as the page shows
// them.
void YearTableBench(benchmark::State& state) {
    const LogbookDocument& document = Loaded(LogbookOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        const YearSummary summary =
            SummariseYears(document.table(), document.consumptionRule(), kToday);
        auto rows = YearTableRows(summary);
        if (!summary.years.empty())
            for (const PeriodFigures& month : summary.years.back().months)
                rows.push_back(PeriodTexts(summary, month));
        benchmark::DoNotOptimize(rows);
    }
    state.counters["records"] = document.recordCount();
}

// For comparison: the statistics page's figures of the same logbook, one pass as well.
void StatisticsBench(benchmark::State& state) {
    const LogbookDocument& document = Loaded(LogbookOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        StatisticsLabels labels = ComputeStatistics(document.table(), document.consumptionRule());
        benchmark::DoNotOptimize(labels);
    }
    state.counters["records"] = document.recordCount();
}

// 0 stands for the sample logbook.
BENCHMARK(YearFiguresBench)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(YearTableBench)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(StatisticsBench)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--data=", 7) == 0)
            g_data = argv[i] + 7;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
