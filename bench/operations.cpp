#include "operations.h"

#include "analysis/chartsource.h"
#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "charts/chartcontrol.h"
#include "charts/chartviews.h"
#include "logbook/logbooktable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace spritlog::bench {

namespace {

// A chart that takes everything and draws nothing, so a view costs only the program's work.
class NullChart : public ChartControl {
public:
    void setThisSerie(int16_t) override {}
    void setDecimals(int16_t) override {}
    void setPointType(int16_t) override {}
    void setGrid(int16_t) override {}
    void setWallWidth(int16_t) override {}
    void setShowStatus(bool) override {}
    void setChart3D(bool) override {}
    void setToolBar(bool) override {}
    void setLegendWidth(int16_t) override {}
    void setHText(const std::string& text) override { title_ = text; }
    std::string hText() const override { return title_; }
    int32_t openData(int16_t, int32_t, int32_t) override { return 0; }
    bool closeData(int16_t) override { return true; }
    void setPointValue(int16_t, double value) override { sum_ += value; }
    void setAxisValue(int16_t, double) override {}
    void setTitleText(int16_t, const std::string&) override {}
    void setSeriesText(int16_t, const std::string&) override {}
    void setSeriesLegend(int16_t, const std::string&) override {}
    void setChartOption(int16_t, int16_t) override {}
    void refresh() override {}

private:
    std::string title_;
    double sum_ = 0;
};

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
        NullChart chart;
        ShowChart(chart, loaded.chartSource(), 3, 1);
    } else {
        throw std::invalid_argument("unknown operation " + name);
    }
}

} // namespace spritlog::bench
