// The readings thread: it waits for an input, runs it, and starts over with a newer one.
#include "readings/latest_run.h"

#include <sys/resource.h>
#include <unistd.h>

namespace quirlwerk::readings {

LatestRun::LatestRun(Done done) : m_done(std::move(done)), m_thread([this](std::stop_token stop) { work(stop); }) {}

LatestRun::~LatestRun()
{
    {
        const std::lock_guard lock(m_mutex);
        m_running.request_stop();
    }
    m_thread.request_stop();
    m_thread.join();
}

std::uint64_t LatestRun::submit(Text input, Options options)
{
    const std::lock_guard lock(m_mutex);
    m_pending.emplace(std::move(input), std::move(options));
    m_running.request_stop();
    m_wake.notify_one();
    return ++m_number;
}

void LatestRun::work(std::stop_token stop)
{
    // Below the window's thread for the scheduler: typing stays smooth while a run takes both cores.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    while (true) {
        std::unique_lock lock(m_mutex);
        if (!m_wake.wait(lock, stop, [this] { return m_pending.has_value(); }))
            return;
        auto [input, options] = std::move(*m_pending);
        m_pending.reset();
        const std::uint64_t number = m_number;
        m_running = std::stop_source();
        const std::stop_token cancelled = m_running.get_token();
        // Ending the thread cancels the run as a newer input would.
        const std::stop_callback forward(stop, [running = m_running]() mutable { running.request_stop(); });
        lock.unlock();
        std::optional<std::vector<Reading>> readings = allReadings(input, options, cancelled);
        if (readings && !cancelled.stop_requested())
            m_done(number, std::move(*readings));
    }
}

} // namespace quirlwerk::readings
