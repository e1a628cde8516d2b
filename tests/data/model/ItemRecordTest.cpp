#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/ReportProperties.h"
#include "data/model/SpecialFeatures.h"
#include "platform/util/Person.h"
#include "tests/data/model/TestMedia.h"

using namespace vemotest;

namespace {

// Little-endian record bytes written out by hand.
class CBytes {
public:
    CBytes& W(std::uint16_t v) { return Raw(&v, 2); }
    CBytes& I(std::int32_t v) { return Raw(&v, 4); }
    CBytes& D(double v) { return Raw(&v, 8); }
    CBytes& B(bool v) { return W(v ? 1 : 0); }
    CBytes& S(const std::string& text)
    {
        m_bytes += static_cast<char>(text.size());
        m_bytes += text;
        return *this;
    }
    CBytes& NullDate() { return I(2).D(0.0); }
    CBytes& Date(double value) { return I(0).D(value); }
    const std::string& Get() const { return m_bytes; }

private:
    CBytes& Raw(const void* data, std::size_t n)
    {
        m_bytes.append(static_cast<const char*>(data), n);
        return *this;
    }
    std::string m_bytes;
};

// A track medium whose optional parts and sub-items a test switches off.
class CTestFlexMedium : public CExposed<CTrackMedia> {
public:
    explicit CTestFlexMedium(bool parts, bool subItems = true)
        : CExposed<CTrackMedia>(true, parts, true, parts, parts, "", false)
        , m_subItems(subItems)
    {
    }
    CMediaSubItem* CreateSubItem(CMediaSubItem*) const override { return m_subItems ? new CTestAudioTrack : nullptr; }
    CMediaItem* Clone() const override { return nullptr; }
    int GetMediaType() const override { return CMediaUtils::MEDIA_CD; }

private:
    bool m_subItems;
};

class ItemRecordTest : public ::testing::Test {
protected:
    CStoreFixture m_store;
};

TEST_F(ItemRecordTest, RecordableDiscRecordIsByteExact)
{
    CTestRecDisc disc;
    disc.SetYearPublished(1999);
    disc.SetPrice(2.5);
    disc.SetTitle("Mix");
    disc.SetMediaSize(4800);
    disc.SetManufacturer("TDK");
    disc.SetArtist("Various");
    CTestRecording* recording = disc.AddRecording(200);
    recording->SetTitle("One");
    recording->SetTrack(2);
    recording->SetSource(CRecordingTrack::srcRadio);
    recording->SetDate(COleDateTime(1.5));

    CBytes expected;
    expected.W(1).I(1).W(1).I(0); // item: version, category 1, empty custom values
    expected.W(1).I(1999).D(2.5).S("").S("").NullDate().S("Mix").S("").S("Track #");
    expected.B(true).W(1).I(0); // empty lending history
    expected.I(0); // no publisher
    expected.B(true).W(1).I(0).I(0).S(""); // report properties
    expected.B(false); // no special features
    expected.I(1); // one sub-item:
    expected.W(1).I(0).W(1); //   item without category, sub-item version
    expected.W(1).I(200).W(2).S("One"); //   track
    expected.W(1).W(1).Date(1.5); //   recording
    expected.W(1).B(true).I(4800); // track medium
    expected.W(1); // audio setting: stereo only
    for (int flag = 0; flag < 16; ++flag)
        expected.B(flag == 1);
    expected.I(0);
    expected.W(1).S("TDK"); // recordable medium
    expected.W(1).S("Various"); // audio recordable medium
    expected.W(1); // recordable audio disc
    EXPECT_EQ(Store(disc), expected.Get());
}

TEST_F(ItemRecordTest, VideoMediaRecordIsByteExact)
{
    CTestVideo dvd;
    dvd.SetMediaLength(5400);
    dvd.SetRegion(2);
    dvd.SetDirector("Lynch");
    const std::string bytes = Store(dvd);
    CBytes tail;
    tail.W(1).W(1).B(true).B(true); // version, video setting
    tail.W(1);
    for (int flag = 0; flag < 16; ++flag)
        tail.B(flag == 1);
    tail.I(0).I(5400).W(1).W(2).S("").S("").S("").S("").S("Lynch");
    ASSERT_GT(bytes.size(), tail.Get().size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.Get().size()), tail.Get());
    // Before it: special features flag and record, then no sub-items.
    CBytes features;
    features.B(true).W(1);
    for (int flag = 0; flag < 15; ++flag)
        features.B(false);
    features.I(0);
    EXPECT_EQ(
        bytes.substr(bytes.size() - tail.Get().size() - features.Get().size(), features.Get().size()), features.Get());
}

