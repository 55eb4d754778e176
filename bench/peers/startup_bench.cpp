// Start-up to the first painted window: our program against the minimal Qt window peer.
//
//   spritlog-startup-bench --peer=MINIMAL --ours=SPRITLOG [--runs=20] [-- ARGS for ours]
//
// Each run starts the program with SPRITLOG_STARTUP_CLOCK set to the CLOCK_MONOTONIC time
// taken just before posix_spawn, so the figure holds the exec, the dynamic linking, the
// program's own start and the first paint (src/app/window/startupprobe.h). The two
// programs run alternately, after one discarded run each to warm the file cache; the
// medians and their ratio are printed, for the wall-clock time the programs report and
// for the CPU time they used. The display is whatever DISPLAY/QT_QPA_PLATFORM say.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kTimeoutMs = 60000;

int64_t MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

// Everything the child wrote to stdout until it ended (or the time ran out).
std::string ReadAll(int fd, pid_t child) {
    std::string output;
    char buffer[4096];
    for (;;) {
        pollfd wanted{fd, POLLIN, 0};
        if (poll(&wanted, 1, kTimeoutMs) <= 0) {
            kill(child, SIGKILL);
            break;
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    return output;
}

// One start: the wall-clock milliseconds the program reported and the CPU milliseconds it
// used until then (it ends right after reporting).
struct Start {
    double wallMs = 0;
    double cpuMs = 0;
};

double Milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
}

// One start of `argv`; none when it reported nothing.
std::optional<Start> RunOnce(const std::vector<std::string>& argv) {
    int fds[2];
    if (pipe(fds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string_view(*e).rfind("SPRITLOG_STARTUP_CLOCK=", 0) != 0)
            env.emplace_back(*e);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t child = 0;
    env.push_back("SPRITLOG_STARTUP_CLOCK=" + std::to_string(MonotonicNanoseconds()));
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const int failed = posix_spawn(&child, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (failed != 0) {
        close(fds[0]);
        return std::nullopt;
    }
    const std::string output = ReadAll(fds[0], child);
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);

    const std::string_view key = "startup_ms ";
    const std::size_t at = output.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    Start start;
    const char* first = output.data() + at + key.size();
    if (std::from_chars(first, output.data() + output.size(), start.wallMs).ec != std::errc())
        return std::nullopt;
    start.cpuMs = Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    return start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<double> Wall(const std::vector<Start>& starts) {
    std::vector<double> ms;
    for (const Start& s : starts)
        ms.push_back(s.wallMs);
    return ms;
}

std::vector<double> Cpu(const std::vector<Start>& starts) {
    std::vector<double> ms;
    for (const Start& s : starts)
        ms.push_back(s.cpuMs);
    return ms;
}

std::string Summary(const std::vector<Start>& starts) {
    const std::vector<double> wall = Wall(starts);
    return Fixed(Median(wall), 1) + " ms median (" +
           Fixed(*std::min_element(wall.begin(), wall.end()), 1) + " to " +
           Fixed(*std::max_element(wall.begin(), wall.end()), 1) + "), CPU " +
           Fixed(Median(Cpu(starts)), 1) + " ms";
}

struct Options {
    int runs = 20;
    std::vector<std::string> peer;
    std::vector<std::string> ours;
};

bool Parse(int argc, char** argv, Options& options) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (arg.rfind("--runs=", 0) == 0)
            std::from_chars(arg.data() + 7, arg.data() + arg.size(), options.runs);
        else if (arg.rfind("--peer=", 0) == 0)
            options.peer = {std::string(arg.substr(7))};
        else if (arg.rfind("--ours=", 0) == 0)
            options.ours = {std::string(arg.substr(7))};
        else
            return false;
    }
    for (++i; i < argc; ++i)
        options.ours.emplace_back(argv[i]);
    return !options.peer.empty() && !options.ours.empty() && options.runs > 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fputs("usage: spritlog-startup-bench --peer=MINIMAL --ours=SPRITLOG [--runs=N] "
                   "[-- ARGS]\n",
                   stderr);
        return 2;
    }
    // The first start of each reads its libraries from disk; those runs are left out.
    if (!RunOnce(options.peer) || !RunOnce(options.ours)) {
        std::fputs("spritlog-startup-bench: a program reported no start-up time\n", stderr);
        return 1;
    }
    std::vector<Start> peer, ours;
    for (int run = 0; run < options.runs; ++run) {
        const auto a = RunOnce(options.peer);
        const auto b = RunOnce(options.ours);
        if (!a || !b) {
            std::fputs("spritlog-startup-bench: a program reported no start-up time\n", stderr);
            return 1;
        }
        peer.push_back(*a);
        ours.push_back(*b);
    }
    const double ratio = Median(Wall(ours)) / Median(Wall(peer));
    const double cpuRatio = Median(Cpu(ours)) / Median(Cpu(peer));
    std::puts(("  minimal Qt window: " + Summary(peer)).c_str());
    std::puts(("  spritlog:          " + Summary(ours)).c_str());
    std::puts(("  ratio " + Fixed(ratio, 2) + "x, " + std::to_string(options.runs) +
               " alternating runs (target <= 1.3x): " + (ratio <= 1.3 ? "met" : "missed"))
                  .c_str());
    std::puts(("  CPU time ratio " + Fixed(cpuRatio, 2) +
               "x (without the waits for the display and for other processes)")
                  .c_str());
    return 0;
}
