// Timing and memory figures shared by the picture benchmarks.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quirlwerk::bench {

struct PerLoad {
    double wallSeconds = 0;
    double cpuSeconds = 0;   // all threads of the process, in case a reader spreads its work
};

inline double cpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// A field of /proc/self/status in KiB, such as "VmRSS" or the peak "VmHWM".
inline long statusKiB(const char* field)
{
    long value = 0;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const std::string pattern = std::string(field) + ": %ld kB";
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, pattern.c_str(), &value) == 1)
                break;
        std::fclose(status);
    }
    return value;
}

// Runs `load` once in a child forked for it, so that all the memory it takes is fresh from the system, as in a
// command line run. Nothing when the load failed. The parent should have touched the libraries the load uses
// (a small load of each kind first), so that neither side pays for loading plugins.
inline std::optional<PerLoad> inFreshProcess(const std::function<bool()>& load)
{
    int channel[2];
    if (pipe(channel) != 0)
        return std::nullopt;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuNow();
        const bool loaded = load();
        const PerLoad figures{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                              cpuNow() - cpuStart};
        if (loaded && write(channel[1], &figures, sizeof figures) != sizeof figures)
            _exit(1);
        _exit(0);
    }
    close(channel[1]);
    PerLoad figures;
    const bool received = child > 0 && read(channel[0], &figures, sizeof figures) == sizeof figures;
    close(channel[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return received ? std::optional(figures) : std::nullopt;
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

// Medians of `rounds` alternating fresh-process runs of ours and theirs; the one that goes first changes every
// round, so that neither profits from the other's leftovers in the caches. Zero where a run failed.
struct Comparison {
    PerLoad ours;
    PerLoad theirs;
    bool failed = false;
};

inline Comparison alternate(int rounds, const std::function<bool()>& ours, const std::function<bool()>& theirs)
{
    std::vector<double> wall[2], cpu[2];
    Comparison result;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            const int side = (round + turn) % 2;
            const std::optional<PerLoad> figures = inFreshProcess(side == 0 ? ours : theirs);
            if (!figures) {
                result.failed = true;
                continue;
            }
            wall[side].push_back(figures->wallSeconds);
            cpu[side].push_back(figures->cpuSeconds);
        }
    }
    result.ours = {median(wall[0]), median(cpu[0])};
    result.theirs = {median(wall[1]), median(cpu[1])};
    return result;
}

} // namespace quirlwerk::bench
