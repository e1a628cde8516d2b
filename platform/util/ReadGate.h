#pragma once
// Lets a worker thread read data that one owner thread changes, without
// locks in the data itself: the owner holds the gate whenever it may change
// anything (holds nest), and the worker reads only in short steps taken
// while the gate is free. Holding waits for the step under way, so the
// owner never waits longer than one step.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class CReadGate {
public:
    // Owner thread only.
    void Hold();
    void Release();
    bool IsHeld() const { return m_depth > 0; }
    int GetDepth() const { return m_depth; }

    // Steps wait until the gate has been free this long: an owner that
    // lets go only between events of a burst is not made to wait for
    // steps in between. 0 (the default) takes steps at once.
    void SetGrace(std::chrono::milliseconds grace) { m_grace = grace; }

    // Worker thread: waits until the gate is free (or stop is set), then
    // runs step while the owner cannot hold the gate. False when stop was
    // set and step did not run.
    template <class F> bool Step(const std::atomic<bool>& stop, F&& step)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_free.wait(lock, [&] { return (!m_held && !m_wanted.load()) || stop.load(); });
            if (stop.load())
                return false;
            const auto ready = m_freeSince + m_grace;
            if (std::chrono::steady_clock::now() >= ready)
                break;
            m_free.wait_until(lock, ready);
        }
        step();
        return true;
    }
    // Wakes a worker waiting in Step, after its stop was set.
    void Wake();

    // Holds the gate for a scope.
    class CHold {
    public:
        explicit CHold(CReadGate* gate)
            : m_gate(gate)
        {
            if (m_gate)
                m_gate->Hold();
        }
        ~CHold()
        {
            if (m_gate)
                m_gate->Release();
        }
        CHold(const CHold&) = delete;
        CHold& operator=(const CHold&) = delete;

    private:
        CReadGate* m_gate;
    };

private:
    std::mutex m_mutex;
    std::condition_variable m_free;
    bool m_held = false; // guarded by m_mutex
    std::chrono::steady_clock::time_point m_freeSince; // guarded by m_mutex
    std::chrono::milliseconds m_grace { 0 };
    // The owner waits to hold: the worker takes no further step, so that
    // it cannot take the mutex again and again before the owner.
    std::atomic<bool> m_wanted { false };
    int m_depth = 0; // the owner's own count
};
