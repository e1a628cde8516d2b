#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/util/CompactText.h"

// Lengths on both sides of the one-byte length and of the pooled sizes.
TEST(CompactTextTest, KeepsEveryLengthThroughCopiesMovesAndSelfAssignment)
{
    for (std::size_t length : { 0, 1, 15, 254, 255, 256, 511, 512, 70000 }) {
        SCOPED_TRACE(length);
        std::string text(length, 'a');
        for (std::size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>('a' + i % 26);
        CCompactText compact(text);
        EXPECT_EQ(compact.View(), text);
        EXPECT_EQ(compact.empty(), text.empty());

        CCompactText copy(compact);
        CCompactText moved(std::move(copy));
        EXPECT_EQ(moved.View(), text);
        copy = moved;
        // A part of its own bytes, and all of them.
        moved = moved.View().substr(length / 2);
        EXPECT_EQ(moved.View(), text.substr(length / 2));
        copy = copy.View();
        EXPECT_EQ(copy.View(), text);
        copy = std::string_view();
        EXPECT_TRUE(copy.empty());
    }
}
