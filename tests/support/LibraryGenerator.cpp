#include "support/LibraryGenerator.h"

#include <array>
#include <random>
#include <vector>

#include "data/model/CheckOut.h"
#include "data/model/CheckOutState.h"
#include "data/model/MediaItem.h"
#include "data/model/MediaRegistry.h"
#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/model/PersonMgr.h"
#include "data/model/ReportProperties.h"
#include "data/model/VideoTape.h"
#include "data/store/CustomField.h"
#include "data/store/CustomFieldMgr.h"
#include "data/store/Library.h"
#include "data/store/LibraryIDSettings.h"
#include "data/store/LibraryImpl.h"
#include "data/store/MediaMgr.h"
#include "platform/util/Person.h"
#include "platform/util/StringUtils.h"

namespace vemotest {
namespace {

using U = CMediaUtils;

const char* const ADJECTIVES[] = { "Silent", "Golden", "Broken", "Hidden", "Electric", "Midnight", "Lost", "Crimson",
    "Distant", "Frozen", "Wild", "Quiet", "Burning", "Secret", "Endless", "Northern", "Velvet", "Iron", "Paper",
    "Summer", "Hollow", "Bright", "Savage", "Gentle", "Final", "Scarlet", "Silver", "Restless", "Ancient", "Lonely",
    "Painted", "Sleeping", "Shining", "Dark", "Emerald", "Wandering", "Forgotten", "Radiant", "Stolen", "Fading",
    "Crystal", "Hungry", "Tender", "Black", "Western", "Eastern", "Blue", "Broken-Hearted", "Second", "Little" };
const char* const NOUNS[] = { "River", "Garden", "Empire", "Highway", "Kingdom", "Echo", "Harbor", "Mirror", "Forest",
    "Planet", "Letter", "Horizon", "Island", "Storm", "Machine", "Window", "Shadow", "Voyage", "Station", "Orchard",
    "Lantern", "Canyon", "Symphony", "Frontier", "Carousel", "Meadow", "Citadel", "Tide", "Compass", "Bridge", "Valley",
    "Ballad", "Engine", "Castle", "Desert", "Lighthouse", "Circus", "Cathedral", "Railway", "Thunder", "Anthem",
    "Glacier", "Monarch", "Passage", "Serenade", "Labyrinth", "Prophet", "Falcon", "Whisper", "Summit", "Parade",
    "Reckoning", "Orbit", "Tavern", "Avalanche", "Dynasty", "Mosaic", "Pilgrim", "Voltage", "Wilderness" };
const char* const WORDS[] = { "a", "story", "of", "love", "and", "loss", "in", "the", "old", "city", "with", "music",
    "from", "across", "sea", "classic", "recording", "remastered", "edition", "first", "pressing", "signed", "copy",
    "includes", "booklet", "live", "session", "director's", "cut", "bonus", "material", "rare" };
const char* const FIRST_NAMES[] = { "Anna", "Ben", "Clara", "David", "Elena", "Frank", "Grace", "Hugo", "Ines", "Jack",
    "Karin", "Leo", "Maria", "Nils", "Olga", "Paul", "Quinn", "Rosa", "Sam", "Tara", "Ulrich", "Vera", "Walter",
    "Xenia", "Yusuf", "Zoe", "Amélie", "Jörg", "Søren", "Zoë" };
const char* const LAST_NAMES[] = { "Adams", "Baker", "Carter", "Dalton", "Evans", "Fischer", "Garcia", "Hansen",
    "Ivanov", "Jensen", "Keller", "Larsen", "Moreau", "Novak", "Olsen", "Petrov", "Quinlan", "Rossi", "Schmidt",
    "Tanaka", "Urban", "Vogel", "Weber", "Young", "Zimmermann", "Brontë", "Müller", "Nuñez", "Dvořák", "O'Neill" };
const char* const GENRES[] = { "Rock", "Jazz", "Classical", "Blues", "Folk", "Science Fiction", "Mystery", "Biography",
    "History", "Drama", "Comedy", "Documentary", "Children", "Reference", "Travel", "Horror" };
const char* const PUBLISHERS[] = { "Northwind Press", "Blue Harbor Records", "Atlas House", "Meridian Pictures",
    "Lantern Books", "Silver Screen", "Orchard Music", "Keystone Media", "Pinewood Editions", "Vantage Games",
    "Crescent Publishing", "Redline Studios" };
const char* const MAGAZINES[] = { "Audio Monthly", "The Collector", "Film Review", "Gramophone Weekly", "Science Today",
    "Retro Gamer", "Travel & Leisure Quarterly", "The Sheet Music Journal" };
const char* const MANUFACTURERS[] = { "TDK", "Maxell", "Sony", "Memorex", "Verbatim", "BASF", "Fuji", "Philips" };
const char* const CONSOLES[] = { "PlayStation 2", "Xbox", "GameCube", "Windows", "Mac OS", "Nintendo DS", "Linux" };
const char* const SOURCES[] = { "Radio", "TV Broadcast", "CD", "Live Recording", "Record Album", "Satellite" };
const char* const INSTRUMENTATION[] = { "Piano", "Voice and Piano", "Guitar", "String Quartet", "Full Score" };

// Relative frequency of each media type id in a collection.
const int WEIGHTS[25] = { 0, 22, 3, 20, 3, 1, 14, 1, 2, 1, 1, 5, 1, 5, 2, 3, 5, 1, 1, 3, 1, 5, 1, 1, 1 };

class CRandom {
public:
    explicit CRandom(std::uint32_t seed)
        : m_engine(seed)
    {
    }
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine) < p; }
    template <class T, std::size_t N> const T& Pick(const T (&arr)[N]) { return arr[Int(0, int(N) - 1)]; }

private:
    std::mt19937 m_engine;
};

