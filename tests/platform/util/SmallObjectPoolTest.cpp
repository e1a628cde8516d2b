#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/util/SmallObjectPool.h"

namespace {

struct Block {
    void* memory;
    std::size_t size;
    unsigned char fill;
};

// Objects of every size, from two threads at once, never share a byte.
TEST(SmallObjectPoolTest, BlocksNeverOverlap)
{
    auto fillAndCheck = [](unsigned char seed) {
        std::vector<Block> blocks;
        for (int round = 0; round < 40; ++round)
            for (std::size_t size : { 1, 8, 9, 24, 80, 96, 255, 512, 513, 4096 }) {
                const auto fill = static_cast<unsigned char>(seed + blocks.size());
                void* memory = CSmallObjectPool::Allocate(size);
                std::memset(memory, fill, size);
                blocks.push_back({ memory, size, fill });
            }
        bool intact = true;
        for (const Block& b : blocks) {
            for (std::size_t i = 0; i < b.size; ++i)
                intact = intact && static_cast<unsigned char*>(b.memory)[i] == b.fill;
            CSmallObjectPool::Free(b.memory, b.size);
        }
        return intact;
    };
    bool first = false;
    bool second = false;
    std::thread other([&] { second = fillAndCheck(7); });
    first = fillAndCheck(1);
    other.join();
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
}

// Closing a library and loading it again must not take new memory: the same
// objects made again, whether the pool was emptied meanwhile (and carves its
// chunks again) or not, lie in the memory the first ones had.
TEST(SmallObjectPoolTest, ObjectsMadeAgainReuseTheMemoryOfFreedOnes)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "every object comes from operator new in this build";
#else
    auto makeAll = [] {
        std::vector<void*> blocks;
        for (int round = 0; round < 3000; ++round)
            for (std::size_t size : { 8, 24, 40, 100, 512 })
                blocks.push_back(CSmallObjectPool::Allocate(size));
        return blocks;
    };
    auto freeAll = [](const std::vector<void*>& blocks) {
        std::size_t i = 0;
        for (int round = 0; round < 3000; ++round)
            for (std::size_t size : { 8, 24, 40, 100, 512 })
                CSmallObjectPool::Free(blocks[i++], size);
    };
    std::vector<void*> first = makeAll();
    freeAll(first);
    std::vector<void*> again = makeAll();
    freeAll(again);
    std::sort(first.begin(), first.end());
    std::sort(again.begin(), again.end());
    EXPECT_EQ(first, again);
#endif
}

} // namespace

// Arrays move between pool blocks and operator new as they grow past the
// pooled size and shrink back, each freed with the size it was taken with.
TEST(SmallObjectPoolTest, PooledVectorKeepsItsElementsAcrossEverySize)
{
    CPooledVector<std::size_t> values;
    for (std::size_t i = 0; i < 1000; ++i)
        values.push_back(i * 7);
    values.resize(10);
    values.shrink_to_fit();
    CPooledVector<std::size_t> copy = values;
    values.clear();
    values.shrink_to_fit();
    ASSERT_EQ(copy.size(), 10u);
    for (std::size_t i = 0; i < copy.size(); ++i)
        EXPECT_EQ(copy[i], i * 7);
}
