#include "platform/util/ReadGate.h"

void CReadGate::Hold()
{
    if (m_depth++ > 0)
        return;
    m_wanted = true;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_held = true;
    m_wanted = false;
}

void CReadGate::Release()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_held = false;
        m_freeSince = std::chrono::steady_clock::now();
    }
    m_free.notify_all();
}

void CReadGate::Wake()
{
    // Taking the mutex orders the stop flag before the worker's next look.
    {
        std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_free.notify_all();
}
