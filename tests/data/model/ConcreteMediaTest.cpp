// What the concrete media classes decide for themselves: their ids and
// sub-item classes, duplicate tests, copies, video tape formats, capacities,
// name lists, sub-item orders and the texts that list them.
#include <gtest/gtest.h>

#include "ConcreteMediaSupport.h"
#include "data/model/Book.h"
#include "data/model/CassetteRecording.h"
#include "data/model/CheckOut.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/DAT.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/model/MediaValueLists.h"
#include "data/model/ReelToReel.h"
#include "data/model/Software.h"
#include "data/model/VideoTape.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

using namespace concretetest;
using U = CMediaUtils;

namespace {

struct TypeFacts {
    int type;
    const char* subItemOrder;
    // -1: no track sub-items.
    int usesTrackNumbers;
    bool subItemHasCategory;
};

const TypeFacts TYPE_FACTS[] = {
    { U::MEDIA_BOOK, "Chapter", -1, false },
    { U::MEDIA_CASSETTE, "Side", 0, false },
    { U::MEDIA_CD, "Disc #", 1, false },
    { U::MEDIA_CDREC, "Track #", 1, false },
    { U::MEDIA_DAT, "Side", 1, false },
    { U::MEDIA_DVD, "", -1, false },
    { U::MEDIA_DVDAUDIO, "Disc #", 1, false },
    { U::MEDIA_DVDREC, "Track #", 1, false },
    { U::MEDIA_DVDAUDIOREC, "Track #", 1, false },
    { U::MEDIA_LASERDISC, "", -1, false },
    { U::MEDIA_MAGAZINE, "Page", -1, true },
    { U::MEDIA_MINIDISC, "Track #", 1, false },
    { U::MEDIA_RECORDALBUM, "Disc #", 1, false },
    { U::MEDIA_SHEETMUSIC, "", -1, false },
    { U::MEDIA_SOFTWARE, "", -1, false },
    { U::MEDIA_VIDEOTAPE, "Track #", 1, false },
    { U::MEDIA_REELTOREEL, "Side", 0, false },
    { U::MEDIA_8TRACK, "Disc #", 1, false },
    { U::MEDIA_VIDEOGAME, "", -1, false },
    { U::MEDIA_DUALDISC, "Disc #", 1, false },
    { U::MEDIA_BLURAY, "", -1, false },
    { U::MEDIA_BLURAYREC, "Track #", 1, false },
    { U::MEDIA_HDDVD, "", -1, false },
    { U::MEDIA_HDDVDREC, "Track #", 1, false },
};

class ConcreteTypeTest : public ::testing::TestWithParam<TypeFacts> { };

std::string FactsName(const ::testing::TestParamInfo<TypeFacts>& info)
{
    return TypeName(info.param.type);
}

} // namespace

TEST_P(ConcreteTypeTest, ClassesBelongToTheirMediaType)
{
    const TypeFacts& facts = GetParam();
    auto item = MakeDefaultItem(facts.type);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(facts.type, item->GetMediaType());
    EXPECT_EQ(facts.type, U::GetItemMediaID(item.get()));
    EXPECT_EQ(facts.subItemOrder, item->GetSubItemSortOrder());
    EXPECT_TRUE(item->UsesCategory());

    std::unique_ptr<CMediaSubItem> subItem(item->CreateSubItem(nullptr));
    ASSERT_EQ(HasSubItems(facts.type), subItem != nullptr);
    if (!subItem)
        return;
    EXPECT_EQ(facts.type, U::GetItemMediaID(subItem.get()));
    EXPECT_EQ(facts.subItemHasCategory, subItem->UsesCategory());
    EXPECT_EQ(facts.subItemHasCategory, subItem->GetCustomValues() != nullptr);
    const auto* track = dynamic_cast<const CTrack*>(subItem.get());
    EXPECT_EQ(facts.usesTrackNumbers, track ? int(track->GetUsesTrackNumbers()) : -1);

    // A sub-item of another class gives a default one of the medium's own.
    CBookChapter foreign;
    foreign.SetTitle("Elsewhere");
    std::unique_ptr<CMediaSubItem> made(item->CreateSubItem(&foreign));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(facts.type, U::GetItemMediaID(made.get()));
    if (facts.type != U::MEDIA_BOOK) {
        EXPECT_EQ(UNANSWERED, *AllData(*made).PLookup(U::MEDIA_PROP_CHAPTERTITLE));
    }
}