CString Phrase(CRandom& rnd)
{
    CString text = rnd.Chance(0.4) ? "The " : "";
    text += CString(rnd.Pick(ADJECTIVES)) + " " + rnd.Pick(NOUNS);
    if (rnd.Chance(0.3))
        text += CString(rnd.Chance(0.5) ? " of the " : " and the ") + rnd.Pick(ADJECTIVES) + " " + rnd.Pick(NOUNS);
    return text;
}

CString Sentence(CRandom& rnd)
{
    CString text;
    const int n = rnd.Int(8, 16);
    for (int i = 0; i < n; ++i)
        text += CString(i ? " " : "") + rnd.Pick(WORDS);
    return text + ".";
}

CString PersonName(CRandom& rnd)
{
    return CString(rnd.Pick(FIRST_NAMES)) + " " + rnd.Pick(LAST_NAMES);
}

CString DateText(CRandom& rnd)
{
    return CStringUtils::Format("%04d-%02d-%02d", rnd.Int(1985, 2024), rnd.Int(1, 12), rnd.Int(1, 28));
}

bool IsYesNo(const CString& prop)
{
    bool derived, yesNo, number, date, text, list, noGridEdit;
    U::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    return yesNo;
}

// A plausible value of a media item property; "" leaves it unset.
CString MediaValue(const CString& prop, int type, CRandom& rnd)
{
    static const CString people[] = { U::MEDIA_PROP_ARTIST, U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_COMPOSER,
        U::MEDIA_PROP_LEADACTOR, U::MEDIA_PROP_DIRECTOR };
    static const CString secondaryPeople[] = { U::MEDIA_PROP_COAUTHOR, U::MEDIA_PROP_ARRANGER, U::MEDIA_PROP_WORDSBY,
        U::MEDIA_PROP_MUSICBY, U::MEDIA_PROP_COSTAR };
    for (const CString& p : people)
        if (prop == p)
            return PersonName(rnd);
    for (const CString& p : secondaryPeople)
        if (prop == p)
            return rnd.Chance(0.4) ? PersonName(rnd) : CString();
    if (prop == U::MEDIA_PROP_TITLE)
        return Phrase(rnd) + (rnd.Chance(0.1) ? CStringUtils::Format(" %d", rnd.Int(2, 5)) : CString());
    if (prop == U::MEDIA_PROP_DESCRIPTION)
        return rnd.Chance(0.6) ? Sentence(rnd) : CString();
    if (prop == U::MEDIA_PROP_CATEGORY)
        return rnd.Pick(GENRES);
    if (prop == U::MEDIA_PROP_LOCATION)
        return CStringUtils::Format("Shelf %c%d", 'A' + rnd.Int(0, 7), rnd.Int(1, 6));
    if (prop == U::MEDIA_PROP_YEAR)
        return CStringUtils::Format("%d", rnd.Int(1950, 2024));
    if (prop == U::MEDIA_PROP_PRICE)
        return CStringUtils::Format("%d.%02d", rnd.Int(1, 80), rnd.Int(0, 99));
    if (prop == U::MEDIA_PROP_DATEACQ)
        return rnd.Chance(0.7) ? DateText(rnd) : CString();
    if (prop == U::MEDIA_PROP_PUBLISHER)
        return rnd.Chance(0.8) ? rnd.Pick(PUBLISHERS) : "";
    if (prop == U::MEDIA_PROP_MAGAZINE)
        return rnd.Pick(MAGAZINES);
    if (prop == U::MEDIA_PROP_MAGISSUE)
        return CStringUtils::Format("Vol. %d No. %d", rnd.Int(1, 40), rnd.Int(1, 12));
    if (prop == U::MEDIA_PROP_SUBTITLE)
        return rnd.Chance(0.3) ? Phrase(rnd) : CString();
    if (prop == U::MEDIA_PROP_SERIESNUMBER)
        return rnd.Chance(0.2) ? CStringUtils::Format(rnd.Chance(0.5) ? "Vol. %d" : "Part %d", rnd.Int(1, 12))
                               : CString();
    if (prop == U::MEDIA_PROP_EDITION)
        return rnd.Chance(0.3) ? "First" : "";
    if (prop == U::MEDIA_PROP_ISBN)
        return CStringUtils::Format("978%010d", rnd.Int(0, 999999999));
    if (prop == U::MEDIA_PROP_PAGES)
        return CStringUtils::Format("%d", rnd.Int(80, 900));
    if (prop == U::MEDIA_PROP_MANUFACTURER)
        return rnd.Pick(MANUFACTURERS);
    if (prop == U::MEDIA_PROP_JACKETNUMBER)
        return CStringUtils::Format("CAT-%05d", rnd.Int(1, 99999));
    if (prop == U::MEDIA_PROP_DISCS)
        return rnd.Chance(0.9) ? "1" : "2";
    if (prop == U::MEDIA_PROP_REGION)
        return CStringUtils::Format("%d", rnd.Int(1, 6));
    if (prop == U::MEDIA_PROP_LENGTH)
        return CStringUtils::Format("%d:%02d:00", rnd.Int(0, 2), rnd.Int(0, 59));
    if (prop == U::MEDIA_PROP_AUDIO_FULLCHANNELS)
        return rnd.Chance(0.5) ? "2" : "6";
    if (prop == U::MEDIA_PROP_SPEED)
        return rnd.Chance(0.7) ? "33" : "45";
    if (prop == U::MEDIA_PROP_TAPEWIDTH)
        return "1/4 inch";
    if (prop == U::MEDIA_PROP_TYPE) {
        if (type == U::MEDIA_VIDEOTAPE)
            return CVideoTape::GetTypeText(rnd.Int(0, 9));
        return rnd.Chance(0.5) ? "Type I (normal)" : "Type II (chrome)";
    }
    if (prop == U::MEDIA_PROP_CONSOLE)
        return rnd.Pick(CONSOLES);
    if (prop == U::MEDIA_PROP_DISTMEDIA)
        return rnd.Chance(0.5) ? "CD-ROM" : "DVD-ROM";
    if (prop == U::MEDIA_PROP_VERSION)
        return CStringUtils::Format("%d.%d", rnd.Int(1, 9), rnd.Int(0, 9));
    if (prop == U::MEDIA_PROP_SERIALNUMBER)
        return CStringUtils::Format("SN-%08d", rnd.Int(0, 99999999));
    if (prop == U::MEDIA_PROP_INSTRUMENTATION)
        return rnd.Pick(INSTRUMENTATION);
    if (prop == U::MEDIA_PROP_ONLINEURL || prop == U::MEDIA_PROP_EFILEURL)
        return rnd.Chance(0.2) ? CStringUtils::Format("https://example.org/items/%d", rnd.Int(1, 999999)) : "";
    if (prop == U::MEDIA_PROP_PLAYERS)
        return CStringUtils::Format("%d", rnd.Int(1, 4));
    if (IsYesNo(prop) && prop != U::MEDIA_PROP_SUBSCRIPTION)
        return rnd.Chance(0.3) ? "Y" : "N";
    return CString();
}

