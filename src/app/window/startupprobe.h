#pragma once

namespace spritlog {

// The start-up measurement of the benchmarks (bench/peers/startup_bench.cpp). When the
// environment holds SPRITLOG_STARTUP_CLOCK, the CLOCK_MONOTONIC time in nanoseconds at
// which the measuring program started this one, the first window to be exposed and
// painted prints "startup_ms MS" (the time since then) to stdout and ends the process at
// once, without the close sequence. Without the variable it does nothing.
// Call after the QApplication exists.
void InstallStartupProbe();

} // namespace spritlog
