// Measures the peak memory of one operation on one logbook file in a process of its own:
//
//   spritlog-peakmem OPERATION FILE OUTPUTDIR
//
// prints "<resident kB at start> <peak resident kB>". Operations other than floor and load
// first load the file as the window does; their peak includes the loaded logbook.

#include "operations.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

// A field of /proc/self/status in kB, or -1.
long StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::stol(line.substr(length + 1));
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: spritlog-peakmem OPERATION FILE OUTPUTDIR\n");
        return 2;
    }
    const long baseline = StatusKilobytes("VmRSS");
    const std::string operation = argv[1];
    const std::string path = argv[2];
    try {
        using namespace spritlog::bench;
        if (operation == "floor") {
            const LineCount count = ReadLines(path);
            if (count.lines < 0)
                return 1;
        } else {
            Loaded loaded;
            Load(path, loaded);
            if (operation != "load")
                Run(operation, loaded, argv[3]);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "spritlog-peakmem: %s\n", error.what());
        return 1;
    }
    long peak = StatusKilobytes("VmHWM");
    if (peak < 0) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        peak = usage.ru_maxrss;
    }
    std::printf("%ld %ld\n", baseline, peak);
    return 0;
}