// A plausible value of a sub-item property, for the index-th sub-item of count.
CString SubItemValue(const CString& prop, int index, int count, CRandom& rnd)
{
    if (prop == U::MEDIA_PROP_TRACKTITLE || prop == U::MEDIA_PROP_CHAPTERTITLE || prop == U::MEDIA_PROP_TITLE)
        return Phrase(rnd);
    if (prop == U::MEDIA_PROP_TRACKLENGTH)
        return CStringUtils::Format("%d:%02d", rnd.Int(1, 8), rnd.Int(0, 59));
    if (prop == U::MEDIA_PROP_TRACKNUMBER || prop == U::MEDIA_PROP_CHAPTER)
        return CStringUtils::Format("%d", index + 1);
    if (prop == U::MEDIA_PROP_DISCNUMBER)
        return "1";
    if (prop == U::MEDIA_PROP_PAGE)
        return CStringUtils::Format("%d", 4 + index * 8);
    if (prop == U::MEDIA_PROP_AUTHOR)
        return PersonName(rnd);
    if (prop == U::MEDIA_PROP_CHAPTERDESC || prop == U::MEDIA_PROP_DESCRIPTION)
        return rnd.Chance(0.3) ? Sentence(rnd) : CString();
    if (prop == U::MEDIA_PROP_RECSOURCE)
        return rnd.Pick(SOURCES);
    if (prop == U::MEDIA_PROP_RECDATE)
        return DateText(rnd);
    if (prop == U::MEDIA_PROP_SIDE)
        return index < count / 2 ? "A" : "B";
    if (prop == U::MEDIA_PROP_COUNTER)
        return CStringUtils::Format("0:%02d:00", (index * 7) % 60);
    if (prop == U::MEDIA_PROP_CATEGORY)
        return rnd.Pick(GENRES);
    return CString();
}

