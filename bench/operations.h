#pragma once

#include "document/logbookdocument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace spritlog::bench {

// The operations that the benchmarks time and the memory probe measures, by name.
struct Operation {
    const char* name;
    const char* title; // for the table
    bool needsLogbook; // works on a loaded logbook (the load is not part of its time)
};

// floor, load, save, csv, html, xlsx, statistics, stations, month, chart.
const std::vector<Operation>& Operations();

// A logbook loaded the way the window loads it: the document's load, which ends with
// CalculateValues per record.
using Loaded = LogbookDocument;
void Load(const std::string& path, Loaded& loaded);

// The floor of the machine: reads the file in the loader's pieces and splits it into lines.
struct LineCount {
    int64_t lines = 0;
    int64_t textBytes = 0; // bytes outside the line ends' LF
};
LineCount ReadLines(const std::string& path);

// Runs operation `name` other than floor and load on `loaded`; files go to `outputDir`.
void Run(const std::string& name, Loaded& loaded, const std::string& outputDir);

} // namespace spritlog::bench
