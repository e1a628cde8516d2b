#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/util/ReadGate.h"

namespace {

// The owner and the worker never run their parts at once; a hold waits
// only for the step under way, and a stopped worker leaves a held gate.
TEST(ReadGateTest, OwnerAndWorkerTakeTurns)
{
    CReadGate gate;
    std::atomic<bool> stop { false };
    std::atomic<int> inStep { 0 };
    std::atomic<int> overlaps { 0 };
    std::atomic<int> steps { 0 };
    std::thread worker([&] {
        while (gate.Step(stop, [&] {
            ++inStep;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            ++steps;
            --inStep;
        })) { }
    });
    for (int i = 0; i < 200; ++i) {
        gate.Hold();
        gate.Hold(); // nested
        overlaps += inStep.load();
        gate.Release();
        overlaps += inStep.load();
        gate.Release();
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    gate.Hold();
    const int before = steps.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(steps.load(), before);
    stop = true;
    gate.Wake();
    worker.join();
    gate.Release();
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_GT(steps.load(), 0);
}

// With a grace, a worker takes no step while the owner lets go only for
// moments, and goes on once the gate stays free.
TEST(ReadGateTest, GraceKeepsStepsOutOfBursts)
{
    CReadGate gate;
    gate.SetGrace(std::chrono::milliseconds(500));
    gate.Hold();
    std::atomic<bool> stop { false };
    std::atomic<int> steps { 0 };
    std::thread worker([&] {
        while (gate.Step(stop, [&] { ++steps; }) && steps < 3) { }
    });
    for (int i = 0; i < 20; ++i) {
        gate.Release();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        gate.Hold();
    }
    EXPECT_EQ(steps.load(), 0);
    gate.Release();
    worker.join();
    EXPECT_EQ(steps.load(), 3);
}

} // namespace
