#include "net/lookup/RateLimiter.h"

#include <thread>

void CRateLimiter::Sleep(Clock::duration span)
{
    std::this_thread::sleep_for(span);
}

bool CRateLimiter::Wait(const std::atomic<bool>* cancel)
{
    Clock::time_point slot;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        slot = std::max(Now(), m_next);
        m_next = slot + m_interval;
    }
    // Short steps, so that a cancel is noticed at once.
    constexpr auto step = std::chrono::milliseconds(50);
    for (;;) {
        if (cancel && cancel->load())
            return false;
        const Clock::time_point now = Now();
        if (now >= slot)
            return true;
        Sleep(std::min<Clock::duration>(slot - now, step));
    }
}
