#include <gtest/gtest.h>

#include <thread>

#include "net/lookup/RateLimiter.h"

namespace {

// A limiter whose clock moves only when it sleeps.
class FakeClockLimiter : public CRateLimiter {
public:
    using CRateLimiter::CRateLimiter;
    mutable Clock::time_point now = Clock::time_point() + std::chrono::hours(1);
    Clock::duration slept {};
    std::atomic<bool>* cancelAfterFirstSleep = nullptr;

protected:
    Clock::time_point Now() const override { return now; }
    void Sleep(Clock::duration span) override
    {
        now += span;
        slept += span;
        if (cancelAfterFirstSleep)
            *cancelAfterFirstSleep = true;
    }
};

TEST(RateLimiter, SpacesCallsByTheInterval)
{
    FakeClockLimiter limiter(std::chrono::milliseconds(1000));
    ASSERT_TRUE(limiter.Wait(nullptr));
    EXPECT_EQ(limiter.slept, CRateLimiter::Clock::duration::zero());
    ASSERT_TRUE(limiter.Wait(nullptr));
    EXPECT_EQ(limiter.slept, std::chrono::milliseconds(1000));
    // Time that passed on its own counts.
    limiter.now += std::chrono::milliseconds(400);
    ASSERT_TRUE(limiter.Wait(nullptr));
    EXPECT_EQ(limiter.slept, std::chrono::milliseconds(1600));
    limiter.now += std::chrono::seconds(5);
    const auto before = limiter.slept;
    ASSERT_TRUE(limiter.Wait(nullptr));
    EXPECT_EQ(limiter.slept, before);
}

TEST(RateLimiter, CancelEndsTheWait)
{
    FakeClockLimiter limiter(std::chrono::milliseconds(1000));
    std::atomic<bool> cancel { false };
    ASSERT_TRUE(limiter.Wait(&cancel));
    limiter.cancelAfterFirstSleep = &cancel;
    EXPECT_FALSE(limiter.Wait(&cancel));
    EXPECT_LT(limiter.slept, std::chrono::milliseconds(1000));
    cancel = true;
    EXPECT_FALSE(CRateLimiter(std::chrono::milliseconds(0)).Wait(&cancel));
}

TEST(RateLimiter, ThreadsShareTheSlots)
{
    CRateLimiter limiter(std::chrono::milliseconds(100));
    const auto start = CRateLimiter::Clock::now();
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] { limiter.Wait(nullptr); });
    for (std::thread& thread : threads)
        thread.join();
    // Four callers: the first at once, the last three intervals later.
    EXPECT_GE(CRateLimiter::Clock::now() - start, std::chrono::milliseconds(300));
}

} // namespace
