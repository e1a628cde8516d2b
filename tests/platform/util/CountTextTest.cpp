#include "platform/util/CountText.h"

#include <gtest/gtest.h>

namespace {

struct CCountCase {
    std::int64_t count;
    const char* singular;
    const char* plural;
    bool grouping;
    const char* expected;
};

class CountTextTest : public testing::TestWithParam<CCountCase> { };

TEST_P(CountTextTest, SingularOnlyForExactlyOne)
{
    const CCountCase& c = GetParam();
    EXPECT_EQ(CCountText::Of(c.count, c.singular, c.plural, c.grouping), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Counts, CountTextTest,
    testing::Values(CCountCase { 0, "item", "", false, "0 items" }, CCountCase { 1, "item", "", false, "1 item" },
        CCountCase { 2, "item", "", false, "2 items" }, CCountCase { -1, "row", "", false, "-1 rows" },
        CCountCase { 1, "entry", "entries", false, "1 entry" },
        CCountCase { 3, "entry", "entries", false, "3 entries" },
        CCountCase { 12345, "item", "", true, "12,345 items" },
        CCountCase { 1000, "copy", "copies", false, "1000 copies" }));

} // namespace
