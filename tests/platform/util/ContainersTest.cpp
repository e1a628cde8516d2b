#include "platform/util/VemoTypes.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/util/UIntToStringMap.h"

namespace {

using IntList = CList<int, int>;

IntList MakeList(std::initializer_list<int> values)
{
    IntList list;
    for (int v : values)
        list.AddTail(v);
    return list;
}

// Walks forward and backward, so broken links in either direction show.
std::vector<int> Forward(const IntList& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos));
    std::vector<int> back;
    for (POSITION pos = list.GetTailPosition(); pos;)
        back.insert(back.begin(), list.GetPrev(pos));
    EXPECT_EQ(out, back);
    EXPECT_EQ(static_cast<std::size_t>(list.GetCount()), out.size());
    return out;
}

TEST(CListTest, PositionsSurviveInsertAndRemoveOfOthers)
{
    IntList list = MakeList({ 1, 2, 3 });
    POSITION two = list.Find(2);
    ASSERT_NE(two, nullptr);
    list.InsertBefore(two, 10);
    list.InsertAfter(two, 20);
    list.RemoveAt(list.Find(1));
    list.RemoveAt(list.Find(3));
    EXPECT_EQ(list.GetAt(two), 2);
    EXPECT_EQ(Forward(list), (std::vector<int> { 10, 2, 20 }));

    // Null positions insert at the ends; RemoveAt(null) does nothing.
    list.InsertBefore(nullptr, 0);
    list.InsertAfter(nullptr, 99);
    list.RemoveAt(nullptr);
    EXPECT_EQ(Forward(list), (std::vector<int> { 0, 10, 2, 20, 99 }));
}

TEST(CListTest, RemoveDuringWalk)
{
    IntList list = MakeList({ 1, 2, 3, 4, 5, 6 });
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION here = pos;
        if (list.GetNext(pos) % 2 == 0)
            list.RemoveAt(here);
    }
    EXPECT_EQ(Forward(list), (std::vector<int> { 1, 3, 5 }));
    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 5);
    EXPECT_EQ(list.RemoveHead(), 3);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    list.AddHead(7);
    EXPECT_EQ(Forward(list), std::vector<int> { 7 });
}

// GetNext has already moved on when the caller acts on an element, so what
// goes in right after it is not visited, while what goes in further on is.
TEST(CListTest, InsertDuringWalk)
{
    IntList list = MakeList({ 1, 3 });
    std::vector<int> seen;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION here = pos;
        int v = list.GetNext(pos);
        seen.push_back(v);
        if (v == 1) {
            list.InsertAfter(here, 2);
            list.AddTail(4);
        }
    }
    EXPECT_EQ(seen, (std::vector<int> { 1, 3, 4 }));
    EXPECT_EQ(Forward(list), (std::vector<int> { 1, 2, 3, 4 }));
}

TEST(CListTest, FindAndFindIndex)
{
    IntList list = MakeList({ 5, 6, 5 });
    POSITION first = list.Find(5);
    POSITION second = list.Find(5, first);
    EXPECT_NE(first, second);
    EXPECT_EQ(list.Find(5, second), nullptr);
    EXPECT_EQ(list.Find(9), nullptr);
    EXPECT_EQ(list.FindIndex(0), first);
    EXPECT_EQ(list.FindIndex(2), second);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(IntList().FindIndex(0), nullptr);
}

struct MoveCase {
    int move;
    int before; // -1: to the end
    std::vector<int> expected;
};

class CListMoveBeforeTest : public ::testing::TestWithParam<MoveCase> { };

TEST_P(CListMoveBeforeTest, RelinksWithoutCopying)
{
    const MoveCase& c = GetParam();
    IntList list = MakeList({ 1, 2, 3, 4 });
    POSITION node = list.Find(c.move);
    list.MoveBefore(node, c.before < 0 ? nullptr : list.Find(c.before));
    EXPECT_EQ(Forward(list), c.expected);
    EXPECT_EQ(list.GetAt(node), c.move); // the same node moved
}

INSTANTIATE_TEST_SUITE_P(Cases, CListMoveBeforeTest,
    ::testing::Values(MoveCase { 4, 1, { 4, 1, 2, 3 } }, MoveCase { 1, -1, { 2, 3, 4, 1 } },
        MoveCase { 1, 3, { 2, 1, 3, 4 } }, MoveCase { 3, 2, { 1, 3, 2, 4 } }, MoveCase { 2, 2, { 1, 2, 3, 4 } },
        MoveCase { 2, 3, { 1, 2, 3, 4 } }, MoveCase { 4, -1, { 1, 2, 3, 4 } }));