// Each family: written, read into a fresh object, written again, same bytes.
struct FamilyCase {
    const char* name;
    std::function<std::unique_ptr<CMediaItem>()> make;
    std::function<void(CMediaItem&)> fill;
};

class FamilyRecordTest : public ItemRecordTest, public ::testing::WithParamInterface<FamilyCase> { };

TEST_P(FamilyRecordTest, ReadsBackWhatItWrote)
{
    CPerson* publisher = CPublisherMgr::GetInstance()->GetPublisher("Island", true);
    std::unique_ptr<CMediaItem> original = GetParam().make();
    original->SetCategoryID(CStoreFixture::AddCategory("Rock"));
    original->SetTitle("Title é");
    original->SetDescription(std::string(300, 'd'));
    original->SetLibraryID("ID-1");
    original->SetLocation("Box");
    original->SetYearPublished(1971);
    original->SetPrice(19.95);
    original->SetDateAcquired(COleDateTime(2001, 2, 3, 4, 5, 6));
    original->SetPublisherID(publisher->GetUniqueID());
    if (CCheckOut* history = original->GetCheckOut()) {
        auto* loan = new CCheckOutState;
        loan->SetCheckedOutDate(COleDateTime(2024, 1, 2, 0, 0, 0));
        history->Add(loan);
    }
    if (original->GetReportProperties()) {
        original->GetReportProperties()->SetImageFile("/x.png");
        original->GetReportProperties()->SetImageWidth(3);
    }
    if (original->GetSpecialFeatures())
        original->GetSpecialFeatures()->SetPhotos(true);
    auto* value = new CCustomValue(CCustomValue::stringValue);
    value->SetValue(CString("v"));
    original->GetCustomValues()->SetAt(1, value);
    GetParam().fill(*original);

    const std::string bytes = Store(*original);
    std::unique_ptr<CMediaItem> restored = GetParam().make();
    EXPECT_TRUE(Load(*restored, bytes));
    EXPECT_EQ(Store(*restored), bytes);
    EXPECT_EQ(restored->GetTitle(), "Title é");
    EXPECT_EQ(restored->GetPublisherID(), publisher->GetUniqueID());
    EXPECT_EQ(restored->GetSubItemCount(), original->GetSubItemCount());
    for (POSITION pos = restored->GetHeadSubItem(); pos;)
        EXPECT_EQ(restored->GetNextSubItem(pos)->GetParent(), restored.get());
    ASSERT_NE(restored->GetCustomValues()->GetValueAt(1), nullptr);
    EXPECT_EQ(restored->GetCustomValues()->GetValueAt(1)->GetStringValue(), "v");
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyRecordTest,
    ::testing::Values(FamilyCase { "AudioTrackMedia", [] { return std::make_unique<CTestAudioTrackMedia>(); },
                          [](CMediaItem& item) {
                              auto& cd = static_cast<CTestAudioTrackMedia&>(item);
                              cd.SetDiscs(2);
                              cd.SetArtist("Band");
                              cd.SetJacketNumber("J");
                              cd.SetMediaSize(3000);
                              cd.GetAudio().SetFullRangeChannels(6);
                              cd.AddTrack(1, 1, "a", 100);
                              cd.AddTrack(2, 5, "b", 200);
                          } },
        FamilyCase { "AudioRecTape", [] { return std::make_unique<CTestTape>(); },
            [](CMediaItem& item) {
                auto& tape = static_cast<CTestTape&>(item);
                tape.SetManufacturer("BASF");
                tape.SetArtist("Mix");
                tape.SetMediaSize(5400);
                tape.AddRecording(false, 30, 100, "b")->SetSource(CRecordingTrack::srcHDDVD);
                tape.AddRecording(true, 0, 100, "a")->SetDate(COleDateTime(1990, 5, 6, 0, 0, 0));
            } },
        FamilyCase { "AudioRecDisc", [] { return std::make_unique<CTestRecDisc>(); },
            [](CMediaItem& item) { static_cast<CTestRecDisc&>(item).AddRecording(77); } },
        FamilyCase { "VideoRecordable", [] { return std::make_unique<CTestVideoRec>(); },
            [](CMediaItem& item) {
                auto& disc = static_cast<CTestVideoRec&>(item);
                disc.SetSubTitle("s");
                disc.SetSeriesNumber("n");
                disc.SetLeadActor("l");
                disc.SetCoStar("c");
                disc.SetDirector("d");
                disc.GetVideo().SetPanScan(true);
                disc.AddSubItem(new CTestRecording);
            } },
        FamilyCase { "VideoMedia", [] { return std::make_unique<CTestVideo>(); },
            [](CMediaItem& item) {
                auto& dvd = static_cast<CTestVideo&>(item);
                dvd.SetMediaLength(7000);
                dvd.SetDiscs(3);
                dvd.SetRegion(0);
                dvd.SetCoStar("c");
                dvd.GetVideo().SetWidescreen(false);
                dvd.GetAudio().SetDTSHD(true);
            } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ItemRecordTest, EveryTruncationFailsWithoutHalfReadSubItems)
{
    const int news = CStoreFixture::AddCategory("News");
    CTestIssue issue;
    for (const char* title : { "first", "second", "third" }) {
        auto* article = new CTestArticle;
        article->SetTitle(title);
        article->SetLength(60);
        article->SetCategoryID(news);
        auto* value = new CCustomValue(CCustomValue::stringValue);
        value->SetValue(CString(title));
        article->GetCustomValues()->SetAt(0, value);
        issue.AddSubItem(article);
    }
    const std::string bytes = Store(issue);
    std::vector<std::string> articleBytes;
    for (CMediaSubItem* article : issue.List())
        articleBytes.push_back(Store(*article));
    ASSERT_EQ(CStoreFixture::UseCount(news), 3);

    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const std::string cut = bytes.substr(0, size);
        CTestIssue loaded;
        EXPECT_THROW(Load(loaded, cut), CArchiveException) << size;
        ASSERT_LE(loaded.GetSubItemCount(), 3);
        std::size_t i = 0;
        for (CMediaSubItem* article : loaded.List()) {
            EXPECT_EQ(article->GetParent(), &loaded);
            EXPECT_EQ(Store(*article), articleBytes[i++]) << size;
        }
        // Only the whole articles hold a use of their category.
        EXPECT_EQ(CStoreFixture::UseCount(news), 3 + loaded.GetSubItemCount()) << size;
    }
    EXPECT_EQ(CStoreFixture::UseCount(news), 3);
    CTestIssue whole;
    EXPECT_TRUE(Load(whole, bytes));
    EXPECT_EQ(whole.GetSubItemCount(), 3);
}

TEST_F(ItemRecordTest, FlippedBytesLoadOrFailCleanly)
{
    CTestTape tape;
    tape.SetCategoryID(CStoreFixture::AddCategory("Mixes"));
    tape.AddRecording(true, 0, 100, "a");
    tape.AddRecording(false, 0, 100, "b");
    tape.GetCheckOut()->Add(new CCheckOutState);
    const std::string bytes = Store(tape);
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0xFF);
        CTestTape loaded;
        try {
            Load(loaded, damaged);
        } catch (const CArchiveException&) {
        }
        for (CMediaSubItem* recording : loaded.List())
            EXPECT_EQ(recording->GetParent(), &loaded) << at;
    }
}

