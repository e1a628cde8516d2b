#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

#include "data/model/Category.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/ReportProperties.h"
#include "data/model/SpecialFeatures.h"
#include "platform/util/Person.h"
#include "tests/data/model/TestMedia.h"

using namespace vemotest;

namespace {

CMapStringToString Seed(std::initializer_list<CString> keys)
{
    CMapStringToString data;
    for (const CString& key : keys)
        data.SetAt(key, "");
    return data;
}

CMapStringToString AllProps()
{
    CMapStringToString data;
    for (const CString& key : CMediaUtils::GetAllDataProps())
        data.SetAt(key, "");
    return data;
}

class PropertyMapTest : public ::testing::Test {
protected:
    CStoreFixture m_store;
};

TEST_F(PropertyMapTest, MediaItemFillsTheAskedKeysOnly)
{
    const int drama = CStoreFixture::AddCategory("Drama", "Serious films");
    CTestVideo dvd;
    dvd.SetCategoryID(drama);
    dvd.SetTitle("Dune");
    dvd.SetDescription("Sand");
    dvd.SetLibraryID("DVD-1");
    dvd.SetLocation("Shelf");
    dvd.SetYearPublished(1984);
    dvd.SetPrice(12.5);
    dvd.SetDateAcquired(COleDateTime(2024, 3, 1, 0, 0, 0));
    dvd.GetReportProperties()->SetImageFile("/pics/dune.png");
    dvd.GetReportProperties()->SetImageWidth(90);
    dvd.GetReportProperties()->SetImageHeight(120);
    dvd.GetSpecialFeatures()->SetBios(true);
    auto* loan = new CCheckOutState;
    loan->SetCheckedOutDate(COleDateTime(2024, 4, 1, 0, 0, 0));
    dvd.GetCheckOut()->Add(loan);

    CMapStringToString data = Seed({ "Title", "Description", "Library ID", "Location", "Year", "Price", "Acquired",
        "Media", "Category", "Category Desc.", "Check-out Status", "Check-outs", "Image File", "Image Width",
        "Image Height", "Bios", "Trailer", "Publisher" });
    data.SetAt("Arranger", "kept");
    const INT_PTR keys = data.GetCount();
    dvd.GetData(data);
    EXPECT_EQ(data.GetCount(), keys);
    const CMapStringToString expected { { "Title", "Dune" }, { "Description", "Sand" }, { "Library ID", "DVD-1" },
        { "Location", "Shelf" }, { "Year", "1984" }, { "Price", "12.50" }, { "Acquired", "2024-03-01" },
        { "Media", "DVD" }, { "Category", "Drama" }, { "Category Desc.", "Serious films" },
        { "Check-out Status", "Checked-Out" }, { "Check-outs", "1" }, { "Image File", "/pics/dune.png" },
        { "Image Width", "90" }, { "Image Height", "120" }, { "Bios", "Y" }, { "Trailer", "N" }, { "Publisher", "" },
        { "Arranger", "kept" } };
    EXPECT_EQ(data, expected);
}

TEST_F(PropertyMapTest, UnknownCategoryShowsAsNone)
{
    const int gone = CStoreFixture::AddCategory("Gone", "old");
    CTestVideo dvd;
    dvd.SetCategoryID(gone);
    CStoreFixture::Categories().Remove(CStoreFixture::Categories().GetCategory(gone));
    CMapStringToString data = Seed({ "Category", "Category Desc." });
    dvd.GetData(data);
    EXPECT_EQ(data["Category"], CCategory::GetNoCategory());
    EXPECT_EQ(data["Category Desc."], "");
}

TEST_F(PropertyMapTest, PublisherKeysComeFromThePublisherRecord)
{
    CPerson* publisher = CPublisherMgr::GetInstance()->GetPublisher("Ace Books", true);
    publisher->SetAddress("1 Main St");
    publisher->SetEmail("info@ace.example");
    publisher->SetURL("http://ace.example");
    publisher->SetWorkPhone("555-0100");
    CTestVideo dvd;
    dvd.SetPublisherID(publisher->GetUniqueID());
    CMapStringToString data
        = Seed({ "Publisher", "Publisher Address", "Publisher e-mail", "Publisher Phone", "Publisher URL" });
    dvd.GetData(data);
    EXPECT_EQ(data["Publisher"], "Ace Books");
    EXPECT_EQ(data["Publisher Address"], "1 Main St");
    EXPECT_EQ(data["Publisher e-mail"], "info@ace.example");
    EXPECT_EQ(data["Publisher Phone"], publisher->GetPhoneNumbers());
    EXPECT_NE(data["Publisher Phone"].find("555-0100"), CString::npos);
    EXPECT_EQ(data["Publisher URL"], "http://ace.example");
}

// Every family reads back through SetData(true) what GetData wrote.
struct RoundTripCase {
    const char* name;
    std::function<std::unique_ptr<CMediaItem>()> make;
    std::function<void(CMediaItem&)> fill;
};

class MapRoundTripTest : public PropertyMapTest, public ::testing::WithParamInterface<RoundTripCase> { };

TEST_P(MapRoundTripTest, SetDataReadsWhatGetDataWrote)
{
    const int rock = CStoreFixture::AddCategory("Rock", "Loud");
    CPublisherMgr::GetInstance()->GetPublisher("Island", true);
    std::unique_ptr<CMediaItem> original = GetParam().make();
    original->SetCategoryID(rock);
    original->SetTitle("Title");
    original->SetDescription("Description");
    original->SetLibraryID("ID-9");
    original->SetLocation("Attic");
    original->SetYearPublished(1971);
    original->SetPrice(9.99);
    original->SetDateAcquired(COleDateTime(2001, 2, 3, 0, 0, 0));
    original->SetPublisherID(1);
    if (original->GetReportProperties()) {
        original->GetReportProperties()->SetImageFile("/a.png");
        original->GetReportProperties()->SetImageWidth(10);
        original->GetReportProperties()->SetImageHeight(20);
    }
    if (original->GetSpecialFeatures())
        original->GetSpecialFeatures()->SetTrailer(true);
    GetParam().fill(*original);

    CMapStringToString written = AllProps();
    original->GetData(written);
    // Counts are derived from sub-items and the history, not set from maps.
    for (const char* derived : { "Tracks", "Check-outs", "Check-out Status" })
        written.RemoveKey(derived);
    std::unique_ptr<CMediaItem> restored = GetParam().make();
    restored->SetData(written, true);
    CMapStringToString reread = written;
    for (auto& [key, value] : reread)
        value.clear();
    restored->GetData(reread);
    EXPECT_EQ(reread, written);
    EXPECT_EQ(restored->GetCategoryID(), rock);
}

INSTANTIATE_TEST_SUITE_P(Families, MapRoundTripTest,
    ::testing::Values(RoundTripCase { "AudioTrackMedia", [] { return std::make_unique<CTestAudioTrackMedia>(); },
                          [](CMediaItem& item) {
                              auto& cd = static_cast<CTestAudioTrackMedia&>(item);
                              cd.SetArtist("Band");
                              cd.SetJacketNumber("J-1");
                              cd.SetDiscs(3);
                              cd.SetMediaSize(3725);
                              cd.GetAudio().SetDolbyDigital(true);
                              cd.GetAudio().SetFullRangeChannels(5);
                          } },
        RoundTripCase { "AudioRecTape", [] { return std::make_unique<CTestTape>(); },
            [](CMediaItem& item) {
                auto& tape = static_cast<CTestTape&>(item);
                tape.SetArtist("Mix");
                tape.SetManufacturer("TDK");
                tape.SetMediaSize(90 * 60);
            } },
        RoundTripCase { "VideoRecordable", [] { return std::make_unique<CTestVideoRec>(); },
            [](CMediaItem& item) {
                auto& disc = static_cast<CTestVideoRec&>(item);
                disc.SetSubTitle("Sub");
                disc.SetSeriesNumber("S2");
                disc.SetLeadActor("Lead");
                disc.SetCoStar("Co");
                disc.SetDirector("Dir");
                disc.SetManufacturer("Sony");
                disc.GetVideo().SetWidescreen(true);
                // Whole hours, so that the hours:minutes text reads back.
                disc.SetMediaSize(2 * 3600);
            } },
        RoundTripCase { "VideoMedia", [] { return std::make_unique<CTestVideo>(); },
            [](CMediaItem& item) {
                auto& dvd = static_cast<CTestVideo&>(item);
                dvd.SetSubTitle("Sub");
                dvd.SetSeriesNumber("Vol. 2");
                dvd.SetLeadActor("Lead");
                dvd.SetCoStar("Co");
                dvd.SetDirector("Dir");
                dvd.SetDiscs(2);
                dvd.SetRegion(4);
                dvd.GetVideo().SetPanScan(false);
                dvd.GetAudio().SetDTS(true);
            } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PropertyMapTest, MergeFillsOnlyMissingData)
{
    const int rock = CStoreFixture::AddCategory("Rock");
    CTestAudioTrackMedia cd;
    cd.SetTitle("Dune");
    cd.SetArtist("Band");
    cd.SetDateAcquired(COleDateTime(2020, 1, 1, 0, 0, 0));
    CMapStringToString data { { "Title", "Other" }, { "Artist", "Other band" }, { "Description", "Desc" },
        { "Year", "1965" }, { "Price", "4.5" }, { "Acquired", "2021-05-05" }, { "Discs", "2" },
        { "Jacket Number", "J-2" }, { "Category", "Pop" }, { "Stereo", "N" }, { "Publisher", "Island" } };
    cd.SetData(data, false);
    EXPECT_EQ(cd.GetTitle(), "Dune");
    EXPECT_EQ(cd.GetArtist(), "Band");
    EXPECT_EQ(cd.GetDescription(), "Desc");
    EXPECT_EQ(cd.GetYearPublished(), 1965);
    EXPECT_EQ(cd.GetPrice(), 4.5);
    EXPECT_EQ(cd.GetDateAcquired(), COleDateTime(2020, 1, 1, 0, 0, 0));
    EXPECT_EQ(cd.GetDiscs(), 2);
    EXPECT_EQ(cd.GetJacketNumber(), "J-2");
    EXPECT_EQ(cd.GetCategoryID(), 1);
    EXPECT_TRUE(cd.GetAudio().GetStereo());
    EXPECT_GT(cd.GetPublisherID(), 0);
    EXPECT_EQ(CStoreFixture::Categories().GetCategory("Pop", false), nullptr);

    data.SetAt("Category", "Rock");
    cd.SetData(data, true);
    EXPECT_EQ(cd.GetTitle(), "Other");
    EXPECT_EQ(cd.GetCategoryID(), rock);
    EXPECT_FALSE(cd.GetAudio().GetStereo());
}

TEST_F(PropertyMapTest, NewCategoryTakesTheDescriptionOfTheMap)
{
    CStoreFixture::AddCategory("Rock", "Loud");
    CTestVideo first;
    first.SetData({ { "Category", "Noir" }, { "Category Desc.", "Dark films" } }, true);
    CTestVideo second;
    second.SetData({ { "Category", "Rock" }, { "Category Desc.", "Quiet" } }, true);
    EXPECT_EQ(CStoreFixture::Categories().GetCategory(first.GetCategoryID())->GetDescription(), "Dark films");
    EXPECT_EQ(CStoreFixture::Categories().GetCategory(second.GetCategoryID())->GetName(), "Rock");
    EXPECT_EQ(CStoreFixture::Categories().GetCategory(second.GetCategoryID())->GetDescription(), "Loud");
    EXPECT_EQ(CStoreFixture::UseCount(first.GetCategoryID()), 1);
}

TEST_F(PropertyMapTest, NumbersAndDatesAreReadLeniently)
{
    CTestVideo dvd;
    dvd.SetDateAcquired(COleDateTime(2020, 1, 1, 0, 0, 0));
    dvd.SetData({ { "Year", "c. 1984" }, { "Price", "$12.50" }, { "Acquired", "someday" }, { "Discs", "two" },
                    { "Length", "1:45:00" }, { "Region", "Region 2" } },
        true);
    EXPECT_EQ(dvd.GetYearPublished(), 1984);
    EXPECT_EQ(dvd.GetPrice(), 12.5);
    EXPECT_EQ(dvd.GetDateAcquired(), COleDateTime(2020, 1, 1, 0, 0, 0));
    EXPECT_EQ(dvd.GetDiscs(), 1);
    EXPECT_EQ(dvd.GetMediaLength(), 6300);
    EXPECT_EQ(dvd.GetRegion(), 2);
    dvd.SetData({ { "Acquired", "" }, { "Price", "free" } }, true);
    EXPECT_EQ(dvd.GetDateAcquired().GetStatus(), COleDateTime::null);
    EXPECT_EQ(dvd.GetPrice(), 0.0);
}

TEST_F(PropertyMapTest, TrackAnswersItsOwnAndItsMediumsKeys)
{
    CTestAudioTrackMedia cd;
    cd.SetTitle("Blue");
    cd.SetArtist("Joni");
    CTestAudioTrack* track = cd.AddTrack(2, 7, "River", 245);
    CMapStringToString data = Seed({ "Track Title", "Track Length", "Track #", "Disc #", "Title", "Artist", "Media" });
    track->GetData(data);
    const CMapStringToString expected { { "Track Title", "River" }, { "Track Length", "04:05" }, { "Track #", "7" },
        { "Disc #", "2" }, { "Title", "Blue" }, { "Artist", "Joni" }, { "Media", "CD" } };
    EXPECT_EQ(data, expected);

    track->SetData(
        { { "Track Title", "Case" }, { "Track Length", "1:02:03" }, { "Track #", "9" }, { "Disc #", "1" } }, true);
    EXPECT_EQ(track->GetTitle(), "Case");
    EXPECT_EQ(track->GetLength(), 3723);
    EXPECT_EQ(track->GetTrack(), 9);
    EXPECT_EQ(track->GetDisc(), 1);
    track->SetData({ { "Track Title", "Other" }, { "Track #", "3" } }, false);
    EXPECT_EQ(track->GetTitle(), "Case");
    EXPECT_EQ(track->GetTrack(), 9);
}

TEST_F(PropertyMapTest, SubItemWithItsOwnCategoryShowsThatCategory)
{
    const int news = CStoreFixture::AddCategory("News");
    const int sport = CStoreFixture::AddCategory("Sport");
    CTestIssue issue;
    issue.SetCategoryID(news);
    issue.SetTitle("Weekly");
    auto* article = new CTestArticle;
    article->SetCategoryID(sport);
    issue.AddSubItem(article);
    CMapStringToString data = Seed({ "Category", "Title" });
    article->GetData(data);
    EXPECT_EQ(data["Category"], "Sport");
    EXPECT_EQ(data["Title"], "Weekly");
}

TEST_F(PropertyMapTest, RecordingAndTapeKeys)
{
    CTestTape tape;
    CCassetteRecording* recording = tape.AddRecording(false, 90, 200, "Session");
    recording->SetSource(CRecordingTrack::srcCamcorder);
    recording->SetDate(COleDateTime(1999, 12, 31, 0, 0, 0));
    CMapStringToString data = Seed({ "Rec. Source", "Rec. Date", "Side", "Counter", "Track #", "Track Length" });
    recording->GetData(data);
    const CMapStringToString expected { { "Rec. Source", "Camcorder" }, { "Rec. Date", "1999-12-31" }, { "Side", "B" },
        { "Counter", "01:30" }, { "Track #", "" }, { "Track Length", "03:20" } };
    EXPECT_EQ(data, expected);

    recording->SetData(
        { { "Rec. Source", "LP" }, { "Rec. Date", "2000-01-02" }, { "Side", " a" }, { "Counter", "2:05" } }, true);
    EXPECT_EQ(recording->GetSource(), CRecordingTrack::srcRecordAlbum);
    EXPECT_EQ(recording->GetDate(), COleDateTime(2000, 1, 2, 0, 0, 0));
    EXPECT_TRUE(recording->GetSideA());
    EXPECT_EQ(recording->GetStart(), 125);
    recording->SetData({ { "Side", "b" } }, false);
    EXPECT_TRUE(recording->GetSideA());
    recording->SetData({ { "Side", "side?" } }, true);
    EXPECT_TRUE(recording->GetSideA());
    recording->SetData({ { "Side", "B" } }, true);
    EXPECT_FALSE(recording->GetSideA());
}

TEST_F(PropertyMapTest, TrackMediaSizesAndCounts)
{
    CTestAudioTrackMedia cd;
    cd.SetMediaSize(3725);
    for (int i = 0; i < 1200; ++i)
        cd.AddTrack(1, i + 1, "t");
    CMapStringToString data = Seed({ "Length", "Media Size", "Tracks", "Discs" });
    cd.GetData(data);
    EXPECT_EQ(data["Length"], "62:05");
    EXPECT_EQ(data["Media Size"], "62:05");
    EXPECT_EQ(data["Tracks"], "1,200");
    EXPECT_EQ(data["Discs"], "1");

    CTestRecDisc disc;
    disc.SetMediaSize(80 * 60 + 30);
    disc.SetManufacturer("Maxell");
    data = Seed({ "Length", "Media Size", "Media Manufacturer" });
    disc.GetData(data);
    EXPECT_EQ(data["Media Size"], "80");
    EXPECT_EQ(data["Length"], "80:30");
    EXPECT_EQ(data["Media Manufacturer"], "Maxell");
    disc.SetData({ { "Media Size", "74" } }, true);
    EXPECT_EQ(disc.GetMediaSize(), 74 * 60);
    disc.SetData({ { "Length", "63:10" } }, true);
    EXPECT_EQ(disc.GetMediaSize(), 63 * 60 + 10);

    CTestVideoRec videoDisc;
    videoDisc.SetMediaSize(2 * 3600 + 15 * 60);
    data = Seed({ "Length", "Media Size" });
    videoDisc.GetData(data);
    EXPECT_EQ(data["Length"], "2:15");
    EXPECT_EQ(data["Media Size"], "135");

    CTestVideo dvd;
    dvd.SetMediaLength(5400);
    data = Seed({ "Length" });
    dvd.GetData(data);
    EXPECT_EQ(data["Length"], "1:30");
}

} // namespace