TEST_P(ConcreteTypeTest, CopyStartsAFreshHistoryAndOwnsItsSubItems)
{
    const int type = GetParam().type;
    auto item = MakeFullItem(type);
    std::unique_ptr<CMediaItem> copy(item->Clone());
    ASSERT_EQ(type, U::GetItemMediaID(copy.get()));
    EXPECT_EQ("copy of " + item->GetTitle(), copy->GetTitle());
    ASSERT_NE(copy->GetCheckOut(), nullptr);
    EXPECT_EQ(0, copy->GetCheckOut()->GetEntryCount());
    EXPECT_EQ(3, copy->GetCustomValues()->GetValueCount());

    CMapStringToString expected = AllData(*item);
    CMapStringToString actual = AllData(*copy);
    for (const CString& prop : { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_COSTATUS, U::MEDIA_PROP_COTIMES }) {
        expected.RemoveKey(prop);
        actual.RemoveKey(prop);
    }
    EXPECT_EQ(expected, actual);

    const auto subItems = SubItems(*item);
    const auto copied = SubItems(*copy);
    ASSERT_EQ(subItems.size(), copied.size());
    for (std::size_t i = 0; i < copied.size(); ++i) {
        EXPECT_NE(subItems[i], copied[i]);
        EXPECT_EQ(copy.get(), copied[i]->GetParent());
        const CMapStringToString own = AllData(*subItems[i]);
        const CMapStringToString copiedOwn = AllData(*copied[i]);
        for (const CString& prop : CarriedSubItemProps(type))
            EXPECT_EQ(*own.PLookup(prop), *copiedOwn.PLookup(prop)) << prop;
    }

    // Assignment through the medium's base copies the type's own fields and
    // replaces the sub-items rather than adding to them.
    auto target = MakeDefaultItem(type);
    CMediaItem& asMedium = *target;
    asMedium = *item;
    CMapStringToString assigned = AllData(*target);
    for (const CString& prop : { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_COSTATUS, U::MEDIA_PROP_COTIMES })
        assigned.RemoveKey(prop);
    EXPECT_EQ(expected, assigned);
    asMedium = *item;
    EXPECT_EQ(subItems.size(), SubItems(*target).size());
    asMedium = asMedium;
    EXPECT_EQ(subItems.size(), SubItems(*target).size());
    for (const CMediaSubItem* subItem : SubItems(*target))
        EXPECT_EQ(target.get(), subItem->GetParent());
}

INSTANTIATE_TEST_SUITE_P(AllTypes, ConcreteTypeTest, ::testing::ValuesIn(TYPE_FACTS), FactsName);

namespace {

struct DuplicateKeys {
    int type;
    std::vector<CString> keys;
};

const DuplicateKeys DUPLICATE_KEYS[] = {
    { U::MEDIA_BOOK, { "Title", "SubTitle", "Author", "Series Number", "Edition" } },
    { U::MEDIA_MAGAZINE, { "Magazine", "Issue" } },
    { U::MEDIA_SHEETMUSIC, { "Title", "Composer", "Arranger", "Instrumentation" } },
    { U::MEDIA_SOFTWARE, { "Title", "Version", "Console/Format" } },
    { U::MEDIA_VIDEOGAME, { "Title", "Series Number", "Console/Format" } },
    { U::MEDIA_CD, { "Artist", "Title", "CD Single" } },
    { U::MEDIA_DVDAUDIO, { "Artist", "Title" } },
    { U::MEDIA_RECORDALBUM, { "Artist", "Title" } },
    { U::MEDIA_8TRACK, { "Artist", "Title" } },
    { U::MEDIA_DUALDISC, { "Artist", "Title" } },
    { U::MEDIA_CASSETTE, { "Library ID", "Artist", "Title" } },
    { U::MEDIA_DAT, { "Library ID", "Artist", "Title" } },
    { U::MEDIA_REELTOREEL, { "Library ID", "Artist", "Title" } },
    { U::MEDIA_CDREC, { "Library ID", "Artist", "Title" } },
    { U::MEDIA_MINIDISC, { "Library ID", "Artist", "Title" } },
    { U::MEDIA_DVDAUDIOREC, { "Library ID", "Artist", "Title" } },
    { U::MEDIA_DVD, { "Title", "SubTitle", "Series Number" } },
    { U::MEDIA_BLURAY, { "Title", "SubTitle", "Series Number" } },
    { U::MEDIA_HDDVD, { "Title", "SubTitle", "Series Number" } },
    { U::MEDIA_LASERDISC, { "Title", "SubTitle", "Series Number" } },
    { U::MEDIA_DVDREC, { "Library ID", "Title", "SubTitle", "Series Number" } },
    { U::MEDIA_BLURAYREC, { "Library ID", "Title", "SubTitle", "Series Number" } },
    { U::MEDIA_HDDVDREC, { "Library ID", "Title", "SubTitle", "Series Number" } },
    { U::MEDIA_VIDEOTAPE, { "Type", "Library ID", "Title", "SubTitle", "Series Number" } },
};

class ConcreteDuplicateTest : public ::testing::TestWithParam<DuplicateKeys> { };

std::unique_ptr<CMediaItem> ItemFrom(int type, const CMapStringToString& data)
{
    auto item = MakeDefaultItem(type);
    item->SetData(data, true);
    return item;
}

CString OtherValue(const CString& prop, const CString& value)
{
    if (prop == U::MEDIA_PROP_CDSINGLE)
        return "N";
    if (prop == U::MEDIA_PROP_TYPE)
        return "Beta";
    return value + " II";
}

} // namespace