bool Skipped(const CString& prop)
{
    bool derived, yesNo, number, date, text, list, noGridEdit;
    U::ClassifyDataProp(prop, derived, yesNo, number, date, text, list, noGridEdit);
    return derived || prop == U::MEDIA_PROP_LIBRARYID || prop == U::MEDIA_PROP_CATEGORYDESC
        || prop == U::MEDIA_PROP_REPORTIMAGEFILE || prop == U::MEDIA_PROP_REPORTIMAGEWIDTH
        || prop == U::MEDIA_PROP_REPORTIMAGEHEIGHT || prop == U::MEDIA_PROP_PUBLISHERADDRESS
        || prop == U::MEDIA_PROP_PUBLISHEREMAIL || prop == U::MEDIA_PROP_PUBLISHERPHONE
        || prop == U::MEDIA_PROP_PUBLISHERURL || prop == U::MEDIA_PROP_SUBSCRIPTION
        || prop == U::MEDIA_PROP_SUBSCRIPTIONCOST || prop == U::MEDIA_PROP_SUBSCRIPTIONEXP
        || prop == U::MEDIA_PROP_SUBSCRIPTIONNUMBER || prop == U::MEDIA_PROP_MEDIASIZE;
}

int SubItemCount(int type, CRandom& rnd)
{
    bool recordable = false;
    if (type == U::MEDIA_BOOK)
        return rnd.Chance(0.4) ? rnd.Int(5, 20) : 0;
    if (type == U::MEDIA_MAGAZINE)
        return rnd.Int(3, 10);
    if (U::IsMediaTypeAudio(type, recordable))
        return recordable ? rnd.Int(3, 12) : rnd.Int(8, 16);
    if (U::IsMediaTypeVideo(type, recordable) && recordable)
        return rnd.Int(1, 4);
    return 0;
}

