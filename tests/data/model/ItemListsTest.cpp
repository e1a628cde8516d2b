#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "data/model/ItemLists.h"
#include "tests/data/model/TestMedia.h"

using namespace vemotest;

namespace {

// Sub-items keyed by length; the title records the input position so
// that order among equal keys can be checked.
class ListSortTest : public ::testing::Test {
protected:
    void Fill(const std::vector<int>& keys)
    {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            m_items.push_back(std::make_unique<CTestAudioTrack>(1, 1, std::to_string(i), keys[i]));
            m_list.AddTail(m_items.back().get());
        }
    }
    static int ByKey(const CMediaSubItem* a, const CMediaSubItem* b)
    {
        const int ka = static_cast<const CTrack*>(a)->GetLength();
        const int kb = static_cast<const CTrack*>(b)->GetLength();
        return ka < kb ? -1 : (ka > kb ? 1 : 0);
    }
    std::vector<int> Keys() const
    {
        std::vector<int> keys;
        for (const CMediaSubItem* item : m_list)
            keys.push_back(static_cast<const CTrack*>(item)->GetLength());
        return keys;
    }
    std::vector<std::string> Positions() const
    {
        std::vector<std::string> positions;
        for (const CMediaSubItem* item : m_list)
            positions.emplace_back(static_cast<const CTrack*>(item)->GetTitle());
        return positions;
    }
    // Sorted, and holding exactly the original objects.
    void ExpectSorted(std::vector<int> keys)
    {
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(Keys(), keys);
        std::vector<const CMediaSubItem*> held(m_list.begin(), m_list.end());
        std::vector<const CMediaSubItem*> original;
        for (const auto& item : m_items)
            original.push_back(item.get());
        std::sort(held.begin(), held.end());
        std::sort(original.begin(), original.end());
        EXPECT_EQ(held, original);
        // The links both ways still agree.
        INT_PTR backwards = 0;
        for (POSITION pos = m_list.GetTailPosition(); pos; m_list.GetPrev(pos))
            ++backwards;
        EXPECT_EQ(backwards, m_list.GetCount());
    }

    std::vector<std::unique_ptr<CTestAudioTrack>> m_items;
    CMediaSubItemList m_list;
};

TEST_F(ListSortTest, FewElementsKeepTheOrderOfEqualKeys)
{
    Fill({ 3, 1, 3, 2, 1, 3, 2, 1, 3 });
    m_list.Sort(ByKey);
    EXPECT_EQ(Keys(), (std::vector<int> { 1, 1, 1, 2, 2, 3, 3, 3, 3 }));
    EXPECT_EQ(Positions(), (std::vector<std::string> { "1", "4", "7", "3", "6", "0", "2", "5", "8" }));
    EXPECT_EQ(m_list.GetLastCompareFunc(), &ByKey);
}

TEST_F(ListSortTest, NineEqualElementsStayInPlace)
{
    Fill(std::vector<int>(9, 5));
    m_list.Sort(ByKey);
    EXPECT_EQ(Positions(), (std::vector<std::string> { "0", "1", "2", "3", "4", "5", "6", "7", "8" }));
}

TEST_F(ListSortTest, NullCompareLeavesTheListAsItIs)
{
    Fill({ 4, 2, 9, 1, 7, 3, 8, 6, 5, 10, 11 });
    m_list.Sort(nullptr);
    EXPECT_EQ(Keys(), (std::vector<int> { 4, 2, 9, 1, 7, 3, 8, 6, 5, 10, 11 }));
    EXPECT_EQ(m_list.GetLastCompareFunc(), nullptr);
}

struct SortCase {
    const char* name;
    int count;
    int distinct; // keys drawn from 1..distinct; 0 for ascending, -1 for descending
};

class ListSortCaseTest : public ListSortTest, public ::testing::WithParamInterface<SortCase> { };

TEST_P(ListSortCaseTest, SortsAnyInput)
{
    const SortCase& c = GetParam();
    std::vector<int> keys;
    std::mt19937 random(42);
    for (int i = 0; i < c.count; ++i) {
        if (c.distinct == 0)
            keys.push_back(i + 1);
        else if (c.distinct < 0)
            keys.push_back(c.count - i);
        else
            keys.push_back(1 + static_cast<int>(random() % c.distinct));
    }
    Fill(keys);
    m_list.Sort(ByKey);
    ExpectSorted(keys);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ListSortCaseTest,
    ::testing::Values(SortCase { "Ten", 10, 10 }, SortCase { "ElevenTwoKeys", 11, 2 },
        SortCase { "TenAllEqual", 10, 1 }, SortCase { "ManyEqual", 1000, 3 }, SortCase { "Random", 5000, 100000 },
        SortCase { "Sorted", 2000, 0 }, SortCase { "Reverse", 2000, -1 }, SortCase { "HugeAllEqual", 100000, 1 },
        SortCase { "HugeSorted", 100000, 0 }, SortCase { "HugeReverse", 100000, -1 },
        SortCase { "HugeFewKeys", 100000, 7 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MediaItemListSort, SortsMediaByTheirOwnComparison)
{
    std::vector<std::unique_ptr<CTestVideo>> media;
    CMediaItemList list;
    const int years[] = { 1999, 1980, 2005, 1980, 1975, 2020, 1999, 1960, 2001, 1980, 1990, 1985 };
    for (int year : years) {
        media.push_back(std::make_unique<CTestVideo>());
        media.back()->SetYearPublished(year);
        list.AddTail(media.back().get());
    }
    auto byYear = [](const CMediaItem* a, const CMediaItem* b) {
        return a->GetYearPublished() < b->GetYearPublished() ? -1 : (a->GetYearPublished() > b->GetYearPublished());
    };
    list.Sort(byYear);
    std::vector<int> sorted;
    for (const CMediaItem* item : list)
        sorted.push_back(item->GetYearPublished());
    std::vector<int> expected(std::begin(years), std::end(years));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);

    CMediaItemList few;
    few.AddTail(media[0].get());
    few.AddTail(media[1].get());
    few.Sort(byYear);
    EXPECT_EQ(few.GetHead(), media[1].get());
}

} // namespace