TEST_P(ConcreteDuplicateTest, KeyFieldsDecideIgnoringCase)
{
    const DuplicateKeys& param = GetParam();
    const CMapStringToString data = FullMediaMap();
    auto item = ItemFrom(param.type, data);
    EXPECT_FALSE(*item == *item) << "an item is no duplicate of itself";
    EXPECT_TRUE(*item == *ItemFrom(param.type, data));

    CMapStringToString otherFields = data;
    otherFields.SetAt(U::MEDIA_PROP_DESCRIPTION, "Something else");
    otherFields.SetAt(U::MEDIA_PROP_LOCATION, "Attic");
    EXPECT_TRUE(*item == *ItemFrom(param.type, otherFields));

    for (const CString& key : param.keys) {
        CMapStringToString upper = data;
        upper.SetAt(key, CStringUtils::ToUpper(*data.PLookup(key)));
        EXPECT_TRUE(*item == *ItemFrom(param.type, upper)) << key << " in upper case";

        CMapStringToString changed = data;
        changed.SetAt(key, OtherValue(key, *data.PLookup(key)));
        auto other = ItemFrom(param.type, changed);
        EXPECT_FALSE(*item == *other) << key << " changed";
        EXPECT_FALSE(*other == *item) << key << " changed";
    }

    const int otherType = param.type == U::MEDIA_DVD ? U::MEDIA_BLURAY : U::MEDIA_DVD;
    EXPECT_FALSE(*item == *ItemFrom(otherType, data));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, ConcreteDuplicateTest, ::testing::ValuesIn(DUPLICATE_KEYS),
    [](const ::testing::TestParamInfo<DuplicateKeys>& info) { return TypeName(info.param.type); });

TEST(ConcreteSubItemTest, TracksAreDuplicatesOnTheSameMediumByNumberAndTitle)
{
    auto cd = MakeDefaultItem(U::MEDIA_CD);
    CMediaSubItem* first = cd->CreateSubItem(nullptr);
    CMediaSubItem* second = cd->CreateSubItem(nullptr);
    cd->AddSubItem(first);
    cd->AddSubItem(second);
    first->SetData(FullSubItemMap(1), true);
    CMapStringToString same = FullSubItemMap(1);
    same.SetAt(U::MEDIA_PROP_TRACKTITLE, CStringUtils::ToUpper(*same.PLookup(U::MEDIA_PROP_TRACKTITLE)));
    second->SetData(same, true);
    EXPECT_TRUE(*first == *second);
    EXPECT_FALSE(*first == *first);
    same.SetAt(U::MEDIA_PROP_TRACKNUMBER, "9");
    second->SetData(same, true);
    EXPECT_FALSE(*first == *second);
}

