#include <gtest/gtest.h>

#include "data/store/MediaTypeSelection.h"
#include "tests/data/RecordBytes.h"

namespace {

using vemotest::LoadBytes;
using vemotest::StoreBytes;

std::vector<int> Shown(const CMediaTypeSelection& selection)
{
    std::vector<int> ids;
    for (int id = 0; id <= 100; ++id)
        if (selection.GetShow(id))
            ids.push_back(id);
    return ids;
}

TEST(MediaTypeSelectionTest, EmptySelection)
{
    CMediaTypeSelection selection;
    EXPECT_FALSE(selection.GetShow(3));
    EXPECT_FALSE(selection.HaveSelection());
    EXPECT_FALSE(selection.HaveMultiMedia());
    selection.SetShow(3, false);
    EXPECT_FALSE(selection.HaveSelection());
    selection.SetShow(3, true);
    EXPECT_TRUE(selection.HaveSelection());
    EXPECT_FALSE(selection.HaveMultiMedia());
    selection.SetShow(40, true);
    EXPECT_TRUE(selection.HaveMultiMedia());
}

TEST(MediaTypeSelectionTest, GroupSelections)
{
    CMediaTypeSelection selection;
    selection.SetShow(99, true);
    selection.SetShowAllPrintMedia();
    EXPECT_EQ(Shown(selection), (std::vector { 1, 11, 14, 99 }));
    selection.SetShowAllAudio();
    EXPECT_EQ(Shown(selection), (std::vector { 2, 3, 4, 5, 7, 9, 12, 13, 17, 18, 20, 99 }));
    selection.SetShowAllVideo();
    EXPECT_EQ(Shown(selection), (std::vector { 6, 8, 10, 16, 19, 21, 22, 23, 24, 99 }));
    selection.SetShowAll(true);
    EXPECT_EQ(Shown(selection).size(), 25u);
    selection.SetShowAll(false);
    EXPECT_EQ(Shown(selection), (std::vector { 99 }));
    EXPECT_EQ(selection.GetCount(), 25);
}

TEST(MediaTypeSelectionTest, Equality)
{
    CMediaTypeSelection explicitFalse;
    explicitFalse.SetShow(1, true);
    explicitFalse.SetShow(2, false);
    CMediaTypeSelection missing;
    missing.SetShow(1, true);
    EXPECT_FALSE(explicitFalse == missing);
    EXPECT_FALSE(missing == explicitFalse);
    missing.SetShow(3, false);
    EXPECT_TRUE(explicitFalse == missing); // counts equal, missing ids count as false
    missing.SetShow(3, true);
    EXPECT_FALSE(explicitFalse == missing);
    CMediaTypeSelection copy(missing);
    EXPECT_TRUE(copy == missing);
}

TEST(MediaTypeSelectionTest, RecordRoundTrip)
{
    CMediaTypeSelection selection;
    selection.SetShow(11, true);
    selection.SetShow(2, false);
    const std::string bytes = StoreBytes(selection);
    const std::string expected = std::string("\x01\x00\x11\x00\x00\x00\x02\x00\x00\x00", 10)
        + std::string("\x02\x00\x00\x00\x00\x00\x0B\x00\x00\x00\x01\x00", 12);
    EXPECT_EQ(bytes, expected);

    CMediaTypeSelection read;
    read.SetShow(5, true);
    EXPECT_EQ(LoadBytes(read, bytes), 0u);
    EXPECT_TRUE(read == selection);
    EXPECT_FALSE(read.GetShow(5));
    EXPECT_EQ(read.GetCount(), 2);

    std::string two = bytes;
    two[20] = 2;
    LoadBytes(read, two);
    EXPECT_FALSE(read.GetShow(11));

    CMediaTypeSelection target;
    target.SetShow(7, true);
    vemotest::ExpectTruncationsThrow(bytes, [&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_EQ(Shown(target), (std::vector { 7 }));
    EXPECT_EQ(target.GetCount(), 1);
}

} // namespace
