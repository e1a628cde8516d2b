#include <gtest/gtest.h>

#include <vector>

#include "tests/data/model/TestMedia.h"

using namespace vemotest;

namespace {

class TrackFamilyTest : public ::testing::Test {
protected:
    CStoreFixture m_store;
};

struct RemainingCase {
    int mediaSize;
    std::vector<int> lengths;
    const char* text;
    int remaining;
    bool full;
};

class RemainingTimeTest : public TrackFamilyTest, public ::testing::WithParamInterface<RemainingCase> { };

TEST_P(RemainingTimeTest, TextFollowsWholeMinutesLeft)
{
    const RemainingCase& c = GetParam();
    CTestRecDisc disc;
    disc.SetMediaSize(c.mediaSize);
    for (int length : c.lengths)
        disc.AddRecording(length);
    EXPECT_EQ(disc.GetSizeRemainingText(), c.text);
    EXPECT_EQ(disc.GetSizeRemaining(), c.remaining);
    EXPECT_EQ(disc.IsMediaFull(), c.full);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemainingTimeTest,
    ::testing::Values(RemainingCase { 3600, { 3570 }, "full", 30, false },
        RemainingCase { 3600, { 3480 }, "2 min. remain", 120, false },
        RemainingCase { 3600, { 3000, 540 }, "1 min. remains", 60, false },
        RemainingCase { 3600, {}, "60 min. remain", 3600, false }, RemainingCase { 3600, { 3600 }, "full", 0, true },
        // Over-full media are full, not "-1 min. remain".
        RemainingCase { 3600, { 3700 }, "full", -100, true }, RemainingCase { 0, { 100 }, "", -1, false },
        RemainingCase { 0, {}, "", -1, false }));

TEST_F(TrackFamilyTest, RecordableSizesInWholeMinutes)
{
    CTestRecDisc disc;
    disc.SetMediaSize(4799);
    EXPECT_EQ(disc.GetMediaSizeText(), "79");
    EXPECT_EQ(disc.GetMaxContentSizeText(), "80");
    disc.AddRecording(125);
    disc.AddRecording(3600);
    EXPECT_EQ(disc.GetContentSize(), 3725);
    EXPECT_EQ(disc.GetContentSizeText(), "62:05");

    CTestVideoRec videoDisc;
    auto* recording = new CTestRecording;
    recording->SetLength(3725);
    videoDisc.AddSubItem(recording);
    EXPECT_EQ(videoDisc.GetContentSizeText(), "1:02");
}

TEST_F(TrackFamilyTest, NextTrackNumberFillsTheFirstGap)
{
    CTestAudioTrackMedia cd;
    EXPECT_EQ(cd.GetNextTrackNumber(0), 1);
    cd.AddTrack(1, 4, "d");
    cd.AddTrack(1, 1, "a");
    cd.AddTrack(1, 2, "b");
    EXPECT_EQ(cd.GetNextTrackNumber(0), 3);
    EXPECT_EQ(cd.GetNextTrackNumber(-1), 1);
    EXPECT_EQ(cd.GetNextTrackNumber(3), 5);
    EXPECT_EQ(cd.GetNextTrackNumber(9), 10);
    // The medium's own order is left as it was.
    EXPECT_EQ(static_cast<CTrack*>(cd.List().GetHead())->GetTitle(), "d");
}

TEST_F(TrackFamilyTest, NextTrackNumberPerDisc)
{
    CTestAudioTrackMedia cd;
    cd.AddTrack(2, 1, "");
    cd.AddTrack(1, 1, "");
    cd.AddTrack(1, 2, "");
    cd.AddTrack(2, 3, "");
    EXPECT_EQ(cd.GetNextTrackNumber(1, 0), 3);
    EXPECT_EQ(cd.GetNextTrackNumber(2, 0), 2);
    EXPECT_EQ(cd.GetNextTrackNumber(2, 2), 4);
    EXPECT_EQ(cd.GetNextTrackNumber(3, 0), 1);
    EXPECT_EQ(cd.GetNextTrackNumber(0, 5), 1);
    EXPECT_EQ(cd.GetNextTrackNumber(1, -2), 1);
    EXPECT_EQ(cd.GetTrackCountForDisc(1), 2);
    EXPECT_EQ(cd.GetTrackCountForDisc(2), 2);
    EXPECT_EQ(cd.GetTrackCountForDisc(3), 0);
}

TEST_F(TrackFamilyTest, FewerDiscsMoveTracksToTheLastDisc)
{
    CTestAudioTrackMedia cd;
    cd.SetDiscs(3);
    CTestAudioTrack* first = cd.AddTrack(1, 1, "");
    CTestAudioTrack* second = cd.AddTrack(2, 1, "");
    CTestAudioTrack* third = cd.AddTrack(3, 1, "");
    cd.SetDiscs(2);
    EXPECT_EQ(cd.GetDiscs(), 2);
    EXPECT_EQ(first->GetDisc(), 1);
    EXPECT_EQ(second->GetDisc(), 2);
    EXPECT_EQ(third->GetDisc(), 2);
    cd.SetDiscs(0);
    EXPECT_EQ(cd.GetDiscs(), 1);
    EXPECT_EQ(second->GetDisc(), 1);
    EXPECT_EQ(third->GetDisc(), 1);
}

TEST_F(TrackFamilyTest, TapeSidesHoldHalfTheTapeEach)
{
    CTestTape tape;
    tape.SetMediaSize(90 * 60);
    tape.AddRecording(true, 0, 30 * 60);
    EXPECT_FALSE(tape.IsSideAFull());
    tape.AddRecording(true, 30 * 60, 15 * 60);
    EXPECT_TRUE(tape.IsSideAFull());
    EXPECT_FALSE(tape.IsSideBFull());
    EXPECT_FALSE(tape.IsMediaFull());
    tape.AddRecording(false, 0, 45 * 60);
    EXPECT_TRUE(tape.IsSideBFull());
    EXPECT_TRUE(tape.IsMediaFull());
    tape.SetMediaSize(0);
    EXPECT_FALSE(tape.IsSideAFull());
    EXPECT_FALSE(tape.IsMediaFull());
}

struct SourceCase {
    const char* text;
    CRecordingTrack::Source source;
};

class SourceParseTest : public ::testing::TestWithParam<SourceCase> { };

TEST_P(SourceParseTest, FirstKeywordFoundDecides)
{
    EXPECT_EQ(CRecordingTrack::ParseSource(CString(GetParam().text)), GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(Texts, SourceParseTest,
    ::testing::Values(SourceCase { "LP", CRecordingTrack::srcRecordAlbum },
        SourceCase { "Downloaded", CRecordingTrack::srcDownload },
        SourceCase { "Radio Broadcast", CRecordingTrack::srcRadio }, SourceCase { "cd-r", CRecordingTrack::srcCD },
        SourceCase { "", CRecordingTrack::srcUnknown }, SourceCase { "vinyl", CRecordingTrack::srcUnknown },
        SourceCase { "HD-DVD", CRecordingTrack::srcHDDVD }, SourceCase { "DVD+R", CRecordingTrack::srcDVD },
        SourceCase { "Dolby tape", CRecordingTrack::srcDownload },
        SourceCase { "MiniDV camcorder", CRecordingTrack::srcCamcorder },
        SourceCase { "Satellite TV", CRecordingTrack::srcTVBroadcast },
        SourceCase { "Record", CRecordingTrack::srcRecordAlbum },
        SourceCase { "Unknown", CRecordingTrack::srcUnknown }));

TEST(RecordingSource, EveryTextParsesBackToItsCode)
{
    for (int code = CRecordingTrack::SOURCE_FIRST; code <= CRecordingTrack::SOURCE_LAST; ++code) {
        const auto source = static_cast<CRecordingTrack::Source>(code);
        EXPECT_EQ(CRecordingTrack::ParseSource(CRecordingTrack::ParseSource(source)), source) << code;
    }
    EXPECT_EQ(CRecordingTrack::ParseSource(static_cast<CRecordingTrack::Source>(21)), "Unknown");
    EXPECT_EQ(CRecordingTrack::ParseSource(CRecordingTrack::srcReelToReel), "Reel-to-Reel Tape");
    EXPECT_EQ(CRecordingTrack::ParseSource(CRecordingTrack::srcTVBroadcast), "TV Broadcast");
}

TEST(RecordingSource, ListOffersPreRecordedOnlyWhenAsked)
{
    CStringList with;
    CRecordingTrack::GetSourceList(with, true);
    CStringList without;
    CRecordingTrack::GetSourceList(without, false);
    EXPECT_EQ(with.GetCount(), 21);
    EXPECT_EQ(without.GetCount(), 20);
    EXPECT_EQ(with.GetHead(), "Unknown");
    EXPECT_EQ(with.GetTail(), "HD DVD");
    EXPECT_TRUE(with.Find("Pre-recorded"));
    EXPECT_FALSE(without.Find("Pre-recorded"));
    EXPECT_EQ(without.GetAt(without.FindIndex(15)), "Video Tape");
}

TEST_F(TrackFamilyTest, SubItemOrdersPutForeignSubItemsLast)
{
    CTestAudioTrack one(1, 1, "b");
    CTestAudioTrack oneA(1, 1, "A");
    CTestAudioTrack two(1, 2, "a");
    CTestAudioTrack secondDisc(2, 1, "a");
    CTestArticle article;
    EXPECT_EQ(CTrackMedia::SortTracksByNumberTitle(&one, &two), -1);
    EXPECT_EQ(CTrackMedia::SortTracksByNumberTitle(&one, &oneA), 1);
    EXPECT_EQ(CTrackMedia::SortTracksByTitle(&two, &oneA), 0);
    EXPECT_EQ(CAudioTrackMedia::SortTracksByDiscTrack(&secondDisc, &two), 1);
    EXPECT_EQ(CAudioTrackMedia::SortTracksByDiscTrack(&one, &two), -1);
    EXPECT_EQ(CAudioTrackMedia::SortTracksByDiscTrack(&article, &one), 1);
    EXPECT_EQ(CAudioTrackMedia::SortTracksByDiscTrack(&one, &article), -1);
    EXPECT_EQ(CAudioTrackMedia::SortTracksByDiscTrack(&article, &article), 0);

    CCassetteRecording sideB;
    sideB.SetSideA(false);
    CCassetteRecording early;
    early.SetStart(10);
    CCassetteRecording late;
    late.SetStart(20);
    CCassetteRecording alsoLate;
    alsoLate.SetStart(20);
    EXPECT_EQ(CAudioRecTape::SortTracksBySideCounter(&sideB, &late), 1);
    EXPECT_EQ(CAudioRecTape::SortTracksBySideCounter(&early, &late), -1);
    EXPECT_EQ(CAudioRecTape::SortTracksBySideCounter(&late, &alsoLate), 0);
    EXPECT_EQ(CAudioRecTape::SortTracksBySideCounter(&one, &late), 1);
}

TEST_F(TrackFamilyTest, TapeSortsBySideAndCounter)
{
    CTestTape tape;
    tape.AddRecording(false, 0, 1, "B0");
    tape.AddRecording(true, 50, 1, "A50");
    tape.AddRecording(true, 5, 1, "A5");
    tape.Resort();
    CString order;
    for (const CMediaSubItem* item : tape.List())
        order += CString(static_cast<const CTrack*>(item)->GetTitle()) + " ";
    EXPECT_EQ(order, "A5 A50 B0 ");
}

TEST_F(TrackFamilyTest, TrackTexts)
{
    CTestAudioTrack track(1, 3, "Intro", 65);
    EXPECT_EQ(track.GetTrackText(), "3");
    EXPECT_EQ(track.GetLengthText(), "01:05");
    EXPECT_EQ(track.GetTrackDesc(), "3. Intro (01:05)");
    track.SetTrack(0);
    EXPECT_EQ(track.GetTrack(), 1);

    CCassetteRecording recording;
    recording.SetTitle("Live");
    EXPECT_EQ(recording.GetTrackText(), "");
    EXPECT_EQ(recording.GetTrackDesc(), "Live");
    recording.SetLength(3725);
    EXPECT_EQ(recording.GetTrackDesc(), "Live (1:02:05)");
    recording.SetStart(75);
    EXPECT_EQ(recording.GetStartText(), "01:15");
    EXPECT_EQ(recording.GetSideText(), "A");
    EXPECT_EQ(recording.GetDateText(), "");
}

TEST_F(TrackFamilyTest, CassetteRecordingDuplicatesAndValidity)
{
    CTestTape tape;
    CCassetteRecording* a = tape.AddRecording(true, 10, 100, "Song");
    CCassetteRecording* b = tape.AddRecording(true, 10, 5, "SONG");
    EXPECT_TRUE(*a == *b);
    b->SetSideA(false);
    EXPECT_FALSE(*a == *b);
    EXPECT_FALSE(*a == *a);
    CCassetteRecording loose;
    EXPECT_FALSE(loose.HaveValidData());
    loose.SetTitle("  ");
    EXPECT_FALSE(loose.HaveValidData());
    loose.SetLength(1);
    EXPECT_TRUE(loose.HaveValidData());
    EXPECT_EQ(loose.GetMediaType(), CMediaUtils::MEDIA_CASSETTE);
    CCassetteRecording::SetUseTimedCounter(true);
    EXPECT_TRUE(CCassetteRecording::GetUseTimedCounter());
    CCassetteRecording::SetUseTimedCounter(false);
}

} // namespace