TEST(ConcreteSubItemTest, ValidDataNeedsATitleOrMore)
{
    for (int type : AllMediaTypes()) {
        auto item = MakeDefaultItem(type);
        std::unique_ptr<CMediaSubItem> subItem(item->CreateSubItem(nullptr));
        if (!subItem)
            continue;
        EXPECT_FALSE(subItem->HaveValidData()) << TypeName(type);
        CMapStringToString blank = FullSubItemMap(1);
        for (auto& [prop, value] : blank)
            value = "  ";
        subItem->SetData(blank, true);
        EXPECT_FALSE(subItem->HaveValidData()) << TypeName(type) << " with blank texts";
        subItem->SetData(FullSubItemMap(1), true);
        EXPECT_TRUE(subItem->HaveValidData()) << TypeName(type);
    }
}

namespace {

struct TapeFormat {
    int formatID;
    int tapeType;
    const char* name;
    int maxMinutes;
};

const TapeFormat TAPE_FORMATS[] = {
    { 116, CVideoTape::typeVHS, "VHS", 160 },
    { 117, CVideoTape::type8mm, "8mm", 120 },
    { 118, CVideoTape::typeDV, "DV", 180 },
    { 119, CVideoTape::typeVHSC, "VHS-c", 45 },
    { 120, CVideoTape::typeBeta, "Beta", 180 },
    { 121, CVideoTape::typeDVHS, "D-VHS", 240 },
    { 122, CVideoTape::typeSVHS, "S-VHS", 160 },
    { 123, CVideoTape::typeMiniDV, "MiniDV", 80 },
    { 124, CVideoTape::typeDigitalS, "Digital-S", 124 },
    { 125, CVideoTape::typeDigital8, "Digital8", 60 },
};

class ConcreteTapeFormatTest : public ::testing::TestWithParam<TapeFormat> { };

} // namespace

TEST_P(ConcreteTapeFormatTest, FormatIdsTypesAndNamesCorrespond)
{
    const TapeFormat& format = GetParam();
    EXPECT_EQ(format.tapeType, CVideoTape::ConvertType(format.formatID));
    EXPECT_EQ(format.formatID, CVideoTape::ConvertTypeToID(format.tapeType));
    EXPECT_EQ(format.name, CVideoTape::GetFormatName(format.formatID));
    EXPECT_EQ(format.name, CVideoTape::GetTypeText(format.tapeType));
    EXPECT_EQ(format.tapeType, CVideoTape::ParseType(format.name));
    EXPECT_EQ(format.tapeType, CVideoTape::ParseType(CStringUtils::ToLower(format.name)));

    std::unique_ptr<CMediaItem> item(CMediaRegistry::CreateItem(format.formatID));
    auto* tape = dynamic_cast<CVideoTape*>(item.get());
    ASSERT_NE(tape, nullptr);
    EXPECT_EQ(U::MEDIA_VIDEOTAPE, tape->GetMediaType());
    EXPECT_EQ(format.tapeType, tape->GetTapeType());
    EXPECT_EQ(format.formatID, tape->GetFormatID());
    EXPECT_EQ(format.maxMinutes * 60, tape->GetMaxContentSize());
    EXPECT_EQ(format.name, *AllData(*tape).PLookup(U::MEDIA_PROP_TYPE));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, ConcreteTapeFormatTest, ::testing::ValuesIn(TAPE_FORMATS),
    [](const ::testing::TestParamInfo<TapeFormat>& info) { return std::to_string(info.param.formatID); });

TEST(ConcreteVideoTapeTest, OtherIdsAndNamesHaveNoFormat)
{
    for (int id : { 0, 16, 115, 126 })
        EXPECT_EQ(-1, CVideoTape::ConvertType(id)) << id;
    for (int type : { -1, 10 }) {
        EXPECT_EQ(0, CVideoTape::ConvertTypeToID(type));
        EXPECT_EQ("", CVideoTape::GetTypeText(type));
        EXPECT_EQ(0, CVideoTape::GetMaxTapeLength(type));
    }
    EXPECT_EQ(CVideoTape::typeSVHS, CVideoTape::ParseType("svhs"));
    EXPECT_EQ(CVideoTape::typeVHSC, CVideoTape::ParseType("VHS-C"));
    EXPECT_EQ(CVideoTape::typeBeta, CVideoTape::ParseType("Betamax"));
    EXPECT_EQ(-1, CVideoTape::ParseType(""));
    EXPECT_EQ(-1, CVideoTape::ParseType("Super 8"));
    EXPECT_EQ(nullptr, CMediaRegistry::CreateItem(126));
    EXPECT_EQ(nullptr, CMediaRegistry::CreateItem(0));
}

