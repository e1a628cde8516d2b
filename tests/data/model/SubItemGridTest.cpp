#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/CDRec.h"
#include "data/model/Cassette.h"
#include "data/model/CassetteRecording.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaFactory.h"
#include "data/model/SubItemGrid.h"
#include "data/model/VideoTape.h"
#include "tests/data/model/TestMedia.h"

using Field = CSubItemGrid::Field;

namespace {

class SubItemGridTest : public ::testing::Test {
protected:
    // The counter setting is process-wide.
    void TearDown() override { CCassetteRecording::SetUseTimedCounter(false); }

    vemotest::CStoreFixture m_store;
};

CString Headers(const CMediaItem& item)
{
    CString text;
    for (const CSubItemGrid::Column& column : CSubItemGrid::GetColumns(item))
        text += (text.empty() ? "" : "|") + column.header;
    return text;
}

const CSubItemGrid::Column& ColumnOf(const CMediaItem& item, Field field)
{
    static std::vector<CSubItemGrid::Column> columns;
    columns = CSubItemGrid::GetColumns(item);
    for (const CSubItemGrid::Column& column : columns)
        if (column.field == field)
            return column;
    throw std::runtime_error("no such column");
}

// Track numbers by row, disc-qualified when the medium has several discs.
std::vector<CString> Numbers(const CMediaItem& item)
{
    std::vector<CString> numbers;
    for (int row = 0; row < item.GetSubItemCount(); ++row) {
        const CMediaSubItem& sub = *item.GetSubItemAt(row);
        const CString disc = CSubItemGrid::GetText(sub, Field::Disc);
        const CString number
            = CSubItemGrid::GetText(sub, dynamic_cast<const CBookChapter*>(&sub) ? Field::Chapter : Field::Track);
        numbers.push_back((disc.empty() ? "" : disc + ".") + number + " " + CSubItemGrid::GetText(sub, Field::Title));
    }
    return numbers;
}

CCDTrack* Track(CCD& cd, int disc, int number, const CString& title, int length = 0)
{
    auto* track = new CCDTrack;
    track->SetDisc(disc);
    track->SetTrack(number);
    track->SetTitle(title);
    track->SetLength(length);
    cd.AddSubItem(track);
    return track;
}

struct ColumnsCase {
    int mediaType;
    const char* headers;
};

class SubItemColumnsTest : public SubItemGridTest, public ::testing::WithParamInterface<ColumnsCase> { };

TEST_P(SubItemColumnsTest, FollowTheSubItemClass)
{
    const std::unique_ptr<CMediaItem> item(CMediaFactory::CreateMediaItem(GetParam().mediaType));
    EXPECT_EQ(Headers(*item), GetParam().headers);
}

INSTANTIATE_TEST_SUITE_P(Types, SubItemColumnsTest,
    ::testing::Values(ColumnsCase { CMediaUtils::MEDIA_BOOK, "Chapter|Title|Description" },
        ColumnsCase { CMediaUtils::MEDIA_MAGAZINE, "Page|Title|Subtitle|Author|Series Number|Category|Description" },
        ColumnsCase { CMediaUtils::MEDIA_CD, "Disc|Track|Title|Length" },
        ColumnsCase { CMediaUtils::MEDIA_8TRACK, "Disc|Track|Title|Length" },
        ColumnsCase { CMediaUtils::MEDIA_CDREC, "Track|Title|Length|Source|Recorded" },
        // Cassettes place recordings by side and counter, DATs number them too.
        ColumnsCase { CMediaUtils::MEDIA_CASSETTE, "Side|Counter|Title|Length|Source|Recorded" },
        ColumnsCase { CMediaUtils::MEDIA_DAT, "Side|Counter|Track|Title|Length|Source|Recorded" },
        ColumnsCase { CMediaUtils::MEDIA_VIDEOTAPE, "Track|Counter|Title|Length|Source|Recorded" },
        ColumnsCase { CMediaUtils::MEDIA_DVD, "" }, ColumnsCase { CMediaUtils::MEDIA_SOFTWARE, "" }));

struct EditCase {
    int mediaType;
    Field field;
    const char* typed;
    const char* shown;
    bool corrected;
};

class SubItemEditTest : public SubItemGridTest, public ::testing::WithParamInterface<EditCase> { };

TEST_P(SubItemEditTest, TypedTextIsCheckedAndShownAsStored)
{
    const EditCase& c = GetParam();
    CCassetteRecording::SetUseTimedCounter(true);
    const std::unique_ptr<CMediaItem> item(CMediaFactory::CreateMediaItem(c.mediaType));
    CMediaSubItem* sub = CSubItemGrid::Insert(*item, 0);
    ASSERT_NE(sub, nullptr);
    const CSubItemGrid::Edit edit = CSubItemGrid::SetText(*sub, ColumnOf(*item, c.field), c.typed);
    EXPECT_EQ(CSubItemGrid::GetText(*sub, c.field), c.shown);
    EXPECT_EQ(!edit.message.empty(), c.corrected) << edit.message;
    if (c.corrected) {
        EXPECT_NE(edit.message.find(CString("\"") + c.typed + "\""), CString::npos) << edit.message;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SubItemEditTest,
    ::testing::Values(EditCase { CMediaUtils::MEDIA_CD, Field::Length, "3:25", "03:25", false },
        EditCase { CMediaUtils::MEDIA_CD, Field::Length, "1.02.03", "62:03", false },
        EditCase { CMediaUtils::MEDIA_CD, Field::Length, "1:90", "01:59", true },
        EditCase { CMediaUtils::MEDIA_CD, Field::Length, "3 min", "", true },
        EditCase { CMediaUtils::MEDIA_CD, Field::Length, "", "", false },
        EditCase { CMediaUtils::MEDIA_CD, Field::Track, "12", "12", false },
        EditCase { CMediaUtils::MEDIA_CD, Field::Track, "0", "1", true },
        EditCase { CMediaUtils::MEDIA_CD, Field::Track, "seven", "1", true },
        // One disc: disc 2 does not exist.
        EditCase { CMediaUtils::MEDIA_CD, Field::Disc, "2", "1", true },
        EditCase { CMediaUtils::MEDIA_CD, Field::Title, "Blue in Green", "Blue in Green", false },
        EditCase { CMediaUtils::MEDIA_CASSETTE, Field::Side, "b", "B", false },
        EditCase { CMediaUtils::MEDIA_CASSETTE, Field::Side, "C", "A", true },
        EditCase { CMediaUtils::MEDIA_CASSETTE, Field::Counter, "12:30", "12:30", false },
        EditCase { CMediaUtils::MEDIA_VIDEOTAPE, Field::Counter, "1:02:03", "1:02:03", false },
        EditCase { CMediaUtils::MEDIA_VIDEOTAPE, Field::Length, "95:00", "1:35:00", false },
        EditCase { CMediaUtils::MEDIA_CDREC, Field::Source, "radio", "Radio", false },
        EditCase { CMediaUtils::MEDIA_CDREC, Field::Source, "Unknown", "Unknown", false },
        EditCase { CMediaUtils::MEDIA_CDREC, Field::Source, "xyz", "Unknown", true },
        EditCase { CMediaUtils::MEDIA_CDREC, Field::RecDate, "3/5/2024", "2024-03-05", false },
        EditCase { CMediaUtils::MEDIA_CDREC, Field::RecDate, "yesterday", "", true },
        EditCase { CMediaUtils::MEDIA_BOOK, Field::Chapter, "", "1", true },
        EditCase { CMediaUtils::MEDIA_BOOK, Field::Chapter, "0", "0", false },
        // A blank page is "not known".
        EditCase { CMediaUtils::MEDIA_MAGAZINE, Field::Page, "", "", false },
        EditCase { CMediaUtils::MEDIA_MAGAZINE, Field::Page, "-3", "", true },
        EditCase { CMediaUtils::MEDIA_MAGAZINE, Field::Category, "<none>", "<none>", false },
        EditCase { CMediaUtils::MEDIA_MAGAZINE, Field::Category, "Nowhere", "<none>", true }));

TEST_F(SubItemGridTest, PlainCassetteCounterIsACount)
{
    CCassetteRecording::SetUseTimedCounter(false);
    CCassette cassette;
    const CSubItemGrid::Column& counter = ColumnOf(cassette, Field::Counter);
    EXPECT_EQ(counter.kind, CSubItemGrid::Kind::Number);
    CMediaSubItem* first = CSubItemGrid::Insert(cassette, 0);
    CSubItemGrid::SetText(*first, counter, "450");
    CSubItemGrid::SetText(*first, ColumnOf(cassette, Field::Length), "10:00");
    EXPECT_EQ(CSubItemGrid::GetText(*first, Field::Counter), "450");
    // A count and a length do not add up: the next recording starts there too.
    EXPECT_EQ(CSubItemGrid::GetText(*CSubItemGrid::Insert(cassette, 1), Field::Counter), "450");
    CCassetteRecording::SetUseTimedCounter(true);
    EXPECT_EQ(ColumnOf(cassette, Field::Counter).kind, CSubItemGrid::Kind::Time);
}

TEST_F(SubItemGridTest, InsertFollowsThePreviousRow)
{
    CCassetteRecording::SetUseTimedCounter(true);
    CCassette cassette;
    auto* first = dynamic_cast<CCassetteRecording*>(CSubItemGrid::Insert(cassette, 0));
    first->SetSideA(false);
    first->SetStart(60);
    first->SetLength(300);
    first->SetSource(CRecordingTrack::srcRadio);
    const CMediaSubItem* next = CSubItemGrid::Insert(cassette, 5);
    EXPECT_EQ(cassette.GetSubItemAt(1), next);
    EXPECT_EQ(CSubItemGrid::GetText(*next, Field::Side), "B");
    EXPECT_EQ(CSubItemGrid::GetText(*next, Field::Counter), "06:00");
    EXPECT_EQ(CSubItemGrid::GetText(*next, Field::Source), "Radio");
}

TEST_F(SubItemGridTest, NumbersFollowInsertDeleteAndMove)
{
    CCD cd;
    cd.SetDiscs(2);
    Track(cd, 1, 1, "a");
    Track(cd, 1, 2, "b");
    Track(cd, 1, 3, "c");
    Track(cd, 2, 1, "d");

    CSubItemGrid::SetText(*CSubItemGrid::Insert(cd, 1), ColumnOf(cd, Field::Title), "new");
    EXPECT_EQ(Numbers(cd), (std::vector<CString> { "1.1 a", "1.2 new", "1.3 b", "1.4 c", "2.1 d" }));

    CSubItemGrid::CloseGap(cd, *cd.GetSubItemAt(0));
    cd.DeleteSubItem(cd.GetSubItemAt(0));
    EXPECT_EQ(Numbers(cd), (std::vector<CString> { "1.1 new", "1.2 b", "1.3 c", "2.1 d" }));

    // The moved row takes its new place's number; the others keep order.
    ASSERT_TRUE(CSubItemGrid::Move(cd, 2, 0));
    EXPECT_EQ(Numbers(cd), (std::vector<CString> { "1.1 c", "1.2 new", "1.3 b", "2.1 d" }));
    // Across discs the numbers stay with their tracks.
    ASSERT_TRUE(CSubItemGrid::Move(cd, 3, 2));
    EXPECT_EQ(Numbers(cd), (std::vector<CString> { "1.1 c", "1.2 new", "2.1 d", "1.3 b" }));
    EXPECT_FALSE(CSubItemGrid::Move(cd, 0, 4));

    dynamic_cast<CCDTrack*>(cd.GetSubItemAt(0))->SetTrack(7);
    CSubItemGrid::Renumber(cd);
    EXPECT_EQ(Numbers(cd), (std::vector<CString> { "1.1 c", "1.2 new", "2.1 d", "1.3 b" }));
}

TEST_F(SubItemGridTest, DuplicateNumbersLeaveNoGapToClose)
{
    CCD cd;
    Track(cd, 1, 1, "a");
    Track(cd, 1, 2, "b");
    Track(cd, 1, 2, "b again");
    Track(cd, 1, 3, "c");
    CSubItemGrid::CloseGap(cd, *cd.GetSubItemAt(1));
    cd.DeleteSubItem(cd.GetSubItemAt(1));
    EXPECT_EQ(Numbers(cd), (std::vector<CString> { "1.1 a", "1.2 b again", "1.3 c" }));
}

TEST_F(SubItemGridTest, RenumberKeepsAPrologue)
{
    CBook book;
    for (int chapter : { 0, 4, 9 }) {
        auto* sub = new CBookChapter;
        sub->SetChapter(chapter);
        book.AddSubItem(sub);
    }
    EXPECT_TRUE(CSubItemGrid::CanRenumber(book));
    CSubItemGrid::Renumber(book);
    EXPECT_EQ(Numbers(book), (std::vector<CString> { "0 ", "1 ", "2 " }));
    EXPECT_FALSE(CSubItemGrid::CanRenumber(CCassette()));
    EXPECT_FALSE(CSubItemGrid::CanRenumber(CMagazineIssue()));
}

TEST_F(SubItemGridTest, SummariesOfLengthAndTimeLeft)
{
    CCDRec disc;
    disc.SetMediaSize(3600);
    CMediaSubItem* recording = CSubItemGrid::Insert(disc, 0);
    CSubItemGrid::SetText(*recording, ColumnOf(disc, Field::Length), "58:00");
    EXPECT_EQ(CSubItemGrid::GetLengthSummary(disc), "Total length: 58:00");
    EXPECT_EQ(CSubItemGrid::GetRemainingSummary(disc), "Recording time left: 2 min. remain");
    disc.SetMediaSize(0);
    EXPECT_EQ(CSubItemGrid::GetRemainingSummary(disc), "");

    CCassetteRecording::SetUseTimedCounter(true);
    CCassette tape;
    tape.SetMediaSize(90 * 60);
    CSubItemGrid::SetText(*CSubItemGrid::Insert(tape, 0), ColumnOf(tape, Field::Length), "45:00");
    EXPECT_EQ(CSubItemGrid::GetRemainingSummary(tape), "Recording time left: 45 min. remain; side A full");
    EXPECT_EQ(CSubItemGrid::GetRemainingSummary(CBook()), "");
}

} // namespace