TEST_F(ItemRecordTest, LoadingCountsCategoryUses)
{
    const int jazz = CStoreFixture::AddCategory("Jazz");
    CTestAudioTrackMedia cd;
    cd.SetCategoryID(jazz);
    const std::string bytes = Store(cd);
    CTestAudioTrackMedia first;
    CTestAudioTrackMedia second;
    Load(first, bytes);
    Load(second, bytes);
    EXPECT_EQ(first.GetCategoryID(), jazz);
    EXPECT_EQ(CStoreFixture::UseCount(jazz), 3);
}

TEST_F(ItemRecordTest, UnknownPublisherLoadsAsNone)
{
    CPerson* publisher = CPublisherMgr::GetInstance()->GetPublisher("Gone", true);
    CTestVideo dvd;
    dvd.SetPublisherID(publisher->GetUniqueID());
    const std::string bytes = Store(dvd);
    CPublisherMgr::GetInstance()->Remove(publisher);
    CTestVideo loaded;
    Load(loaded, bytes);
    EXPECT_EQ(loaded.GetPublisherID(), 0);
}

TEST_F(ItemRecordTest, StoredPartsAreCreatedOnLoad)
{
    CTestFlexMedium writer(true);
    writer.GetReportProperties()->SetImageFile("/p.png");
    writer.GetSpecialFeatures()->SetGame(true);
    writer.GetCheckOut()->Add(new CCheckOutState);
    CTestFlexMedium reader(false);
    ASSERT_EQ(reader.GetCheckOut(), nullptr);
    EXPECT_TRUE(Load(reader, Store(writer)));
    ASSERT_NE(reader.GetCheckOut(), nullptr);
    EXPECT_EQ(reader.GetCheckOut()->GetEntryCount(), 1);
    ASSERT_NE(reader.GetReportProperties(), nullptr);
    EXPECT_EQ(reader.GetReportProperties()->GetImageFile(), "/p.png");
    ASSERT_NE(reader.GetSpecialFeatures(), nullptr);
    EXPECT_TRUE(reader.GetSpecialFeatures()->GetGame());

    // Loading again replaces the history instead of adding to it.
    EXPECT_TRUE(Load(reader, Store(writer)));
    EXPECT_EQ(reader.GetCheckOut()->GetEntryCount(), 1);
}