TEST(ConcreteVideoTapeTest, UnknownFormatNameKeepsTheFormatAndAStoredOutOfRangeTypeLoadsAsVHS)
{
    CVideoTape tape;
    tape.SetTapeType(CVideoTape::typeMiniDV);
    CMapStringToString data;
    data.SetAt(U::MEDIA_PROP_TYPE, "Super 8");
    tape.SetData(data, true);
    EXPECT_EQ(CVideoTape::typeMiniDV, tape.GetTapeType());
    data.SetAt(U::MEDIA_PROP_TYPE, "Beta");
    tape.SetData(data, false);
    EXPECT_EQ(CVideoTape::typeMiniDV, tape.GetTapeType()) << "merging never changes a format";

    // The tape type is the record's last word.
    std::string bytes = Store(tape);
    bytes[bytes.size() - 2] = 12;
    CVideoTape loaded;
    ASSERT_TRUE(Load(loaded, bytes));
    EXPECT_EQ(CVideoTape::typeVHS, loaded.GetTapeType());
}

TEST(ConcreteVideoTapeTest, RecordingsSortByCounter)
{
    CVideoTape tape;
    for (int start : { 3600, 0, 1800 }) {
        auto* recording = new CVideoTapeRecording();
        recording->SetStart(start);
        tape.AddSubItem(recording);
    }
    tape.SetSubItemSortOrder(U::MEDIA_PROP_COUNTER, true);
    std::vector<int> starts;
    for (CMediaSubItem* subItem : SubItems(tape))
        starts.push_back(static_cast<CVideoTapeRecording*>(subItem)->GetStart());
    EXPECT_EQ((std::vector<int> { 0, 1800, 3600 }), starts);
    EXPECT_EQ("1:00:00", static_cast<CVideoTapeRecording*>(SubItems(tape).back())->GetStartText());
}

namespace {

struct Capacity {
    int type;
    int seconds;
};

const Capacity CAPACITIES[] = {
    { U::MEDIA_CASSETTE, 120 * 60 },
    { U::MEDIA_CDREC, 80 * 60 },
    { U::MEDIA_DAT, 180 * 60 },
    { U::MEDIA_DVDREC, 120 * 60 },
    { U::MEDIA_DVDAUDIOREC, 120 * 60 },
    { U::MEDIA_MINIDISC, 80 * 60 },
    { U::MEDIA_VIDEOTAPE, 160 * 60 },
    { U::MEDIA_REELTOREEL, 768 * 60 },
    { U::MEDIA_BLURAYREC, 180 * 60 },
    { U::MEDIA_HDDVDREC, 105 * 60 },
};

class ConcreteCapacityTest : public ::testing::TestWithParam<Capacity> { };

} // namespace

TEST_P(ConcreteCapacityTest, RecordableTypesHoldTheirRealWorldMaximum)
{
    auto item = MakeDefaultItem(GetParam().type);
    auto* recordable = dynamic_cast<CRecordableMedia*>(item.get());
    ASSERT_NE(recordable, nullptr);
    EXPECT_EQ(GetParam().seconds, recordable->GetMaxContentSize());
    EXPECT_EQ(std::to_string(GetParam().seconds / 60), recordable->GetMaxContentSizeText());
}

INSTANTIATE_TEST_SUITE_P(Recordable, ConcreteCapacityTest, ::testing::ValuesIn(CAPACITIES),
    [](const ::testing::TestParamInfo<Capacity>& info) { return TypeName(info.param.type); });

TEST(ConcreteCapacityTest, EveryRecordableTypeHasACapacity)
{
    for (int type : AllMediaTypes()) {
        bool recordable = false;
        if (!U::IsMediaTypeAudio(type, recordable) && !U::IsMediaTypeVideo(type, recordable))
            continue;
        auto item = MakeDefaultItem(type);
        EXPECT_EQ(recordable, dynamic_cast<CRecordableMedia*>(item.get()) != nullptr) << TypeName(type);
    }
}