void AddCustomFields(CLibrary& library)
{
    for (int type = U::MEDIA_TYPE_IDFIRST; type <= U::MEDIA_TYPE_IDLAST; ++type) {
        CCustomFieldMgr* fields = library.GetCustomFieldMgr(type);
        if (!fields || fields->GetFieldCount() > 0)
            continue;
        auto* condition = new CCustomField();
        condition->SetName("Condition");
        condition->SetDataType(CF_SELECTIONLIST);
        condition->SetCustomWebReportTag("CONDITION");
        for (const char* choice : { "Mint", "Good", "Fair", "Poor" })
            condition->AddSelectionListItem(choice);
        fields->Add(condition);
        auto* signedField = new CCustomField();
        signedField->SetName("Signed");
        signedField->SetDataType(CF_TRUEFALSE);
        fields->Add(signedField);
        auto* from = new CCustomField();
        from->SetName("Purchased From");
        from->SetDataType(CF_TEXT);
        from->SetInitialValue("Unknown");
        fields->Add(from);
        if (type % 3 == 0) {
            auto* played = new CCustomField();
            played->SetName("Last Played");
            played->SetDataType(CF_DATE);
            fields->Add(played);
        }
    }
}

void AddPersons(CRandom& rnd)
{
    CPersonMgr* persons = CPersonMgr::GetInstance();
    while (persons->GetCount() < 40) {
        auto* person = new CPerson(rnd.Pick(FIRST_NAMES), "", rnd.Pick(LAST_NAMES));
        person->SetHomePhone(CStringUtils::Format("555-%04d", rnd.Int(0, 9999)));
        if (!persons->Add(person))
            delete person;
    }
}

COleDateTime Day(int daysAfter2000)
{
    return COleDateTime(36526.0 + daysAfter2000);
}

void AddCheckOuts(CMediaItem& item, CRandom& rnd)
{
    CCheckOut* history = item.GetCheckOut();
    if (!history || !rnd.Chance(0.25))
        return;
    std::vector<int> ids;
    for (POSITION pos = CPersonMgr::GetInstance()->GetHeadPosition(); pos;)
        ids.push_back(CPersonMgr::GetInstance()->GetNext(pos)->GetUniqueID());
    int day = rnd.Int(0, 6000);
    for (int i = rnd.Int(1, 4); i > 0; --i) {
        auto* loan = new CCheckOutState();
        loan->SetPersonID(ids[rnd.Int(0, int(ids.size()) - 1)]);
        loan->SetCheckedOutDate(Day(day));
        loan->SetCheckedDueDate(Day(day + 21));
        loan->SetReturnedDate(Day(day + rnd.Int(3, 30)));
        history->Add(loan);
        day += rnd.Int(40, 400);
    }
    if (rnd.Chance(0.3)) {
        auto* loan = new CCheckOutState();
        loan->SetPersonID(ids[rnd.Int(0, int(ids.size()) - 1)]);
        loan->SetCheckedOutDate(Day(day));
        loan->SetCheckedDueDate(Day(day + 21));
        history->Add(loan);
    }
    if (rnd.Chance(0.15)) {
        auto* reservation = new CCheckOutState();
        reservation->SetPersonID(ids[rnd.Int(0, int(ids.size()) - 1)]);
        reservation->SetReservedDate(Day(day + 2));
        history->Add(reservation);
    }
    history->Sort();
}

