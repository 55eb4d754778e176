// Spritlog at scale: generates realistic logbooks of 1,000, 100,000 and 1,000,000 records,
// times every operation on them with Google Benchmark, measures each operation's peak
// memory in a process of its own, and prints one table with the targets:
//
//   - every operation linear in the records: time per record at 1,000,000 within 1.5x of
//     that at 100,000;
//   - loading with CalculateValues within 4x of the floor (reading the same file and
//     splitting it into lines);
//   - peak memory under 6 bytes per byte of logbook file;
//   - the workbook within 3x of the CSV export of the same logbook;
//   - the station evaluation with 10,000 distinct stations still linear.
//
//   spritlog-bench [--data=DIR] [--sizes=1000,100000,1000000] [--no-memory]
//                  [Google Benchmark options]

#include "logbookgenerator.h"
#include "operations.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace spritlog::bench;

constexpr int kDistinctStations = 10000;
constexpr const char* kGeneratorVersion = "v1";
constexpr const char* kStations10k = "stations10k";

struct Settings {
    std::string dataDir = "bench-data";
    std::vector<int> sizes = {1000, 100000, 1000000};
    bool memory = true;
};

std::string LogbookPath(const Settings& settings, int records, bool manyStations) {
    return settings.dataDir + "/" + (manyStations ? "stations10k-" : "logbook-") +
           kGeneratorVersion + "-" + std::to_string(records) + ".slg";
}

long long FileSize(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

void EnsureLogbooks(const Settings& settings) {
    ::mkdir(settings.dataDir.c_str(), 0777);
    ::mkdir((settings.dataDir + "/out").c_str(), 0777);
    for (const int records : settings.sizes) {
        for (const bool manyStations : {false, true}) {
            const std::string path = LogbookPath(settings, records, manyStations);
            if (FileSize(path) > 0)
                continue;
            std::fprintf(stderr, "generating %s\n", path.c_str());
            const std::string partial = path + ".part";
            WriteGeneratedLogbook(partial, records, manyStations ? kDistinctStations : 0);
            if (std::rename(partial.c_str(), path.c_str()) != 0)
                throw std::runtime_error("cannot rename " + partial);
        }
    }
}

// One loaded logbook at a time, kept across the calls of the benchmarks that share it.
struct LoadedCache {
    std::string path;
    std::unique_ptr<Loaded> loaded;

    Loaded& get(const std::string& wanted) {
        if (path != wanted) {
            loaded.reset();
            loaded = std::make_unique<Loaded>();
            Load(wanted, *loaded);
            path = wanted;
        }
        return *loaded;
    }
};
LoadedCache gCache;

// Result of one benchmark, milliseconds per iteration: the process's CPU time (what the
// table judges by, since it suffers least from other work on the machine) and the
// wall-clock time (which also holds waiting for the disk).
struct Timing {
    double cpuMs = -1;
    double wallMs = -1;
};
std::map<std::string, Timing> gTimings;

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            // With repetitions the median stands for the benchmark.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median)
                continue;
            const double scale = benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                                 benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string name = run.run_name.function_name;
            if (median || !medians_.count(name))
                gTimings[name] =
                    Timing{run.GetAdjustedCPUTime() * scale, run.GetAdjustedRealTime() * scale};
            if (median)
                medians_[name] = true;
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    std::map<std::string, bool> medians_;
};

std::string Key(const std::string& operation, int records) {
    return operation + "/" + std::to_string(records);
}