TEST(ConcreteTapeTest, ADatIsFullWhenItsOneSideIsWhileACassetteNeedsBoth)
{
    CDAT dat;
    CMediaItem* cassette = CMediaRegistry::CreateItem(U::MEDIA_CASSETTE);
    std::unique_ptr<CMediaItem> owner(cassette);
    for (CRecordableMedia* tape : { static_cast<CRecordableMedia*>(&dat), dynamic_cast<CRecordableMedia*>(cassette) }) {
        tape->SetMediaSize(3600);
        auto* recording = static_cast<CAudioTapeRecording*>(tape->CreateSubItem(nullptr));
        recording->SetLength(3600);
        tape->AddSubItem(recording);
    }
    EXPECT_TRUE(dat.IsMediaFull());
    EXPECT_TRUE(dat.IsSideBFull());
    EXPECT_FALSE(dynamic_cast<CRecordableMedia*>(cassette)->IsMediaFull());
}

TEST(ConcreteTapeTest, ReelMediaSizeIsFeetAndLengthIsTheRecordingTime)
{
    CReelToReel reel;
    CMapStringToString data;
    data.SetAt(U::MEDIA_PROP_MEDIASIZE, "1800");
    data.SetAt(U::MEDIA_PROP_LENGTH, "1:30:00");
    reel.SetData(data, true);
    EXPECT_EQ(1800, reel.GetTapeSize());
    EXPECT_EQ(5400, reel.GetMediaSize());
    const CMapStringToString answered = AllData(reel);
    EXPECT_EQ("1800", *answered.PLookup(U::MEDIA_PROP_MEDIASIZE));
    EXPECT_EQ("90:00", *answered.PLookup(U::MEDIA_PROP_LENGTH));
    EXPECT_EQ("1800", reel.GetMediaSizeText());
    EXPECT_EQ(3600, CReelToReel::GetMaxTapeSize());
}

TEST(ConcreteValueListsTest, ItemsAddTheirNamesToTheListsAsked)
{
    CStringList artists, actors, directors, authors, locations, manufacturers, composers, arrangers, wordsBy, musicBy,
        instrumentations;
    CMediaValueLists lists;
    lists.m_artists = &artists;
    lists.m_actors = &actors;
    lists.m_directors = &directors;
    lists.m_authors = &authors;
    lists.m_locations = &locations;
    lists.m_manufacturers = &manufacturers;
    lists.m_composers = &composers;
    lists.m_arrangers = &arrangers;
    lists.m_wordsBy = &wordsBy;
    lists.m_musicBy = &musicBy;
    lists.m_instrumentations = &instrumentations;

    for (int type : { U::MEDIA_BOOK, U::MEDIA_CD, U::MEDIA_CASSETTE, U::MEDIA_DVD, U::MEDIA_VIDEOTAPE,
             U::MEDIA_MAGAZINE, U::MEDIA_SHEETMUSIC, U::MEDIA_SOFTWARE }) {
        auto item = MakeFullItem(type);
        lists.AddValues(item.get());
    }
    auto blank = MakeDefaultItem(U::MEDIA_CD);
    lists.AddValues(blank.get());
    lists.AddValues(nullptr);

    auto asVector = [](const CStringList& list) { return std::vector<CString>(list.begin(), list.end()); };
    EXPECT_EQ((std::vector<CString> { "The Artists", "The Artists" }), asVector(artists));
    EXPECT_EQ((std::vector<CString> { "Lea Lead", "Cole Costar", "Lea Lead", "Cole Costar" }), asVector(actors));
    EXPECT_EQ((std::vector<CString> { "Dora Director", "Dora Director" }), asVector(directors));
    EXPECT_EQ((std::vector<CString> { "Ann Author", "Bob Coauthor", "Writer 1", "Writer 2" }), asVector(authors));
    EXPECT_EQ(8u, locations.GetCount()) << "every item but the blank one";
    EXPECT_EQ((std::vector<CString> { "TDK", "TDK" }), asVector(manufacturers));
    EXPECT_EQ((std::vector<CString> { "Clara Composer" }), asVector(composers));
    EXPECT_EQ((std::vector<CString> { "Arno Arranger" }), asVector(arrangers));
    EXPECT_EQ((std::vector<CString> { "Lyra Lyricist" }), asVector(wordsBy));
    EXPECT_EQ((std::vector<CString> { "Mo Music" }), asVector(musicBy));
    EXPECT_EQ((std::vector<CString> { "Piano, voice" }), asVector(instrumentations));

    // Lists left out are not touched.
    CStringList onlyArtists;
    CMediaValueLists few;
    few.m_artists = &onlyArtists;
    few.AddValues(MakeFullItem(U::MEDIA_BOOK).get());
    few.AddValues(MakeFullItem(U::MEDIA_CD).get());
    EXPECT_EQ(1u, onlyArtists.GetCount());
}