TEST_F(ItemRecordTest, PartsNeverAskedForAreWrittenAsFreshOnes)
{
    CTestFlexMedium made(true);
    made.GetCheckOut();
    made.GetReportProperties();
    const std::string bytes = Store(made);
    CTestFlexMedium untouched(true);
    EXPECT_EQ(Store(untouched), bytes);

    // Read, looked at and written back: the same bytes.
    CTestFlexMedium loaded(true);
    EXPECT_TRUE(Load(loaded, bytes));
    ASSERT_NE(loaded.PeekCheckOut(), nullptr);
    EXPECT_EQ(loaded.PeekCheckOut()->GetCurrentState(), CCheckOut::stateNone);
    EXPECT_EQ(loaded.PeekReportProperties()->GetImageFile(), "");
    EXPECT_EQ(Store(loaded), bytes);

    // Asked for, the part is the item's own and is written with it.
    loaded.GetCheckOut()->Add(new CCheckOutState);
    loaded.GetReportProperties()->SetImageFile("/c.png");
    EXPECT_EQ(loaded.PeekCheckOut(), loaded.GetCheckOut());
    CTestFlexMedium reread(true);
    EXPECT_TRUE(Load(reread, Store(loaded)));
    EXPECT_EQ(reread.PeekCheckOut()->GetEntryCount(), 1);
    EXPECT_EQ(reread.PeekReportProperties()->GetImageFile(), "/c.png");
    CTestFlexMedium none(false);
    EXPECT_EQ(none.PeekCheckOut(), nullptr);
    EXPECT_EQ(none.PeekReportProperties(), nullptr);
}

TEST_F(ItemRecordTest, SubItemsForAMediumWithoutThemAreRefused)
{
    CTestFlexMedium writer(true);
    writer.AddSubItem(new CTestAudioTrack);
    CTestFlexMedium reader(true, false);
    try {
        Load(reader, Store(writer));
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::badFormat);
    }
}

TEST_F(ItemRecordTest, HugeSubItemCountIsRefusedBeforeReading)
{
    CTestFlexMedium writer(false);
    std::string bytes = Store(writer);
    // With no parts, the sub-item count sits before the track medium's part:
    // version, boolean, size and the 38-byte audio setting.
    const std::size_t countAt = bytes.size() - (2 + 2 + 4 + 38) - 4;
    const std::int32_t huge = 0x7FFFFFFF;
    std::memcpy(bytes.data() + countAt, &huge, 4);
    CTestFlexMedium reader(false);
    try {
        Load(reader, bytes);
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::badCount);
    }
    EXPECT_EQ(reader.GetSubItemCount(), 0);
}

TEST_F(ItemRecordTest, EmptyListEntriesAreDroppedBeforeStoring)
{
    CTestTape tape;
    tape.AddRecording(true, 0, 10);
    tape.List().AddTail(nullptr);
    tape.AddRecording(true, 20, 10);
    const std::string bytes = Store(tape);
    EXPECT_EQ(tape.GetSubItemCount(), 2);
    CTestTape loaded;
    EXPECT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.GetSubItemCount(), 2);
}

TEST_F(ItemRecordTest, UnknownSourceCodesReadAsUnknown)
{
    CTestRecording recording;
    recording.SetSource(CRecordingTrack::srcBluray);
    std::string bytes = Store(recording);
    // item (6), sub-item (2), track (2 + 4 + 2 + 1), recording version (2).
    const std::size_t sourceAt = 19;
    ASSERT_EQ(static_cast<unsigned char>(bytes[sourceAt]), 19);
    bytes[sourceAt] = 21;
    CTestRecording loaded;
    EXPECT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(loaded.GetSource(), CRecordingTrack::srcUnknown);
}

} // namespace
