#include "operations.h"

#include "analysis/chartsource.h"
#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "charts/chartseries.h"
#include "logbook/logbooktable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace spritlog::bench {

namespace {

SaveOptions ReportOptions() {
    SaveOptions options;
    options.report.clock = [] { return LocalDateTime{2026, 12, 6, 10, 3, 22}; };
    options.report.authorName = "Autor";
    options.report.reportWebAddress = "https://example.org/spritlog";
    return options;
}

} // namespace

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"floor", "floor: read + split lines", false},
        {"load", "load + CalculateValues", false},
        {"save", "save native", true},
        {"csv", "CSV export (save .csv)", true},
        {"html", "HTML report (save .htm)", true},
        {"xlsx", "workbook (save .xlsx)", true},
        {"statistics", "statistics", true},
        {"stations", "station evaluation", true},
        {"month", "chart source per month", true},
        {"chart", "chart view 3 (per record)", true},
    };
    return operations;
}

void Load(const std::string& path, Loaded& loaded) {
    loaded.load(path);
}

LineCount ReadLines(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    std::vector<char> buffer(64 * 1024);
    LineCount count;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            throw std::runtime_error("cannot read " + path);
        }
        if (got == 0)
            break;
        const char* p = buffer.data();
        const char* const end = p + got;
        // A line that runs over the end of a piece counts its parts as it goes.
        while (const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
            const char* lf = static_cast<const char*>(found);
            count.textBytes += lf - p;
            ++count.lines;
            p = lf + 1;
        }
        count.textBytes += end - p;
    }
    ::close(fd);
    return count;
}

void Run(const std::string& name, Loaded& loaded, const std::string& outputDir) {
    if (name == "save") {
        // As "&Speichern" does it: to the current name, noting what was written there.
        const std::string target = outputDir + "/bench.slg";
        loaded.setFileName(target);
        loaded.saveOptions() = SaveOptions{};
        loaded.saveTo(target);
    } else if (name == "csv") {
        loaded.saveOptions() = SaveOptions{};
        loaded.saveTo(outputDir + "/bench.csv");
    } else if (name == "html") {
        loaded.saveOptions() = ReportOptions();
        loaded.saveTo(outputDir + "/bench.htm");
    } else if (name == "xlsx") {
        loaded.saveOptions() = SaveOptions{};
        loaded.saveTo(outputDir + "/bench.xlsx");
    } else if (name == "statistics") {
        (void)ComputeStatistics(loaded.table());
    } else if (name == "stations") {
        TextTable info;
        BuildStationRating(loaded.table(), info);
    } else if (name == "month") {
        TextTable months;
        RebuildChartSource(loaded.table(), months, ChartBasis::Monat);
    } else if (name == "chart") {
        // What the chart is given; drawing it is the window benchmark's part.
        (void)ChartSeriesOf(loaded.chartSource(), 3, 1);
    } else {
        throw std::invalid_argument("unknown operation " + name);
    }
}

} // namespace spritlog::bench
