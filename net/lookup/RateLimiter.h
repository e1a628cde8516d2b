#pragma once
// Spaces the requests to one service: each caller gets the next free slot,
// at least the interval after the one before, and waits for it. Callers on
// several threads share one limiter; a wait ends early when its cancel flag
// is set.

#include <atomic>
#include <chrono>
#include <mutex>

class CRateLimiter {
public:
    using Clock = std::chrono::steady_clock;

    explicit CRateLimiter(std::chrono::milliseconds interval)
        : m_interval(interval)
    {
    }
    virtual ~CRateLimiter() = default;

    // Waits for this caller's slot; false when cancelled first.
    bool Wait(const std::atomic<bool>* cancel);
    std::chrono::milliseconds GetInterval() const { return m_interval; }

protected:
    // Seams for tests that must not sleep.
    virtual Clock::time_point Now() const { return Clock::now(); }
    virtual void Sleep(Clock::duration span);

private:
    std::chrono::milliseconds m_interval;
    std::mutex m_mutex;
    Clock::time_point m_next {};
};
