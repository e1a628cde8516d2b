// Replaces the global operator new and delete of this test program (and of
// the libraries it loads) with counting ones over malloc.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<long long> g_held { 0 };
std::atomic<long long> g_peak { 0 };
std::atomic<long long> g_start { 0 };

void* Counted(void* p)
{
    if (!p)
        return nullptr;
    long long held = g_held.fetch_add(static_cast<long long>(malloc_usable_size(p))) + malloc_usable_size(p);
    long long peak = g_peak.load();
    while (held > peak && !g_peak.compare_exchange_weak(peak, held)) { }
    return p;
}

void* Allocate(std::size_t n)
{
    void* p = Counted(std::malloc(n ? n : 1));
    if (!p)
        throw std::bad_alloc();
    return p;
}

void* AllocateAligned(std::size_t n, std::align_val_t align)
{
    std::size_t a = static_cast<std::size_t>(align);
    void* p = Counted(std::aligned_alloc(a, (n + a - 1) / a * a));
    if (!p)
        throw std::bad_alloc();
    return p;
}

void Release(void* p) noexcept
{
    if (!p)
        return;
    g_held.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
    std::free(p);
}

} // namespace

namespace vemotest {

void AllocationCounter::Start()
{
    g_start = g_held.load();
    g_peak = g_start.load();
}

std::size_t AllocationCounter::PeakSinceStart()
{
    long long extra = g_peak.load() - g_start.load();
    return extra > 0 ? static_cast<std::size_t>(extra) : 0;
}

} // namespace vemotest

void* operator new(std::size_t n)
{
    return Allocate(n);
}
void* operator new[](std::size_t n)
{
    return Allocate(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    return Counted(std::malloc(n ? n : 1));
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
{
    return Counted(std::malloc(n ? n : 1));
}
void* operator new(std::size_t n, std::align_val_t a)
{
    return AllocateAligned(n, a);
}
void* operator new[](std::size_t n, std::align_val_t a)
{
    return AllocateAligned(n, a);
}
void operator delete(void* p) noexcept
{
    Release(p);
}
void operator delete[](void* p) noexcept
{
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    Release(p);
}