TEST(CListTest, SpliceTailMovesNodes)
{
    IntList a = MakeList({ 1, 2 });
    IntList b = MakeList({ 3, 4 });
    POSITION three = b.GetHeadPosition();
    a.SpliceTail(b);
    EXPECT_EQ(Forward(a), (std::vector<int> { 1, 2, 3, 4 }));
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(a.GetAt(three), 3);
    a.SpliceTail(b);
    EXPECT_EQ(a.GetCount(), 4);

    IntList empty;
    empty.SpliceTail(a);
    EXPECT_EQ(Forward(empty), (std::vector<int> { 1, 2, 3, 4 }));
    EXPECT_TRUE(a.IsEmpty());
    empty.AddTail(5); // the tail link is right after the splice
    EXPECT_EQ(Forward(empty), (std::vector<int> { 1, 2, 3, 4, 5 }));
}

TEST(CListTest, CopyAndMoveAreDeep)
{
    CStringList a;
    a.AddTail("x");
    a.AddTail("y");
    CStringList copy = a;
    copy.GetHead() = "changed";
    EXPECT_EQ(a.GetHead(), "x");
    CStringList moved = std::move(copy);
    EXPECT_EQ(moved.GetCount(), 2);
    CStringList& self = a;
    a = self; // self-assignment keeps the content
    EXPECT_EQ(a.GetCount(), 2);
    a.AddHead(moved);
    EXPECT_EQ(std::vector<CString>(a.begin(), a.end()), (std::vector<CString> { "changed", "y", "x", "y" }));
}

TEST(CArrayTest, GrowInsertAndRemoveBounds)
{
    CUIntArray arr;
    arr.SetAtGrow(3, 7);
    EXPECT_EQ(std::vector<UINT>(arr.begin(), arr.end()), (std::vector<UINT> { 0, 0, 0, 7 }));
    EXPECT_EQ(arr.GetUpperBound(), 3);
    arr.SetAtGrow(1, 5);
    EXPECT_EQ(arr.GetSize(), 4);
    arr.InsertAt(6, 9);
    EXPECT_EQ(std::vector<UINT>(arr.begin(), arr.end()), (std::vector<UINT> { 0, 5, 0, 7, 0, 0, 9 }));
    arr.InsertAt(0, 1, 2);
    EXPECT_EQ(arr.GetAt(0), 1u);
    EXPECT_EQ(arr.GetAt(1), 1u);

    CUIntArray before = arr;
    arr.RemoveAt(-1);
    arr.RemoveAt(arr.GetSize());
    arr.RemoveAt(0, 0);
    EXPECT_EQ(arr, before);
    arr.RemoveAt(7, 100); // clipped at the end
    EXPECT_EQ(arr.GetSize(), 7);
    arr.RemoveAt(0, 2);
    EXPECT_EQ(arr.GetAt(0), 0u);
    EXPECT_THROW(arr.GetAt(arr.GetSize()), std::out_of_range);
    EXPECT_THROW(arr.SetAt(-1, 1), std::out_of_range);
    arr.SetSize(-3);
    EXPECT_TRUE(arr.IsEmpty());
}

TEST(CMapTest, LookupAndOrderedIteration)
{
    CUINTToStringMap map;
    map.SetAt(30, "c");
    map.SetAt(10, "a");
    map.SetAt(20, "b");
    map.SetAt(10, "A");
    CString value;
    EXPECT_TRUE(map.Lookup(10, value));
    EXPECT_EQ(value, "A");
    EXPECT_FALSE(map.Lookup(11, value));
    EXPECT_EQ(value, "A");
    EXPECT_EQ(map.PLookup(11), nullptr);
    ASSERT_NE(map.PLookup(20), nullptr);
    *map.PLookup(20) = "B";
    std::vector<UINT> keys;
    CString values;
    for (const auto& [k, v] : map) {
        keys.push_back(k);
        values += v;
    }
    EXPECT_EQ(keys, (std::vector<UINT> { 10, 20, 30 }));
    EXPECT_EQ(values, "ABc");
    EXPECT_TRUE(map.RemoveKey(20));
    EXPECT_FALSE(map.RemoveKey(20));
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.Contains(30));
}

} // namespace
