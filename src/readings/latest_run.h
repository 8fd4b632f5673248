// The readings of the latest input, on a thread of their own: a newer input cancels the older run.
#pragma once

#include "readings/readings.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace quirlwerk::readings {

class LatestRun {
public:
    // Called on the run's thread with the number submit() gave the input; never for a cancelled run.
    using Done = std::function<void(std::uint64_t number, std::vector<Reading> readings)>;

    explicit LatestRun(Done done);
    // Cancels the run in progress and waits for its current reading to end.
    ~LatestRun();
    LatestRun(const LatestRun&) = delete;
    LatestRun& operator=(const LatestRun&) = delete;

    // Returns at once; the number grows with every call.
    std::uint64_t submit(Text input, Options options);

private:
    void work(std::stop_token stop);

    Done m_done;
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::optional<std::pair<Text, Options>> m_pending;
    std::uint64_t m_number = 0;
    std::stop_source m_running;
    std::jthread m_thread;   // last: starts once everything it uses exists
};

} // namespace quirlwerk::readings