TEST(ConcreteSortTest, ChaptersAndArticlesFollowTheirOrder)
{
    CBook book;
    for (auto [number, title] : { std::pair { 3, "C" }, { 1, "b" }, { 1, "A" } }) {
        auto* chapter = new CBookChapter();
        chapter->SetChapter(number);
        chapter->SetTitle(title);
        book.AddSubItem(chapter);
    }
    auto chapterTitles = [&] {
        CString titles;
        for (CMediaSubItem* subItem : SubItems(book))
            titles += static_cast<CBookChapter*>(subItem)->GetTitle();
        return titles;
    };
    book.SetSubItemSortOrder(U::MEDIA_PROP_CHAPTER, true);
    EXPECT_EQ("AbC", chapterTitles());
    book.SetSubItemSortOrder(U::MEDIA_PROP_CHAPTERTITLE, true);
    EXPECT_EQ("AbC", chapterTitles());
    book.SetSubItemSortOrder(U::MEDIA_PROP_CHAPTER, true);
    EXPECT_EQ("AbC", chapterTitles());

    CMagazineIssue issue;
    for (auto [page, title, author] : { std::tuple { 12, "x", "Zed" }, { 3, "y", "Amy" }, { 12, "a", "Bo" } }) {
        auto* article = new CMagazineArticle();
        article->SetPage(page);
        article->SetTitle(title);
        article->SetAuthor(author);
        issue.AddSubItem(article);
    }
    auto articleTitles = [&] {
        CString titles;
        for (CMediaSubItem* subItem : SubItems(issue))
            titles += static_cast<CMagazineArticle*>(subItem)->GetTitle();
        return titles;
    };
    issue.SetSubItemSortOrder(U::MEDIA_PROP_PAGE, true);
    EXPECT_EQ("yax", articleTitles());
    issue.SetSubItemSortOrder(U::MEDIA_PROP_TITLE, true);
    EXPECT_EQ("axy", articleTitles());
    issue.SetSubItemSortOrder(U::MEDIA_PROP_AUTHOR, true);
    EXPECT_EQ("yax", articleTitles());
}

TEST(ConcreteArticleTest, AnArticleAnswersItsOwnCategoryAndFields)
{
    auto issue = MakeFullItem(U::MEDIA_MAGAZINE);
    const CMediaSubItem* article = SubItems(*issue).front();
    const CMapStringToString data = AllData(*article);
    EXPECT_EQ("Essays", *data.PLookup(U::MEDIA_PROP_CATEGORY));
    EXPECT_EQ("Long reads", *data.PLookup(U::MEDIA_PROP_CATEGORYDESC));
    EXPECT_EQ("Article 1", *data.PLookup(U::MEDIA_PROP_TITLE));
    EXPECT_EQ("11", *data.PLookup(U::MEDIA_PROP_PAGE));
    EXPECT_EQ("Gadget Monthly", *data.PLookup(U::MEDIA_PROP_MAGAZINE));
    EXPECT_EQ("Jazz", *AllData(*issue).PLookup(U::MEDIA_PROP_CATEGORY));
}

TEST(ConcreteMagazineTest, IssueShowsItsTitlesPublisherAndSubscription)
{
    auto issue = MakeFullItem(U::MEDIA_MAGAZINE);
    const CMapStringToString data = AllData(*issue);
    EXPECT_EQ("Acme Books", *data.PLookup(U::MEDIA_PROP_PUBLISHER));
    EXPECT_EQ("1 Main St", *data.PLookup(U::MEDIA_PROP_PUBLISHERADDRESS));
    EXPECT_EQ("Y", *data.PLookup(U::MEDIA_PROP_SUBSCRIPTION));
    EXPECT_EQ("24.50", *data.PLookup(U::MEDIA_PROP_SUBSCRIPTIONCOST));
    EXPECT_EQ("SUB-1", *data.PLookup(U::MEDIA_PROP_SUBSCRIPTIONNUMBER));
    EXPECT_EQ("end of 2005", *data.PLookup(U::MEDIA_PROP_SUBSCRIPTIONEXP));
    EXPECT_EQ("2", *data.PLookup(U::MEDIA_PROP_ARTICLESCOUNT));

    // A title that no longer exists is not kept as a dangling id.
    CMagazineIssue orphan;
    orphan.SetMagazineID(EnsureSharedRecords().magazineID + 1000);
    CMagazineIssue loaded;
    ASSERT_TRUE(Load(loaded, Store(orphan)));
    EXPECT_EQ(0, loaded.GetMagazineID());
}

