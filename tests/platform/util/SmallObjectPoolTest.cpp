#include <gtest/gtest.h>

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

// Objects of every size, from two threads at once, never share a byte; a
// freed block is handed out again for its size in pooled builds.
TEST(SmallObjectPoolTest, BlocksNeverOverlapAndAreReused)
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

#if !defined(__SANITIZE_ADDRESS__)
    void* a = CSmallObjectPool::Allocate(80);
    CSmallObjectPool::Free(a, 80);
    EXPECT_EQ(CSmallObjectPool::Allocate(73), a); // the same size class
    CSmallObjectPool::Free(a, 73);
#endif
}

} // namespace