void Register(const Settings& settings) {
    const std::string outputDir = settings.dataDir + "/out";
    for (const int records : settings.sizes) {
        const std::string path = LogbookPath(settings, records, false);
        for (const Operation& op : Operations()) {
            const std::string name = op.name;
            benchmark::RegisterBenchmark(Key(name, records).c_str(),
                                         [=](benchmark::State& state) {
                                             if (name == "floor") {
                                                 for (auto _ : state)
                                                     benchmark::DoNotOptimize(ReadLines(path));
                                             } else if (name == "load") {
                                                 for (auto _ : state) {
                                                     Loaded loaded;
                                                     Load(path, loaded);
                                                     benchmark::DoNotOptimize(loaded.table());
                                                 }
                                             } else {
                                                 Loaded& loaded = gCache.get(path);
                                                 for (auto _ : state)
                                                     Run(name, loaded, outputDir);
                                             }
                                             state.SetItemsProcessed(state.iterations() * records);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime();
        }
        const std::string many = LogbookPath(settings, records, true);
        benchmark::RegisterBenchmark(Key(kStations10k, records).c_str(),
                                     [=](benchmark::State& state) {
                                         Loaded& loaded = gCache.get(many);
                                         for (auto _ : state)
                                             Run("stations", loaded, outputDir);
                                         state.SetItemsProcessed(state.iterations() * records);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
    }
}

// Peak memory above the process's start, in bytes, or -1.
long long PeakBytes(const std::string& self, const std::string& operation, const std::string& path,
                    const std::string& outputDir) {
    const std::string command =
        "'" + self + "' '" + operation + "' '" + path + "' '" + outputDir + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    long baseline = -1;
    long peak = -1;
    const int fields = std::fscanf(pipe, "%ld %ld", &baseline, &peak);
    const int status = ::pclose(pipe);
    if (fields != 2 || status != 0)
        return -1;
    return (static_cast<long long>(peak) - baseline) * 1024;
}

std::string Directory(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string SelfDirectory() {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    return Directory(std::string(buffer, static_cast<std::size_t>(length)));
}

struct Row {
    std::string key;
    std::string title;
    int records = 0;
    long long fileBytes = 0;
    double ms = -1;     // CPU time
    double wallMs = -1; // wall-clock time
    long long peakBytes = -1;
};

double NsPerRecord(const Row& row) {
    return row.ms * 1e6 / row.records;
}

const Row* Find(const std::vector<Row>& rows, const std::string& key, int records) {
    for (const Row& row : rows)
        if (row.key == key && row.records == records && row.ms >= 0)
            return &row;
    return nullptr;
}

void PrintTable(const Settings& settings, const std::vector<Row>& rows) {
    std::printf("\n%-36s %9s %10s %10s %10s %12s %8s %9s %9s %8s\n", "operation", "records",
                "cpu ms", "wall ms", "ns/record", "records/s", "x floor", "peak MB", "B/record",
                "B/B file");
    for (const Row& row : rows) {
        if (row.ms < 0) {
            std::printf("%-36s %9d %10s\n", row.title.c_str(), row.records, "(not run)");
            continue;
        }
        const Row* floor = Find(rows, "floor", row.records);
        char ratio[32] = "-";
        if (floor && floor->ms > 0)
            std::snprintf(ratio, sizeof ratio, "%.2f", row.ms / floor->ms);
        char peak[32] = "-";
        char perRecord[32] = "-";
        char perByte[32] = "-";
        if (row.peakBytes >= 0) {
            std::snprintf(peak, sizeof peak, "%.1f", row.peakBytes / 1048576.0);
            std::snprintf(perRecord, sizeof perRecord, "%.0f",
                          static_cast<double>(row.peakBytes) / row.records);
            std::snprintf(perByte, sizeof perByte, "%.2f",
                          static_cast<double>(row.peakBytes) / row.fileBytes);
        }
        std::printf("%-36s %9d %10.3f %10.3f %10.1f %12.0f %8s %9s %9s %8s\n", row.title.c_str(),
                    row.records, row.ms, row.wallMs, NsPerRecord(row),
                    row.records / (row.ms / 1000.0), ratio, peak, perRecord, perByte);
    }
    std::printf("\nFiles:");
    for (const int records : settings.sizes)
        std::printf(" %d records %.1f MB;", records,
                    FileSize(LogbookPath(settings, records, false)) / 1048576.0);
    std::printf("\nTimes are CPU time per run (x floor, ns/record and records/s from it); "
                "wall time also holds waiting for the disk.\n");
}

void PrintTargets(const Settings& settings, const std::vector<Row>& rows) {
    const bool haveLarge = std::count(settings.sizes.begin(), settings.sizes.end(), 100000) &&
                           std::count(settings.sizes.begin(), settings.sizes.end(), 1000000);
    std::printf("\nTargets\n");
    if (haveLarge) {
        std::printf("  linear: ns/record at 1,000,000 within 1.5x of 100,000\n");
        std::vector<std::string> keys;
        for (const Operation& op : Operations())
            keys.push_back(op.name);
        keys.push_back(kStations10k);
        for (const std::string& key : keys) {
            const Row* small = Find(rows, key, 100000);
            const Row* large = Find(rows, key, 1000000);
            if (!small || !large)
                continue;
            const double ratio = NsPerRecord(*large) / NsPerRecord(*small);
            std::printf("    %-36s %5.2fx  %s\n", large->title.c_str(), ratio,
                        ratio <= 1.5 ? "met" : "MISSED");
        }
    } else {
        std::printf("  linear: needs the sizes 100000 and 1000000\n");
    }
    std::printf("  load + CalculateValues within 4x of the floor\n");
    for (const int records : settings.sizes) {
        const Row* load = Find(rows, "load", records);
        const Row* floor = Find(rows, "floor", records);
        if (!load || !floor || floor->ms <= 0)
            continue;
        const double ratio = load->ms / floor->ms;
        std::printf("    %9d records %8.2fx  %s\n", records, ratio, ratio <= 4 ? "met" : "MISSED");
    }
    // The workbook's yardsticks are the library alone and pandas: scripts/bench-peers.
    if (settings.memory) {
        std::printf("  peak memory at most 4 bytes per byte of logbook file (largest of all "
                    "operations)\n");
        for (const int records : settings.sizes) {
            double worst = -1;
            std::string which;
            for (const Row& row : rows) {
                if (row.records != records || row.peakBytes < 0 || row.key == kStations10k)
                    continue;
                const double perByte = static_cast<double>(row.peakBytes) / row.fileBytes;
                if (perByte > worst) {
                    worst = perByte;
                    which = row.title;
                }
            }
            if (worst < 0)
                continue;
            // The runtime's own few megabytes outweigh a small file.
            const char* verdict = records < 100000 ? "(file too small to judge)"
                                  : worst <= 4     ? "met"
                                                   : "MISSED";
            std::printf("    %9d records %8.2f B/B  %s (%s)\n", records, worst, verdict,
                        which.c_str());
        }
    }
}

Settings ParseSettings(int& argc, char** argv) {
    Settings settings;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--data=", 0) == 0) {
            settings.dataDir = arg.substr(7);
        } else if (arg.rfind("--sizes=", 0) == 0) {
            settings.sizes.clear();
            std::string list = arg.substr(8);
            std::size_t start = 0;
            while (start <= list.size()) {
                const std::size_t comma = list.find(',', start);
                const std::string item = list.substr(
                    start, comma == std::string::npos ? std::string::npos : comma - start);
                if (!item.empty())
                    settings.sizes.push_back(std::stoi(item));
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
        } else if (arg == "--no-memory") {
            settings.memory = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return settings;
}

} // namespace

int main(int argc, char** argv) {
    try {
        Settings settings = ParseSettings(argc, argv);
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            return 2;
        EnsureLogbooks(settings);
        Register(settings);

        CollectingReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        gCache.loaded.reset();

        std::vector<Row> rows;
        const std::string probe = SelfDirectory() + "/spritlog-peakmem";
        const std::string outputDir = settings.dataDir + "/out";
        for (const int records : settings.sizes) {
            std::vector<std::pair<std::string, std::string>> entries;
            for (const Operation& op : Operations())
                entries.emplace_back(op.name, op.title);
            entries.emplace_back(kStations10k, "station evaluation, 10,000 stations");
            for (const auto& [key, title] : entries) {
                Row row;
                row.key = key;
                row.title = title;
                row.records = records;
                const bool many = key == kStations10k;
                const std::string path = LogbookPath(settings, records, many);
                row.fileBytes = FileSize(path);
                const auto found = gTimings.find(Key(key, records));
                if (found != gTimings.end()) {
                    row.ms = found->second.cpuMs;
                    row.wallMs = found->second.wallMs;
                }
                if (settings.memory && row.ms >= 0)
                    row.peakBytes = PeakBytes(probe, many ? "stations" : key, path, outputDir);
                rows.push_back(row);
            }
        }
        PrintTable(settings, rows);
        PrintTargets(settings, rows);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "spritlog-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
