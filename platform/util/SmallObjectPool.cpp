#include "platform/util/SmallObjectPool.h"

#include <sys/mman.h>

#include <array>
#include <atomic>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool POOLED = false;
#else
constexpr bool POOLED = true;
#endif

constexpr std::size_t GRAIN = 8;
// Chunks are mapped whole with their pages present: one call to the kernel
// per megabyte instead of a page fault for every 4 KB a load fills, and
// apart from the heap, whose small blocks then lie closer together.
constexpr std::size_t CHUNK_BYTES = 1024 * 1024;
constexpr std::size_t CLASSES = CSmallObjectPool::MAX_POOLED_SIZE / GRAIN;

struct FreeBlock {
    FreeBlock* next;
};

// Held for a few instructions at a time, millions of times per load: one
// exchange to take, a plain store to give back, no call into the C library.
class SpinLock {
public:
    void lock() noexcept
    {
        int spins = 0;
        while (m_held.exchange(true, std::memory_order_acquire)) {
            while (m_held.load(std::memory_order_relaxed)) {
                if (++spins < 100)
                    Relax();
                else
                    std::this_thread::yield(); // the holder may have been preempted
            }
        }
    }
    void unlock() noexcept { m_held.store(false, std::memory_order_release); }

private:
    static void Relax() noexcept
    {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    std::atomic<bool> m_held { false };
};

struct Pool {
    SpinLock lock;
    std::array<FreeBlock*, CLASSES> free {};
    // Every chunk taken, in order; chunks[0, nextChunk) have been carved from.
    std::vector<char*> chunks;
    std::size_t nextChunk = 0;
    // The unused end of the current chunk; every size class carves from it.
    char* rest = nullptr;
    std::size_t restBytes = 0;
    // Blocks handed out and not yet freed.
    std::size_t live = 0;

    // When the last block comes back (a library was closed), the chunks are
    // carved again from the first one: the next library's objects then lie
    // in the order they are made, in memory already mapped, instead of being
    // scattered over free lists whose every block is a cache miss.
    void Rewind()
    {
        free.fill(nullptr);
        nextChunk = 0;
        rest = nullptr;
        restBytes = 0;
    }

    // A block of fresh memory: from the current chunk, or the next one.
    void* Carve(std::size_t blockBytes)
    {
        if (restBytes < blockBytes) {
            // The few bytes left at the end of a chunk are given up.
            rest = TakeChunk();
            restBytes = CHUNK_BYTES;
        }
        void* block = rest;
        rest += blockBytes;
        restBytes -= blockBytes;
        return block;
    }

    char* TakeChunk()
    {
        if (nextChunk == chunks.size()) {
            // Room first, so that a failed push cannot lose the chunk.
            if (chunks.size() == chunks.capacity())
                chunks.reserve(chunks.size() * 2 + 64);
            void* chunk = mmap(nullptr, CHUNK_BYTES, PROT_READ | PROT_WRITE,
                MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
            if (chunk == MAP_FAILED)
                throw std::bad_alloc();
            chunks.push_back(static_cast<char*>(chunk));
        }
        return chunks[nextChunk++];
    }
};

// Never destroyed: objects may outlive static destruction (the tool leaves
// its library to the end of the process).
Pool& ThePool()
{
    static Pool* pool = new Pool;
    return *pool;
}

FreeBlock* Pop(FreeBlock*& list)
{
    FreeBlock* block = list;
    list = block->next;
    // Freed blocks are cold: the next one is fetched while this one is
    // filled, rather than missed in the cache at the next allocation.
    if (list)
        __builtin_prefetch(list, 1);
    return block;
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
    std::lock_guard<SpinLock> guard(pool.lock);
    void* block = pool.free[sizeClass] ? Pop(pool.free[sizeClass]) : pool.Carve(blockBytes);
    ++pool.live;
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
    std::lock_guard<SpinLock> guard(pool.lock);
    if (--pool.live == 0) {
        pool.Rewind();
        return;
    }
    auto* block = static_cast<FreeBlock*>(memory);
    block->next = pool.free[ClassOf(size)];
    pool.free[ClassOf(size)] = block;
}