void FillItem(
    CLibrary& library, CMediaItem& item, int type, int serial, const LibraryGeneratorOptions& options, CRandom& rnd)
{
    CMapStringToString values;
    for (const CString& prop : CMediaRegistry::GetDataProps(type)) {
        if (Skipped(prop))
            continue;
        CString value = MediaValue(prop, type, rnd);
        if (!value.empty())
            values.SetAt(prop, value);
    }
    item.SetData(values, true);

    if (options.subItems) {
        const CStringArray& subProps = CMediaRegistry::GetSubItemOwnProps(type);
        const int count = SubItemCount(type, rnd);
        for (int i = 0; i < count; ++i) {
            CMediaSubItem* sub = item.CreateSubItem(nullptr);
            if (!sub)
                break;
            CMapStringToString subValues;
            for (const CString& prop : subProps) {
                CString value = SubItemValue(prop, i, count, rnd);
                if (!value.empty())
                    subValues.SetAt(prop, value);
            }
            item.AddSubItem(sub);
            sub->SetData(subValues, true);
        }
    }
    if (options.customFields && rnd.Chance(0.6)) {
        CMapStringToString custom;
        custom.SetAt("Condition", rnd.Chance(0.5) ? "Good" : "Mint");
        custom.SetAt("Signed", rnd.Chance(0.1) ? "Y" : "N");
        custom.SetAt("Purchased From", rnd.Chance(0.5) ? CString(rnd.Pick(PUBLISHERS)) : CString("Flea market"));
        if (type % 3 == 0)
            custom.SetAt("Last Played", DateText(rnd));
        library.SetCustomFieldDataForItem(&item, custom, true);
    }
    if (options.checkOuts)
        AddCheckOuts(item, rnd);
    if (options.pictures && item.GetReportProperties() && rnd.Chance(0.4)) {
        item.GetReportProperties()->SetImageFile(CStringUtils::Format(
            "/home/collector/Pictures/Covers/%s/%07d.jpg", U::GetMediaNamePlural(type).c_str(), serial));
        item.GetReportProperties()->SetImageWidth(rnd.Int(200, 600));
        item.GetReportProperties()->SetImageHeight(rnd.Int(200, 800));
    }
}

// The library IDs of every type: numbered in creation order, with a prefix
// for most types.
void NumberItems(CLibraryImpl& impl, CRandom& rnd)
{
    for (int i = 0; i < CMediaRegistry::TYPE_COUNT; ++i) {
        CMediaMgr* mgr = impl.GetMediaMgrAt(i);
        const int type = mgr->GetMediaType();
        std::vector<int> ids;
        if (type == U::MEDIA_VIDEOTAPE)
            for (int f = U::MEDIA_VIDEOTAPEFORMAT_IDFIRST; f <= U::MEDIA_VIDEOTAPEFORMAT_IDLAST; ++f)
                ids.push_back(f);
        else
            ids.push_back(type);
        for (int id : ids) {
            CLibraryIDSettings* settings = mgr->GetLibraryIDSettings(id);
            settings->SetPrefix(U::GetMediaNameAbbrv(type).substr(0, 3) + "-");
            settings->SetDigitCount(rnd.Int(3, 6));
            settings->SetAutoGenerate(rnd.Chance(0.7));
            int number = 0;
            for (CMediaItem* item : mgr->GetItems())
                if (mgr->GetLibraryIDSettings(id) == &mgr->GetNumberingSettings(*item))
                    item->SetLibraryID(settings->FormatID(++number));
        }
    }
}

} // namespace

void GenerateLibrary(CLibrary& library, const LibraryGeneratorOptions& options)
{
    CLibraryImpl& impl = *library.GetImpl();
    CRandom rnd(options.seed);
    AddPersons(rnd);
    if (options.customFields)
        AddCustomFields(library);
    int totalWeight = 0;
    for (int w : WEIGHTS)
        totalWeight += w;
    for (int n = 0; n < options.itemCount; ++n) {
        int type = n + 1;
        if (n >= CMediaRegistry::TYPE_COUNT) {
            int pick = rnd.Int(1, totalWeight);
            for (type = 1; pick > WEIGHTS[type]; ++type)
                pick -= WEIGHTS[type];
        }
        CMediaMgr* mgr = impl.GetMediaMgr(type);
        CMediaItem* item = mgr->CreateItem(nullptr, type, true);
        FillItem(library, *item, type, n, options, rnd);
    }
    NumberItems(impl, rnd);
    for (int i = 0; i < CMediaRegistry::TYPE_COUNT; ++i)
        impl.GetMediaMgrAt(i)->Sort();
    for (const char* note : { "Living room shelves", "Boxes in the attic" })
        library.AddSearchString(note);
    library.SetNotes("A generated library.");
    impl.RefreshLists(CLibraryImpl::LIST_ALL);
    impl.NoteItemsChanged();
}

} // namespace vemotest
