#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "data/model/Book.h"
#include "data/model/Category.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/MagazineIssue.h"
#include "data/model/ReportProperties.h"
#include "data/model/SpecialFeatures.h"
#include "platform/util/Archive.h"
#include "tests/data/model/TestMedia.h"

using namespace vemotest;

namespace {

class ItemTest : public ::testing::Test {
protected:
    CStoreFixture m_store;
};

TEST_F(ItemTest, ClassWithoutCategoriesKeepsIdZero)
{
    CTestAudioTrack track;
    track.SetCategoryID(CStoreFixture::AddCategory("Jazz"));
    EXPECT_EQ(track.GetCategoryID(), 0);
    EXPECT_FALSE(track.UsesCategory());
    EXPECT_EQ(track.GetCustomValues(), nullptr);
}

TEST_F(ItemTest, CategoryUseCountsFollowTheItem)
{
    const int jazz = CStoreFixture::AddCategory("Jazz");
    const int rock = CStoreFixture::AddCategory("Rock");
    CTestIssue issue;
    EXPECT_EQ(issue.GetCategoryID(), 1);
    ASSERT_NE(issue.GetCustomValues(), nullptr);

    issue.SetCategoryID(jazz);
    EXPECT_EQ(CStoreFixture::UseCount(jazz), 1);
    issue.SetCategoryID(rock);
    EXPECT_EQ(CStoreFixture::UseCount(jazz), 0);
    EXPECT_EQ(CStoreFixture::UseCount(rock), 1);
    // No category has an id below 1; such ids would turn categories off.
    issue.SetCategoryID(0);
    issue.SetCategoryID(-4);
    EXPECT_EQ(issue.GetCategoryID(), rock);

    CTestIssue copy(issue);
    EXPECT_EQ(copy.GetCategoryID(), rock);
    EXPECT_EQ(CStoreFixture::UseCount(rock), 2);
    CTestIssue other;
    other.SetCategoryID(jazz);
    other = issue;
    EXPECT_EQ(other.GetCategoryID(), rock);
    EXPECT_EQ(CStoreFixture::UseCount(jazz), 0);
    EXPECT_EQ(CStoreFixture::UseCount(rock), 3);
}

TEST_F(ItemTest, SubItemCategoriesCountWhileTheSubItemsLive)
{
    const int news = CStoreFixture::AddCategory("News");
    auto issue = std::make_unique<CTestIssue>();
    auto* article = new CTestArticle;
    article->SetCategoryID(news);
    issue->AddSubItem(article);
    EXPECT_EQ(article->GetParent(), issue.get());
    EXPECT_EQ(CStoreFixture::UseCount(news), 1);

    auto copy = std::make_unique<CTestIssue>(*issue);
    EXPECT_EQ(CStoreFixture::UseCount(news), 2);
    issue->DeleteSubItem(article);
    EXPECT_EQ(issue->GetSubItemCount(), 0);
    EXPECT_EQ(CStoreFixture::UseCount(news), 1);
    copy.reset();
    EXPECT_EQ(CStoreFixture::UseCount(news), 0);
}

// An article keeps its category in place; a track only when its record
// brings one. Either way copies, use counts and records are an item's.
TEST_F(ItemTest, SubItemCategoriesBehaveWhereverTheyAreKept)
{
    const int news = CStoreFixture::AddCategory("News");
    CArchive valuesRecord;
    CCustomValueMgr values;
    CCustomValue* value = new CCustomValue(CCustomValue::stringValue);
    value->SetValue(CString("v"));
    values.SetAt(0, value);
    values.Serialize(valuesRecord);
    CTestAudioTrack plain;
    std::string trackRecord = Store(plain);
    trackRecord.replace(2, 4, std::string(reinterpret_cast<const char*>(&news), 4));
    trackRecord.insert(6, valuesRecord.GetBuffer());

    CTestAudioTrack track;
    ASSERT_TRUE(Load(track, trackRecord));
    EXPECT_EQ(Store(track), trackRecord);
    CMagazineArticle article;
    article.SetCategoryID(news);
    article.GetCustomValues()->SetAt(0, value = new CCustomValue(*value));
    EXPECT_EQ(CStoreFixture::UseCount(news), 2);

    CTestAudioTrack trackCopy(track);
    CMagazineArticle articleCopy(article);
    CMagazineArticle assigned;
    assigned = article;
    EXPECT_EQ(CStoreFixture::UseCount(news), 5);
    for (const CItem* item : std::initializer_list<const CItem*> { &trackCopy, &articleCopy, &assigned }) {
        EXPECT_EQ(item->GetCategoryID(), news);
        ASSERT_NE(item->GetCustomValues(), nullptr);
        EXPECT_EQ(item->GetCustomValues()->GetValueCount(), 1);
    }
    EXPECT_EQ(Store(trackCopy), trackRecord);
    EXPECT_EQ(Store(assigned), Store(article));
    CMagazineArticle loaded;
    ASSERT_TRUE(Load(loaded, Store(article)));
    EXPECT_EQ(Store(loaded), Store(article));
}

TEST_F(ItemTest, AddingAndDeletingIgnoresNullStrangersAndRepeats)
{
    CTestAudioTrackMedia cd;
    CTestAudioTrack* track = cd.AddTrack(1, 1, "One");
    cd.AddSubItem(nullptr);
    cd.AddSubItem(track);
    EXPECT_EQ(cd.GetSubItemCount(), 1);
    CTestAudioTrack stranger;
    cd.DeleteSubItem(&stranger);
    cd.DeleteSubItem(nullptr);
    EXPECT_EQ(cd.GetSubItemCount(), 1);
    cd.DeleteSubItems();
    EXPECT_EQ(cd.GetSubItemCount(), 0);
}

TEST_F(ItemTest, AnItemIsNoDuplicateOfItself)
{
    CTestAudioTrackMedia cd;
    EXPECT_FALSE(cd == cd);
    CTestAudioTrack* one = cd.AddTrack(1, 1, "One");
    EXPECT_FALSE(*one == *one);
    CTestAudioTrack* same = cd.AddTrack(1, 1, "One");
    EXPECT_TRUE(*one == *same);

    CTestAudioTrackMedia otherCd;
    otherCd.SetTitle("Other");
    CTestAudioTrack* elsewhere = otherCd.AddTrack(1, 1, "One");
    EXPECT_FALSE(*one == *elsewhere);
    otherCd.SetTitle(cd.GetTitle());
    EXPECT_TRUE(*one == *elsewhere);
}

struct SignificantCase {
    const char* title;
    const char* description;
    bool withSubItem;
    bool expected;
};

class SignificantDataTest : public ItemTest, public ::testing::WithParamInterface<SignificantCase> { };

TEST_P(SignificantDataTest, DecidesByTitleDescriptionAndSubItems)
{
    const SignificantCase& c = GetParam();
    CTestAudioTrackMedia cd;
    cd.SetTitle(c.title);
    cd.SetDescription(c.description);
    if (c.withSubItem)
        cd.AddTrack(1, 1, "");
    EXPECT_EQ(cd.HasSignificantData(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SignificantDataTest,
    ::testing::Values(SignificantCase { "", "", false, false }, SignificantCase { " \t ", "", false, false },
        SignificantCase { "copy of ", "", false, false }, SignificantCase { "\"copy of \"", "", false, false },
        SignificantCase { "copy of Dune", "", false, true }, SignificantCase { "Dune", "", false, true },
        SignificantCase { "", "notes", false, true }, SignificantCase { "copy of ", "", true, true }));

class CopyTest : public ItemTest {
protected:
    void SetUp() override
    {
        m_source.SetTitle("Dune");
        m_source.SetArtist("Herbert");
        m_source.SetYearPublished(1965);
        m_source.SetPrice(12.5);
        m_source.SetMediaSize(3000);
        auto* loan = new CCheckOutState;
        loan->SetCheckedOutDate(COleDateTime(2024, 3, 1, 10, 0, 0));
        m_source.GetCheckOut()->Add(loan);
        m_source.GetReportProperties()->SetImageFile("/pics/dune.png");
        m_source.GetReportProperties()->SetImageWidth(90);
        CCustomValue* value = new CCustomValue(CCustomValue::stringValue);
        value->SetValue(CString("signed"));
        m_source.GetCustomValues()->SetAt(2, value);
        m_source.AddTrack(1, 1, "Arrakis", 300);
        m_source.AddTrack(2, 4, "Caladan", 200);
    }

    void ExpectCopyOfSource(CTestAudioTrackMedia& copy)
    {
        EXPECT_EQ(copy.GetTitle(), "copy of Dune");
        EXPECT_EQ(copy.GetArtist(), "Herbert");
        EXPECT_EQ(copy.GetYearPublished(), 1965);
        EXPECT_EQ(copy.GetPrice(), 12.5);
        EXPECT_EQ(copy.GetMediaSize(), 3000);
        ASSERT_NE(copy.GetCheckOut(), nullptr);
        EXPECT_NE(copy.GetCheckOut(), m_source.GetCheckOut());
        EXPECT_EQ(copy.GetCheckOut()->GetEntryCount(), 0);
        ASSERT_NE(copy.GetReportProperties(), nullptr);
        EXPECT_NE(copy.GetReportProperties(), m_source.GetReportProperties());
        EXPECT_TRUE(*copy.GetReportProperties() == *m_source.GetReportProperties());
        ASSERT_NE(copy.GetCustomValues(), nullptr);
        EXPECT_NE(copy.GetCustomValues(), m_source.GetCustomValues());
        ASSERT_NE(copy.GetCustomValues()->GetValueAt(2), nullptr);
        EXPECT_NE(copy.GetCustomValues()->GetValueAt(2), m_source.GetCustomValues()->GetValueAt(2));
        EXPECT_EQ(copy.GetCustomValues()->GetValueAt(2)->GetStringValue(), "signed");

        ASSERT_EQ(copy.GetSubItemCount(), 2);
        POSITION mine = copy.GetHeadSubItem();
        POSITION theirs = m_source.GetHeadSubItem();
        while (mine) {
            const auto* track = static_cast<CTestAudioTrack*>(copy.GetNextSubItem(mine));
            const auto* original = static_cast<CTestAudioTrack*>(m_source.GetNextSubItem(theirs));
            EXPECT_NE(track, original);
            EXPECT_EQ(track->GetParent(), &copy);
            EXPECT_EQ(track->GetTitle(), original->GetTitle());
            EXPECT_EQ(track->GetTrack(), original->GetTrack());
            EXPECT_EQ(track->GetDisc(), original->GetDisc());
            EXPECT_EQ(track->GetLength(), original->GetLength());
        }
    }

    CTestAudioTrackMedia m_source;
};

TEST_F(CopyTest, CopyConstructionCopiesDataButNotTheLendingHistory)
{
    CTestAudioTrackMedia copy(m_source);
    ExpectCopyOfSource(copy);
    std::unique_ptr<CMediaItem> clone(m_source.Clone());
    EXPECT_EQ(clone->GetTitle(), "copy of Dune");
    EXPECT_EQ(clone->GetSubItemCount(), 2);
}

TEST_F(CopyTest, AssignmentReplacesTheSubItems)
{
    CTestAudioTrackMedia target;
    target.AddTrack(1, 1, "Old one");
    target.AddTrack(1, 2, "Old two");
    target.AddTrack(1, 3, "Old three");
    target = m_source;
    ExpectCopyOfSource(target);

    CTestAudioTrackMedia& alias = target;
    target = alias;
    EXPECT_EQ(target.GetSubItemCount(), 2);
    EXPECT_EQ(target.GetTitle(), "copy of Dune");
}

TEST_F(CopyTest, SubItemAssignmentLeavesTheCopyWithoutParent)
{
    CTestAudioTrack loose;
    POSITION pos = m_source.GetHeadSubItem();
    const auto* first = static_cast<CTestAudioTrack*>(m_source.GetNextSubItem(pos));
    loose = *first;
    EXPECT_EQ(loose.GetParent(), nullptr);
    EXPECT_EQ(loose.GetTitle(), "Arrakis");
    CTestAudioTrack copied(*first);
    EXPECT_EQ(copied.GetParent(), nullptr);
}

TEST_F(ItemTest, UniqueDescriptionNamesMediaIdArtistAndTitle)
{
    CTestAudioTrackMedia cd;
    EXPECT_EQ(cd.GetUniqueDescription(true, ""), "[CD] ");
    cd.SetTitle("Blue");
    EXPECT_EQ(cd.GetUniqueDescription(false, ""), "\"Blue\"");
    cd.SetLibraryID("CD-7");
    cd.SetArtist("Joni");
    EXPECT_EQ(cd.GetUniqueDescription(true, ""), "[CD] CD-7: Joni - \"Blue\"");
    cd.SetTitle("");
    EXPECT_EQ(cd.GetUniqueDescription(false, ""), "CD-7: Joni");

    CTestTape tape;
    tape.SetArtist("Mix");
    tape.SetTitle("Summer");
    EXPECT_EQ(tape.GetUniqueDescription(true, ""), "[Cassette Tape] Mix - \"Summer\"");
}

TEST_F(ItemTest, SortOrderIsAppliedWhenItChangesOrIsForced)
{
    CTestAudioTrackMedia cd;
    cd.AddTrack(2, 1, "b");
    cd.AddTrack(1, 2, "C");
    cd.AddTrack(1, 1, "a");
    auto titles = [&] {
        CString all;
        for (POSITION pos = cd.GetHeadSubItem(); pos;)
            all += static_cast<CTrack*>(cd.GetNextSubItem(pos))->GetTitle();
        return all;
    };
    cd.SetSubItemSortOrder(CMediaUtils::MEDIA_PROP_DISCNUMBER, false);
    EXPECT_EQ(titles(), "bCa");
    cd.SetSubItemSortOrder(CMediaUtils::MEDIA_PROP_DISCNUMBER, true);
    EXPECT_EQ(titles(), "aCb");
    cd.SetSubItemSortOrder(CMediaUtils::MEDIA_PROP_TRACKTITLE, false);
    EXPECT_EQ(titles(), "abC");
    cd.SetSubItemSortOrder(CMediaUtils::MEDIA_PROP_TRACKNUMBER, false);
    EXPECT_EQ(titles(), "abC");
    EXPECT_EQ(cd.GetSubItemSortOrder(), CMediaUtils::MEDIA_PROP_TRACKNUMBER);
    cd.SetSubItemSortOrder("Unknown order", false);
    EXPECT_EQ(titles(), "abC");
}

} // namespace

namespace {

struct SubItemOrderCase {
    const char* name;
    std::function<void(CTestAudioTrackMedia&)> edit;
    const char* titles; // in list order afterwards
};

class SubItemOrderTest : public ItemTest, public ::testing::WithParamInterface<SubItemOrderCase> { };

TEST_P(SubItemOrderTest, PositionsFollowTheEdit)
{
    CTestAudioTrackMedia cd;
    for (const char* title : { "a", "b", "c", "d" })
        cd.AddTrack(1, 1, title);
    GetParam().edit(cd);
    CString titles;
    for (POSITION pos = cd.GetHeadSubItem(); pos;)
        titles += static_cast<CTrack*>(cd.GetNextSubItem(pos))->GetTitle();
    EXPECT_EQ(titles, GetParam().titles);
    for (int i = 0; i < cd.GetSubItemCount(); ++i)
        EXPECT_EQ(cd.FindSubItem(cd.GetSubItemAt(i)), i);
}

INSTANTIATE_TEST_SUITE_P(Edits, SubItemOrderTest,
    ::testing::Values(SubItemOrderCase { "InsertFirst",
                          [](auto& cd) { cd.InsertSubItem(-3, new CTestAudioTrack(1, 1, "x")); }, "xabcd" },
        SubItemOrderCase {
            "InsertMiddle", [](auto& cd) { cd.InsertSubItem(2, new CTestAudioTrack(1, 1, "x")); }, "abxcd" },
        SubItemOrderCase {
            "InsertPastEnd", [](auto& cd) { cd.InsertSubItem(9, new CTestAudioTrack(1, 1, "x")); }, "abcdx" },
        SubItemOrderCase { "MoveForward", [](auto& cd) { cd.MoveSubItem(0, 2); }, "bcad" },
        SubItemOrderCase { "MoveToEnd", [](auto& cd) { cd.MoveSubItem(1, 3); }, "acdb" },
        SubItemOrderCase { "MoveBack", [](auto& cd) { cd.MoveSubItem(3, 1); }, "adbc" },
        SubItemOrderCase { "MoveOutside", [](auto& cd) { EXPECT_FALSE(cd.MoveSubItem(1, 4)); }, "abcd" },
        SubItemOrderCase { "DeleteMiddle", [](auto& cd) { cd.DeleteSubItem(cd.GetSubItemAt(1)); }, "acd" },
        SubItemOrderCase { "DeleteLast", [](auto& cd) { cd.DeleteSubItem(cd.GetSubItemAt(3)); }, "abc" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ItemTest, SeldomFilledTextsKeepTheirReferencesAndCopyDeeply)
{
    CBook book;
    EXPECT_EQ(book.GetCoAuthor(), "");
    book.SetEdition("");
    book.SetCoAuthor("Ann");
    const CString& coAuthor = book.GetCoAuthor();
    book.SetEdition("2nd");
    book.SetEFileURL("file:///b.pdf");
    EXPECT_EQ(coAuthor, "Ann");

    CBook copy(book);
    copy.SetCoAuthor("Bo");
    EXPECT_EQ(coAuthor, "Ann");
    EXPECT_EQ(copy.GetEdition(), "2nd");

    // Assigning a book without these texts empties them in place.
    book = CBook();
    EXPECT_EQ(coAuthor, "");
    EXPECT_EQ(book.GetEdition(), "");
    EXPECT_EQ(copy.GetEFileURL(), "file:///b.pdf");
}

} // namespace