namespace {

struct Description {
    int type;
    CString sortProp;
    CString expected;
};

class ConcreteDescriptionTest : public ::testing::TestWithParam<Description> { };

const CString TITLE = "\"\xC3\x9Cn\xC3\xAF"
                      "code Title \xE2\x98\x85\"";

const Description DESCRIPTIONS[] = {
    { U::MEDIA_BOOK, "", "[Book] LIB-0042: Ann Author - " + TITLE + " (Vol. 2)" },
    { U::MEDIA_BOOK, "Title", "[Book] LIB-0042: " + TITLE + " - Ann Author (Vol. 2)" },
    { U::MEDIA_MAGAZINE, "", "[Magazine] LIB-0042: Gadget Monthly, May 2004 - " + TITLE },
    { U::MEDIA_SHEETMUSIC, "", "[Sheet Music] LIB-0042: Clara Composer - " + TITLE + " (Piano, voice)" },
    { U::MEDIA_SOFTWARE, "", "[Software] LIB-0042: " + TITLE + " 2.1 - Linux" },
    { U::MEDIA_VIDEOGAME, "", "[Video Game] LIB-0042: " + TITLE + " (Vol. 2) - Linux" },
    { U::MEDIA_CD, "", "[CD] LIB-0042: The Artists - " + TITLE },
    { U::MEDIA_DVD, "", "[DVD] LIB-0042: " + TITLE + " - The Sub (Vol. 2)" },
    { U::MEDIA_DVD, "Director", "[DVD] LIB-0042: Dora Director - " + TITLE + " - The Sub (Vol. 2)" },
    { U::MEDIA_VIDEOTAPE, "Lead Actor", "[Video Tape] LIB-0042: Lea Lead - " + TITLE + " - The Sub (Vol. 2) [S-VHS]" },
};

} // namespace

TEST_P(ConcreteDescriptionTest, NamesTheItemsKeyFields)
{
    auto item = MakeFullItem(GetParam().type);
    EXPECT_EQ(GetParam().expected, item->GetUniqueDescription(true, GetParam().sortProp));
}

INSTANTIATE_TEST_SUITE_P(Some, ConcreteDescriptionTest, ::testing::ValuesIn(DESCRIPTIONS));

TEST(ConcreteDescriptionTest, EmptyFieldsLeaveNoSeparators)
{
    CSoftware software;
    EXPECT_EQ("", software.GetUniqueDescription(false, ""));
    software.SetVersion("3");
    EXPECT_EQ("3", software.GetUniqueDescription(false, ""));
    for (int type : AllMediaTypes()) {
        auto item = MakeDefaultItem(type);
        const CString text = item->GetUniqueDescription(false, "");
        EXPECT_TRUE(text.empty() || text == "[VHS]" || text == " [VHS]") << TypeName(type) << ": " << text;
    }
}

namespace {

std::string Hex(const std::string& text)
{
    std::string bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
            continue;
        }
        bytes += static_cast<char>(std::stoi(text.substr(pos, 2), nullptr, 16));
        pos += 2;
    }
    return bytes;
}

} // namespace

TEST(ConcreteFormatTest, DocumentedExamplesMatch)
{
    CBookChapter chapter;
    chapter.SetChapter(3);
    chapter.SetTitle("Intro");
    CArchive ar;
    chapter.Serialize(ar);
    EXPECT_EQ(Hex("01 00 00 00 00 00 01 00 01 00 03 00 05 49 6E 74 72 6F 00"), ar.GetBuffer());

    CBook book;
    book.SetAuthor("Le Guin");
    book.SetSubTitle("A Novel");
    book.SetPages(248);
    const std::string bytes = Store(book);
    const std::string tail
        = Hex("01 00 07 4C 65 20 47 75 69 6E 00 07 41 20 4E 6F 76 65 6C 00 00 00 F8 00 00 00 00 00 00");
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(tail, bytes.substr(bytes.size() - tail.size()));
}
