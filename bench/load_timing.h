// Timing and memory figures shared by the picture benchmarks.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>

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

} // namespace quirlwerk::bench
