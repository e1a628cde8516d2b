#include "ConcreteMediaSupport.h"

#include "data/model/Category.h"
#include "data/model/CategoryMgr.h"
#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/CustomValue.h"
#include "data/model/CustomValueMgr.h"
#include "data/model/Magazine.h"
#include "data/model/MagazineMgr.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/PublisherMgr.h"
#include "platform/util/Archive.h"
#include "platform/util/Person.h"

namespace concretetest {

using U = CMediaUtils;

const SharedRecords& EnsureSharedRecords()
{
    static SharedRecords records;
    CCategoryMgr* categories = CCategoryMgr::GetInstance();
    CCategory* category = categories->GetCategory("Jazz", true);
    category->SetDescription("Smooth");
    categories->GetCategory("Essays", true)->SetDescription("Long reads");
    records.categoryID = category->GetUniqueID();

    CPerson* publisher = CPublisherMgr::GetInstance()->GetPublisher("Acme Books", true);
    publisher->SetAddress("1 Main St");
    publisher->SetEmail("info@acme.example");
    publisher->SetWorkPhone("555-0100");
    publisher->SetURL("https://acme.example");
    records.publisherID = publisher->GetUniqueID();

    CMagazine* magazine = CMagazineMgr::GetInstance()->GetMagazine("Gadget Monthly", true);
    magazine->SetPublisherID(records.publisherID);
    magazine->SetSubscription(true);
    magazine->SetSubscriptionCost(24.5);
    magazine->SetSubscriptionNumber("SUB-1");
    magazine->SetSubscriptionExp("end of 2005");
    records.magazineID = magazine->GetUniqueID();

    records.personID = CPersonMgr::GetInstance()->GetPerson("Lena", "", "Lender", true)->GetUniqueID();
    return records;
}

CMapStringToString FullMediaMap()
{
    EnsureSharedRecords();
    CMapStringToString data;
    const CStringArray& all = U::GetAllDataProps();
    for (const CString& prop : all) {
        bool derived, yesNo, number, date, text, list, noGridEdit;
        U::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
        if (yesNo)
            data.SetAt(prop, "Y");
    }
    const std::pair<CString, CString> values[] = {
        { U::MEDIA_PROP_TITLE,
            "\xC3\x9Cn\xC3\xAF"
            "code Title \xE2\x98\x85" }, // UTF-16 form on disk
        { U::MEDIA_PROP_DESCRIPTION, "Line one\r\nline two" },
        { U::MEDIA_PROP_LIBRARYID, "LIB-0042" },
        { U::MEDIA_PROP_LOCATION, "Shelf 3" },
        { U::MEDIA_PROP_YEAR, "1999" },
        { U::MEDIA_PROP_PRICE, "12.50" },
        { U::MEDIA_PROP_DATEACQ, "2004-05-06" },
        { U::MEDIA_PROP_CATEGORY, "Jazz" },
        { U::MEDIA_PROP_CATEGORYDESC, "Smooth" },
        { U::MEDIA_PROP_PUBLISHER, "Acme Books" },
        { U::MEDIA_PROP_REPORTIMAGEFILE, "/home/user/pics/cover.jpg" },
        { U::MEDIA_PROP_REPORTIMAGEWIDTH, "120" },
        { U::MEDIA_PROP_REPORTIMAGEHEIGHT, "80" },
        { U::MEDIA_PROP_AUDIO_FULLCHANNELS, "6" },
        { U::MEDIA_PROP_AUTHOR, "Ann Author" },
        { U::MEDIA_PROP_COAUTHOR, "Bob Coauthor" },
        { U::MEDIA_PROP_SUBTITLE, "The Sub" },
        { U::MEDIA_PROP_SERIESNUMBER, "Vol. 2" },
        { U::MEDIA_PROP_EDITION, "2nd" },
        { U::MEDIA_PROP_ISBN, "978-3-16-148410-0" },
        { U::MEDIA_PROP_PAGES, "320" },
        { U::MEDIA_PROP_EFILEURL, "https://example.org/book.epub" },
        { U::MEDIA_PROP_MAGAZINE, "Gadget Monthly" },
        { U::MEDIA_PROP_MAGISSUE, "May 2004" },
        { U::MEDIA_PROP_ONLINEURL, "https://example.org/online" },
        { U::MEDIA_PROP_COMPOSER, "Clara Composer" },
        { U::MEDIA_PROP_ARRANGER, "Arno Arranger" },
        { U::MEDIA_PROP_WORDSBY, "Lyra Lyricist" },
        { U::MEDIA_PROP_MUSICBY, "Mo Music" },
        { U::MEDIA_PROP_INSTRUMENTATION, "Piano, voice" },
        { U::MEDIA_PROP_VERSION, "2.1" },
        { U::MEDIA_PROP_SERIALNUMBER, "SN-123" },
        { U::MEDIA_PROP_PASSWORD, "p4ss" },
        { U::MEDIA_PROP_CONSOLE, "Linux" },
        { U::MEDIA_PROP_TYPE, "S-VHS" },
        { U::MEDIA_PROP_DISTMEDIA, "DVD-ROM" },
        { U::MEDIA_PROP_GAMENUMBER, "G-7" },
        { U::MEDIA_PROP_HINTS, "Go left" },
        { U::MEDIA_PROP_PLAYERS, "4" },
        { U::MEDIA_PROP_ARTIST, "The Artists" },
        { U::MEDIA_PROP_DISCS, "2" },
        { U::MEDIA_PROP_JACKETNUMBER, "J-99" },
        { U::MEDIA_PROP_SPEED, "45" },
        { U::MEDIA_PROP_LENGTH, "1:02:03" },
        { U::MEDIA_PROP_MEDIASIZE, "60" },
        { U::MEDIA_PROP_MANUFACTURER, "TDK" },
        { U::MEDIA_PROP_LEADACTOR, "Lea Lead" },
        { U::MEDIA_PROP_COSTAR, "Cole Costar" },
        { U::MEDIA_PROP_DIRECTOR, "Dora Director" },
        { U::MEDIA_PROP_REGION, "2" },
        { U::MEDIA_PROP_TAPEWIDTH, "1/4\"" },
    };
    for (const auto& [prop, value] : values)
        data.SetAt(prop, value);
    return data;
}

CMapStringToString FullSubItemMap(int n)
{
    const CString i = std::to_string(n);
    CMapStringToString data;
    data.SetAt(U::MEDIA_PROP_TRACKTITLE, "Track " + i + " \xE2\x99\xAA");
    data.SetAt(U::MEDIA_PROP_TRACKLENGTH, "0:03:2" + i);
    data.SetAt(U::MEDIA_PROP_TRACKNUMBER, std::to_string(n + 1));
    data.SetAt(U::MEDIA_PROP_DISCNUMBER, "2");
    data.SetAt(U::MEDIA_PROP_RECSOURCE, "Radio");
    data.SetAt(U::MEDIA_PROP_RECDATE, "2001-02-0" + i);
    data.SetAt(U::MEDIA_PROP_SIDE, n % 2 ? "B" : "A");
    data.SetAt(U::MEDIA_PROP_COUNTER, "0:12:3" + i);
    data.SetAt(U::MEDIA_PROP_CHAPTER, i);
    data.SetAt(U::MEDIA_PROP_CHAPTERTITLE, "Chapter " + i);
    data.SetAt(U::MEDIA_PROP_CHAPTERDESC, "What happens in " + i);
    data.SetAt(U::MEDIA_PROP_TITLE, "Article " + i);
    data.SetAt(U::MEDIA_PROP_SUBTITLE, "Sub " + i);
    data.SetAt(U::MEDIA_PROP_AUTHOR, "Writer " + i);
    data.SetAt(U::MEDIA_PROP_SERIESNUMBER, "Part " + i);
    data.SetAt(U::MEDIA_PROP_DESCRIPTION, "About " + i);
    data.SetAt(U::MEDIA_PROP_PAGE, "1" + i);
    data.SetAt(U::MEDIA_PROP_CATEGORY, "Essays");
    data.SetAt(U::MEDIA_PROP_CATEGORYDESC, "Long reads");
    return data;
}

namespace {

void AddCustomValues(CCustomValueMgr* values, const CString& text)
{
    if (!values)
        return;
    auto* textValue = new CCustomValue(CCustomValue::stringValue);
    textValue->SetValue(text);
    values->SetAt(0, textValue);
    // Slot 1 stays empty.
    auto* dateValue = new CCustomValue(CCustomValue::dateValue);
    dateValue->SetValue(COleDateTime(2003, 4, 5, 0, 0, 0));
    values->SetAt(2, dateValue);
}

} // namespace

std::unique_ptr<CMediaItem> MakeDefaultItem(int mediaType)
{
    return std::unique_ptr<CMediaItem>(CMediaRegistry::CreateItem(mediaType));
}

std::unique_ptr<CMediaItem> MakeFullItem(int mediaType)
{
    const SharedRecords& records = EnsureSharedRecords();
    auto item = MakeDefaultItem(mediaType);
    item->SetData(FullMediaMap(), true);
    for (int n = 1; n <= 2; ++n) {
        CMediaSubItem* subItem = item->CreateSubItem(nullptr);
        if (!subItem)
            break;
        subItem->SetData(FullSubItemMap(n), true);
        AddCustomValues(subItem->GetCustomValues(), "sub " + std::to_string(n));
        item->AddSubItem(subItem);
    }
    AddCustomValues(item->GetCustomValues(), "custom text");

    auto* returned = new CCheckOutState();
    returned->SetPersonID(records.personID);
    returned->SetCheckedOutDate(COleDateTime(2005, 1, 2, 0, 0, 0));
    returned->SetCheckedDueDate(COleDateTime(2005, 1, 16, 0, 0, 0));
    returned->SetReturnedDate(COleDateTime(2005, 1, 10, 0, 0, 0));
    item->GetCheckOut()->Add(returned);
    auto* reserved = new CCheckOutState();
    reserved->SetPersonID(records.personID);
    reserved->SetReservedDate(COleDateTime(2005, 2, 1, 0, 0, 0));
    item->GetCheckOut()->Add(reserved);
    return item;
}

namespace {

const PropSet COMMON = { U::MEDIA_PROP_MEDIA, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_DESCRIPTION, U::MEDIA_PROP_LIBRARYID,
    U::MEDIA_PROP_LOCATION, U::MEDIA_PROP_YEAR, U::MEDIA_PROP_PRICE, U::MEDIA_PROP_DATEACQ, U::MEDIA_PROP_CATEGORY,
    U::MEDIA_PROP_CATEGORYDESC, U::MEDIA_PROP_COSTATUS, U::MEDIA_PROP_COTIMES, U::MEDIA_PROP_REPORTIMAGEFILE,
    U::MEDIA_PROP_REPORTIMAGEWIDTH, U::MEDIA_PROP_REPORTIMAGEHEIGHT };
const PropSet PUBLISHER = { U::MEDIA_PROP_PUBLISHER, U::MEDIA_PROP_PUBLISHERADDRESS, U::MEDIA_PROP_PUBLISHEREMAIL,
    U::MEDIA_PROP_PUBLISHERPHONE, U::MEDIA_PROP_PUBLISHERURL };
const PropSet SPECIAL = { U::MEDIA_PROP_SFALTEND, U::MEDIA_PROP_SFBEHIND, U::MEDIA_PROP_SFBIOS,
    U::MEDIA_PROP_SFCOMMENTARY, U::MEDIA_PROP_SFDELETED, U::MEDIA_PROP_SFGAME, U::MEDIA_PROP_SFMAKINGOF,
    U::MEDIA_PROP_SFMULTIANGLE, U::MEDIA_PROP_SFMUSICTRACK, U::MEDIA_PROP_SFMUSICVIDEO, U::MEDIA_PROP_SFOUTTAKES,
    U::MEDIA_PROP_SFPHOTOS, U::MEDIA_PROP_SFSUBTITLES, U::MEDIA_PROP_SFTRAILER, U::MEDIA_PROP_SFWEBLINKS };
const PropSet AUDIO = { U::MEDIA_PROP_AUDIO_MONO, U::MEDIA_PROP_AUDIO_STEREO, U::MEDIA_PROP_AUDIO_SACD,
    U::MEDIA_PROP_AUDIO_HDCD, U::MEDIA_PROP_AUDIO_THX, U::MEDIA_PROP_AUDIO_QUADRAPHONIC,
    U::MEDIA_PROP_AUDIO_DOLBYSURROUND, U::MEDIA_PROP_AUDIO_DOLBYDIGITAL, U::MEDIA_PROP_AUDIO_DOLBYDIGITALEX,
    U::MEDIA_PROP_AUDIO_DOLBYDIGITALPLUS, U::MEDIA_PROP_AUDIO_DOLBYTRUEHD, U::MEDIA_PROP_AUDIO_DTS,
    U::MEDIA_PROP_AUDIO_DTSES, U::MEDIA_PROP_AUDIO_DTSHD, U::MEDIA_PROP_AUDIO_DTSHSMASTERAUDIO,
    U::MEDIA_PROP_AUDIO_BASSCHANNEL, U::MEDIA_PROP_AUDIO_FULLCHANNELS };
const PropSet PICTURE = { U::MEDIA_PROP_PANSCAN, U::MEDIA_PROP_WIDESCREEN };
const PropSet CAST = { U::MEDIA_PROP_SUBTITLE, U::MEDIA_PROP_SERIESNUMBER, U::MEDIA_PROP_LEADACTOR,
    U::MEDIA_PROP_COSTAR, U::MEDIA_PROP_DIRECTOR };
const PropSet TRACKMEDIA = { U::MEDIA_PROP_LENGTH, U::MEDIA_PROP_MEDIASIZE, U::MEDIA_PROP_TRACKCOUNT };

PropSet Join(std::initializer_list<PropSet> sets)
{
    PropSet all;
    for (const PropSet& set : sets)
        all.insert(set.begin(), set.end());
    return all;
}

PropSet AudioTrackMedia(const PropSet& own)
{
    return Join({ COMMON, PUBLISHER, TRACKMEDIA, AUDIO,
        { U::MEDIA_PROP_ARTIST, U::MEDIA_PROP_DISCS, U::MEDIA_PROP_JACKETNUMBER }, own });
}

PropSet AudioRecordable(bool publisher, const PropSet& own)
{
    return Join({ COMMON, publisher ? PUBLISHER : PropSet(), TRACKMEDIA, AUDIO,
        { U::MEDIA_PROP_MANUFACTURER, U::MEDIA_PROP_ARTIST }, own });
}

PropSet VideoRecordable(bool publisherAndSpecial, const PropSet& own)
{
    return Join({ COMMON, publisherAndSpecial ? Join({ PUBLISHER, SPECIAL }) : PropSet(), TRACKMEDIA, AUDIO, CAST,
        PICTURE, { U::MEDIA_PROP_MANUFACTURER }, own });
}

PropSet VideoMedia()
{
    return Join({ COMMON, PUBLISHER, SPECIAL, CAST, PICTURE, AUDIO,
        { U::MEDIA_PROP_LENGTH, U::MEDIA_PROP_DISCS, U::MEDIA_PROP_REGION } });
}

} // namespace

PropSet CarriedProps(int mediaType)
{
    switch (mediaType) {
    case U::MEDIA_BOOK:
        return Join({ COMMON, PUBLISHER,
            { U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_COAUTHOR, U::MEDIA_PROP_SUBTITLE, U::MEDIA_PROP_SERIESNUMBER,
                U::MEDIA_PROP_EDITION, U::MEDIA_PROP_ISBN, U::MEDIA_PROP_PAGES, U::MEDIA_PROP_HARDCOVER,
                U::MEDIA_PROP_EFILEURL, U::MEDIA_PROP_CHAPTERCOUNT } });
    case U::MEDIA_MAGAZINE:
        return Join({ COMMON, PUBLISHER,
            { U::MEDIA_PROP_MAGAZINE, U::MEDIA_PROP_MAGISSUE, U::MEDIA_PROP_ONLINEURL, U::MEDIA_PROP_ARTICLESCOUNT,
                U::MEDIA_PROP_SUBSCRIPTION, U::MEDIA_PROP_SUBSCRIPTIONCOST, U::MEDIA_PROP_SUBSCRIPTIONEXP,
                U::MEDIA_PROP_SUBSCRIPTIONNUMBER } });
    case U::MEDIA_SHEETMUSIC:
        return Join({ COMMON, PUBLISHER,
            { U::MEDIA_PROP_COMPOSER, U::MEDIA_PROP_ARRANGER, U::MEDIA_PROP_WORDSBY, U::MEDIA_PROP_MUSICBY,
                U::MEDIA_PROP_INSTRUMENTATION } });
    case U::MEDIA_SOFTWARE:
        return Join({ COMMON, PUBLISHER,
            { U::MEDIA_PROP_VERSION, U::MEDIA_PROP_SERIALNUMBER, U::MEDIA_PROP_PASSWORD, U::MEDIA_PROP_CONSOLE,
                U::MEDIA_PROP_TYPE, U::MEDIA_PROP_DISTMEDIA, U::MEDIA_PROP_ONLINEURL } });
    case U::MEDIA_VIDEOGAME:
        return Join({ COMMON, PUBLISHER, PICTURE,
            { U::MEDIA_PROP_CONSOLE, U::MEDIA_PROP_DISTMEDIA, U::MEDIA_PROP_GAMENUMBER, U::MEDIA_PROP_SERIALNUMBER,
                U::MEDIA_PROP_SERIESNUMBER, U::MEDIA_PROP_HINTS, U::MEDIA_PROP_ONLINEURL, U::MEDIA_PROP_PLAYERS } });
    case U::MEDIA_CD:
        return AudioTrackMedia({ U::MEDIA_PROP_CDSINGLE, U::MEDIA_PROP_ENHANCEDCD });
    case U::MEDIA_RECORDALBUM:
        return AudioTrackMedia({ U::MEDIA_PROP_SPEED });
    case U::MEDIA_8TRACK:
        return AudioTrackMedia({});
    case U::MEDIA_DVDAUDIO:
    case U::MEDIA_DUALDISC:
        return AudioTrackMedia(SPECIAL);
    case U::MEDIA_CASSETTE:
        return AudioRecordable(true, { U::MEDIA_PROP_TYPE });
    case U::MEDIA_DAT:
        return AudioRecordable(true, {});
    case U::MEDIA_REELTOREEL:
        return AudioRecordable(true, { U::MEDIA_PROP_TAPEWIDTH });
    case U::MEDIA_CDREC:
    case U::MEDIA_MINIDISC:
    case U::MEDIA_DVDAUDIOREC:
        return AudioRecordable(false, {});
    case U::MEDIA_DVD:
    case U::MEDIA_BLURAY:
    case U::MEDIA_HDDVD:
    case U::MEDIA_LASERDISC:
        return VideoMedia();
    case U::MEDIA_DVDREC:
    case U::MEDIA_BLURAYREC:
    case U::MEDIA_HDDVDREC:
        return VideoRecordable(false, {});
    case U::MEDIA_VIDEOTAPE:
        return VideoRecordable(true, { U::MEDIA_PROP_TYPE });
    default:
        return {};
    }
}

PropSet CarriedSubItemProps(int mediaType)
{
    const PropSet track = { U::MEDIA_PROP_TRACKTITLE, U::MEDIA_PROP_TRACKLENGTH, U::MEDIA_PROP_TRACKNUMBER };
    const PropSet recording = Join({ track, { U::MEDIA_PROP_RECSOURCE, U::MEDIA_PROP_RECDATE } });
    switch (mediaType) {
    case U::MEDIA_BOOK:
        return { U::MEDIA_PROP_CHAPTER, U::MEDIA_PROP_CHAPTERTITLE, U::MEDIA_PROP_CHAPTERDESC };
    case U::MEDIA_MAGAZINE:
        return { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SUBTITLE, U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_SERIESNUMBER,
            U::MEDIA_PROP_DESCRIPTION, U::MEDIA_PROP_PAGE };
    case U::MEDIA_CD:
    case U::MEDIA_RECORDALBUM:
    case U::MEDIA_8TRACK:
    case U::MEDIA_DVDAUDIO:
    case U::MEDIA_DUALDISC:
        return Join({ track, { U::MEDIA_PROP_DISCNUMBER } });
    case U::MEDIA_CASSETTE:
    case U::MEDIA_DAT:
    case U::MEDIA_REELTOREEL:
        return Join({ recording, { U::MEDIA_PROP_SIDE, U::MEDIA_PROP_COUNTER } });
    case U::MEDIA_VIDEOTAPE:
        return Join({ recording, { U::MEDIA_PROP_COUNTER } });
    case U::MEDIA_CDREC:
    case U::MEDIA_MINIDISC:
    case U::MEDIA_DVDAUDIOREC:
    case U::MEDIA_DVDREC:
    case U::MEDIA_BLURAYREC:
    case U::MEDIA_HDDVDREC:
        return recording;
    default:
        return {};
    }
}

bool HasSubItems(int mediaType)
{
    return !CarriedSubItemProps(mediaType).empty();
}

CMapStringToString AllData(const CItem& item)
{
    CMapStringToString data;
    for (const CString& prop : U::GetAllDataProps())
        data.SetAt(prop, UNANSWERED);
    item.GetData(data);
    return data;
}

PropSet Answered(const CMapStringToString& data)
{
    PropSet answered;
    for (const auto& [prop, value] : data)
        if (value != UNANSWERED)
            answered.insert(prop);
    return answered;
}

std::string Store(CMediaItem& item)
{
    CArchive ar;
    item.Serialize(ar);
    return ar.GetBuffer();
}

bool Load(CMediaItem& item, const std::string& bytes)
{
    CArchive ar { std::string_view(bytes) };
    item.Serialize(ar);
    return ar.AtEnd();
}

std::vector<CMediaSubItem*> SubItems(const CMediaItem& item)
{
    std::vector<CMediaSubItem*> subItems;
    POSITION pos = item.GetHeadSubItem();
    while (pos)
        subItems.push_back(item.GetNextSubItem(pos));
    return subItems;
}

std::vector<int> AllMediaTypes()
{
    std::vector<int> types;
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type)
        types.push_back(type);
    return types;
}

std::string TypeName(int mediaType)
{
    std::string name;
    for (char c : U::GetMediaNameSingular(mediaType))
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    return name;
}

} // namespace concretetest
