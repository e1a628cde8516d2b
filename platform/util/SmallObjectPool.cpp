#include "platform/util/SmallObjectPool.h"

#include <array>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool POOLED = false;
#else
constexpr bool POOLED = true;
#endif

constexpr std::size_t GRAIN = 8;
constexpr std::size_t CHUNK_BYTES = 64 * 1024;
constexpr std::size_t CLASSES = CSmallObjectPool::MAX_POOLED_SIZE / GRAIN;

struct FreeBlock {
    FreeBlock* next;
};

struct Pool {
    std::mutex lock;
    std::array<FreeBlock*, CLASSES> free {};
    // The unused end of the current chunk; every size class carves from it.
    char* rest = nullptr;
    std::size_t restBytes = 0;
};

// Never destroyed: objects may outlive static destruction (the tool leaves
// its library to the end of the process).
Pool& ThePool()
{
    static Pool* pool = new Pool;
    return *pool;
}

std::size_t ClassOf(std::size_t size)
{
    return (size + GRAIN - 1) / GRAIN - 1;
}

} // namespace

void* CSmallObjectPool::Allocate(std::size_t size)
{
    if (!POOLED || size == 0 || size > MAX_POOLED_SIZE)
        return ::operator new(size);
    const std::size_t sizeClass = ClassOf(size);
    const std::size_t blockBytes = (sizeClass + 1) * GRAIN;
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> guard(pool.lock);
    if (FreeBlock* block = pool.free[sizeClass]) {
        pool.free[sizeClass] = block->next;
        // Freed blocks are cold: the next one is fetched while this one is
        // filled, rather than missed in the cache at the next allocation.
        if (block->next)
            __builtin_prefetch(block->next, 1);
        return block;
    }
    if (pool.restBytes < blockBytes) {
        // The few bytes left at the end of a chunk are given up.
        pool.rest = static_cast<char*>(std::malloc(CHUNK_BYTES));
        if (!pool.rest) {
            pool.restBytes = 0;
            throw std::bad_alloc();
        }
        pool.restBytes = CHUNK_BYTES;
    }
    void* block = pool.rest;
    pool.rest += blockBytes;
    pool.restBytes -= blockBytes;
    return block;
}

void CSmallObjectPool::Free(void* memory, std::size_t size) noexcept
{
    if (!memory)
        return;
    if (!POOLED || size == 0 || size > MAX_POOLED_SIZE) {
        ::operator delete(memory);
        return;
    }
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> guard(pool.lock);
    auto* block = static_cast<FreeBlock*>(memory);
    block->next = pool.free[ClassOf(size)];
    pool.free[ClassOf(size)] = block;
}
