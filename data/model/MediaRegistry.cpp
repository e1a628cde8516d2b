#include "data/model/MediaRegistry.h"

#include <algorithm>
#include <array>
#include <memory>

#include "data/model/8Track.h"
#include "data/model/Bluray.h"
#include "data/model/BlurayRec.h"
#include "data/model/Book.h"
#include "data/model/CD.h"
#include "data/model/CDRec.h"
#include "data/model/Cassette.h"
#include "data/model/DAT.h"
#include "data/model/DVD.h"
#include "data/model/DVDAudio.h"
#include "data/model/DVDAudioRec.h"
#include "data/model/DVDRec.h"
#include "data/model/DualDisc.h"
#include "data/model/HDDVD.h"
#include "data/model/HDDVDRec.h"
#include "data/model/LaserDisc.h"
#include "data/model/MagazineIssue.h"
#include "data/model/MediaUtils.h"
#include "data/model/MiniDisc.h"
#include "data/model/RecordAlbum.h"
#include "data/model/ReelToReel.h"
#include "data/model/SheetMusic.h"
#include "data/model/Software.h"
#include "data/model/VideoGame.h"
#include "data/model/VideoTape.h"
#include "platform/util/StringUtils.h"

namespace {

using U = CMediaUtils;
using G = CMediaGroup;
using K = CMediaMgrKind;

template <class TItem> CMediaItem* MakeItem()
{
    return new TItem();
}

// A row of the table: the type id, the default item and its class come from
// the item class itself.
template <class TItem>
CMediaTypeInfo Row(const CString& singular, const CString& plural, const char* abbreviation, CMediaGroup group,
    bool recordable, const char* picture, const char* viewClass, CMediaMgrKind managerKind, const char* primarySort,
    const char* secondarySort, unsigned sortOrders, unsigned audioFormats, CDuplicateKey duplicateKey,
    std::vector<CString> defaultColumns)
{
    return { TItem::MEDIA_TYPE, singular, plural, abbreviation, group, recordable, picture, viewClass, &MakeItem<TItem>,
        typeid(TItem), managerKind, primarySort, secondarySort, sortOrders, audioFormats, duplicateKey,
        std::move(defaultColumns) };
}

// Audio formats by kind of medium.
constexpr unsigned ANALOG_AUDIO = AUDIO_MONO | AUDIO_STEREO | AUDIO_QUADRAPHONIC | AUDIO_DOLBY;
constexpr unsigned CD_AUDIO = AUDIO_MONO | AUDIO_STEREO | AUDIO_SACD | AUDIO_HDCD | AUDIO_DTS;
constexpr unsigned DIGITAL_REC_AUDIO = AUDIO_MONO | AUDIO_STEREO;
constexpr unsigned SURROUND_AUDIO = AUDIO_MONO | AUDIO_STEREO | AUDIO_DOLBY | AUDIO_DTS | AUDIO_CHANNELS;
constexpr unsigned VIDEO_AUDIO = SURROUND_AUDIO | AUDIO_THX;

constexpr unsigned BASIC_SORTS = SORT_LIBRARYID | SORT_TITLE;
constexpr unsigned AUDIO_SORTS = BASIC_SORTS | SORT_ARTIST;

// Basic report columns by kind of medium.
std::vector<CString> AudioColumns()
{
    return { U::MEDIA_PROP_ARTIST, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_YEAR,
        U::MEDIA_PROP_LIBRARYID };
}
std::vector<CString> AudioRecColumns()
{
    return { U::MEDIA_PROP_LIBRARYID, U::MEDIA_PROP_ARTIST, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_CATEGORY,
        U::MEDIA_PROP_MANUFACTURER };
}
std::vector<CString> VideoColumns()
{
    return { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER, U::MEDIA_PROP_LEADACTOR, U::MEDIA_PROP_DIRECTOR,
        U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_LIBRARYID };
}
std::vector<CString> VideoRecColumns()
{
    return { U::MEDIA_PROP_LIBRARYID, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_SERIESNUMBER, U::MEDIA_PROP_LEADACTOR,
        U::MEDIA_PROP_CATEGORY };
}

const char* const LIBRARYID = "Library ID";
const char* const TITLE = "Title";
const char* const ARTIST = "Artist";
const char* const SERIESNUMBER = "Series Number";

// In library file order. Columns: names singular, plural and abbreviated;
// group; recordable; picture; view class; manager; primary and secondary sort
// property; named sort orders; audio formats; duplicate key; basic report
// columns.
const std::array<CMediaTypeInfo, CMediaRegistry::TYPE_COUNT>& Table()
{
    static const std::array<CMediaTypeInfo, CMediaRegistry::TYPE_COUNT> table = { {
        Row<C8Track>(U::MEDIA_DEF_8TRACK, U::MEDIA_DEF_8TRACKS, "8-Tracks", G::audio, false, "8track", "C8TrackView",
            K::generic, ARTIST, TITLE, AUDIO_SORTS, ANALOG_AUDIO, CDuplicateKey::title, AudioColumns()),
        Row<CBluray>(U::MEDIA_DEF_BLURAY, U::MEDIA_DEF_BLURAYS, "Blu-ray", G::video, false, "bluray", "CBlurayView",
            K::generic, TITLE, SERIESNUMBER, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title, VideoColumns()),
        Row<CBlurayRec>(U::MEDIA_DEF_BLURAYREC, U::MEDIA_DEF_BLURAYSREC, "Rec. Blu-ray", G::video, true, "blurayrec",
            "CBlurayRecView", K::generic, LIBRARYID, TITLE, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title,
            VideoRecColumns()),
        Row<CBook>(U::MEDIA_DEF_BOOK, U::MEDIA_DEF_BOOKS, nullptr, G::print, false, "book", "CBookView", K::generic,
            TITLE, "Author", BASIC_SORTS | SORT_AUTHOR, 0, CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_PUBLISHER,
                U::MEDIA_PROP_YEAR, U::MEDIA_PROP_LIBRARYID }),
        Row<CCassette>(U::MEDIA_DEF_CASSETTE, U::MEDIA_DEF_CASSETTES, "Cassettes", G::audio, true, "cassette",
            "CCassetteView", K::generic, LIBRARYID, TITLE, AUDIO_SORTS, ANALOG_AUDIO, CDuplicateKey::title,
            AudioRecColumns()),
        Row<CCD>(U::MEDIA_DEF_CD, U::MEDIA_DEF_CDS, nullptr, G::audio, false, "cd", "CCDView", K::generic, ARTIST,
            TITLE, AUDIO_SORTS, CD_AUDIO, CDuplicateKey::title, AudioColumns()),
        Row<CCDRec>(U::MEDIA_DEF_CDREC, U::MEDIA_DEF_CDSREC, "Rec. CDs", G::audio, true, "cdrec", "CCDRecView",
            K::generic, LIBRARYID, TITLE, AUDIO_SORTS, DIGITAL_REC_AUDIO, CDuplicateKey::title, AudioRecColumns()),
        Row<CDAT>(U::MEDIA_DEF_DAT, U::MEDIA_DEF_DATS, nullptr, G::audio, true, "dat", "CDATView", K::generic,
            LIBRARYID, TITLE, AUDIO_SORTS, DIGITAL_REC_AUDIO, CDuplicateKey::title, AudioRecColumns()),
        Row<CDualDisc>(U::MEDIA_DEF_DUALDISC, U::MEDIA_DEF_DUALDISCS, nullptr, G::audio, false, "dualdisc",
            "CDualDiscView", K::generic, ARTIST, TITLE, AUDIO_SORTS, SURROUND_AUDIO | AUDIO_SACD, CDuplicateKey::title,
            AudioColumns()),
        Row<CDVDAudio>(U::MEDIA_DEF_DVDAUDIO, U::MEDIA_DEF_DVDAUDIOS, "DVD-Audio", G::audio, false, "dvdaudio",
            "CDVDAudioView", K::generic, ARTIST, TITLE, AUDIO_SORTS, SURROUND_AUDIO, CDuplicateKey::title,
            AudioColumns()),
        Row<CDVDAudioRec>(U::MEDIA_DEF_DVDAUDIOREC, U::MEDIA_DEF_DVDAUDIOSREC, "Rec. DVD-A", G::audio, true,
            "dvdaudiorec", "CDVDAudioRecView", K::generic, LIBRARYID, TITLE, AUDIO_SORTS, SURROUND_AUDIO,
            CDuplicateKey::title, AudioRecColumns()),
        Row<CDVD>(U::MEDIA_DEF_DVD, U::MEDIA_DEF_DVDS, nullptr, G::video, false, "dvd", "CDVDView", K::generic, TITLE,
            SERIESNUMBER, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title, VideoColumns()),
        Row<CDVDRec>(U::MEDIA_DEF_DVDREC, U::MEDIA_DEF_DVDSREC, "Rec. DVDs", G::video, true, "dvdrec", "CDVDRecView",
            K::generic, LIBRARYID, TITLE, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title, VideoRecColumns()),
        Row<CHDDVD>(U::MEDIA_DEF_HDDVD, U::MEDIA_DEF_HDDVDS, nullptr, G::video, false, "hddvd", "CHDDVDView",
            K::generic, TITLE, SERIESNUMBER, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title, VideoColumns()),
        Row<CHDDVDRec>(U::MEDIA_DEF_HDDVDREC, U::MEDIA_DEF_HDDVDSREC, "Rec. HD DVDs", G::video, true, "hddvdrec",
            "CHDDVDRecView", K::generic, LIBRARYID, TITLE, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title,
            VideoRecColumns()),
        Row<CLaserDisc>(U::MEDIA_DEF_LASERDISC, U::MEDIA_DEF_LASERDISCS, nullptr, G::video, false, "laserdisc",
            "CLaserDiscView", K::generic, TITLE, SERIESNUMBER, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title,
            VideoColumns()),
        Row<CMagazineIssue>(U::MEDIA_DEF_MAGAZINE, U::MEDIA_DEF_MAGAZINES, nullptr, G::print, false, "magazine",
            "CMagazineView", K::magazineIssue, "Magazine", "Issue", BASIC_SORTS | SORT_MAGAZINE | SORT_ISSUE, 0,
            CDuplicateKey::magazineIssue,
            { U::MEDIA_PROP_MAGAZINE, U::MEDIA_PROP_MAGISSUE, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_CATEGORY,
                U::MEDIA_PROP_LIBRARYID }),
        Row<CMiniDisc>(U::MEDIA_DEF_MINIDISC, U::MEDIA_DEF_MINIDISCS, nullptr, G::audio, true, "minidisc",
            "CMiniDiscView", K::generic, LIBRARYID, TITLE, AUDIO_SORTS, DIGITAL_REC_AUDIO, CDuplicateKey::title,
            AudioRecColumns()),
        Row<CRecordAlbum>(U::MEDIA_DEF_RECORDALBUM, U::MEDIA_DEF_RECORDALBUMS, "Records", G::audio, false,
            "recordalbum", "CRecordAlbumView", K::generic, ARTIST, TITLE, AUDIO_SORTS, ANALOG_AUDIO,
            CDuplicateKey::title, AudioColumns()),
        Row<CReelToReel>(U::MEDIA_DEF_REELTOREEL, U::MEDIA_DEF_REELTOREELS, "Reel-to-Reel", G::audio, true,
            "reeltoreel", "CReelToReelView", K::generic, LIBRARYID, TITLE, AUDIO_SORTS, ANALOG_AUDIO,
            CDuplicateKey::title, AudioRecColumns()),
        Row<CSheetMusic>(U::MEDIA_DEF_SHEETMUSIC, U::MEDIA_DEF_SHEETMUSICS, nullptr, G::print, false, "sheetmusic",
            "CSheetMusicView", K::generic, TITLE, "Composer", BASIC_SORTS | SORT_COMPOSER, 0, CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_COMPOSER, U::MEDIA_PROP_ARRANGER, U::MEDIA_PROP_INSTRUMENTATION,
                U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_LIBRARYID }),
        Row<CSoftware>(U::MEDIA_DEF_SOFTWARE, U::MEDIA_DEF_SOFTWARES, nullptr, G::other, false, "software",
            "CSoftwareView", K::generic, TITLE, "Version", BASIC_SORTS, 0, CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_VERSION, U::MEDIA_PROP_CONSOLE, U::MEDIA_PROP_CATEGORY,
                U::MEDIA_PROP_LIBRARYID }),
        Row<CVideoGame>(U::MEDIA_DEF_VIDEOGAME, U::MEDIA_DEF_VIDEOGAMES, nullptr, G::video, false, "videogame",
            "CVideoGameView", K::generic, TITLE, SERIESNUMBER, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_CONSOLE, U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_LIBRARYID }),
        Row<CVideoTape>(U::MEDIA_DEF_VIDEOTAPE, U::MEDIA_DEF_VIDEOTAPES, nullptr, G::video, true, "videotape",
            "CVideoTapeView", K::videoTape, LIBRARYID, TITLE, BASIC_SORTS, VIDEO_AUDIO, CDuplicateKey::title,
            VideoRecColumns()),
    } };
    return table;
}

// The file index of every media type id 1..24.
const std::array<int, CMediaRegistry::TYPE_COUNT + 1>& IndexByType()
{
    static const std::array<int, CMediaRegistry::TYPE_COUNT + 1> index = [] {
        std::array<int, CMediaRegistry::TYPE_COUNT + 1> result {};
        result.fill(-1);
        for (int i = 0; i < CMediaRegistry::TYPE_COUNT; ++i)
            result[Table()[i].mediaType] = i;
        return result;
    }();
    return index;
}

// The alphabetical order of the singular names, ignoring case, except that a
// recordable type follows the type it records: "Recordable CD" sorts as
// "cd recordable", after "cd" and before "cd-..." or "cda...".
CString AlphaKey(const CMediaTypeInfo& info)
{
    static const CString RECORDABLE = "Recordable ";
    CString key = CStringUtils::ToLower(info.singular);
    if (info.singular.compare(0, RECORDABLE.size(), RECORDABLE) == 0)
        key = key.substr(RECORDABLE.size()) + " recordable";
    return key;
}

// The properties a default item (and its default sub-item) answers: every
// property is asked for with a marker value, and those whose value changed
// are known. The parts an item may fill only when set (a publisher) are
// added from what the item has.
struct CProps {
    CStringArray media;
    CStringArray subItem;
    CStringArray subItemOwn;
};

const CString PROBE = "\x01";
const CString PARENT = "\x02";

void Probe(const CItem& item, CMapStringToString& data)
{
    for (const CString& prop : U::GetAllDataProps())
        data.SetAt(prop, PROBE);
    item.GetData(data);
}

bool Contains(const CStringArray& arr, const CString& value)
{
    return std::find(arr.begin(), arr.end(), value) != arr.end();
}

CProps LearnProps(int mediaType)
{
    CProps props;
    std::unique_ptr<CMediaItem> item(CMediaRegistry::Find(mediaType)->createItem());
    CMapStringToString data;
    Probe(*item, data);
    auto publisherProp = [](const CString& prop) {
        return prop == U::MEDIA_PROP_PUBLISHER || prop == U::MEDIA_PROP_PUBLISHERADDRESS
            || prop == U::MEDIA_PROP_PUBLISHEREMAIL || prop == U::MEDIA_PROP_PUBLISHERPHONE
            || prop == U::MEDIA_PROP_PUBLISHERURL;
    };
    for (const CString& prop : U::GetAllDataProps())
        if (!U::IsDataPropSubItemProp(prop, false)
            && (data[prop] != PROBE || (publisherProp(prop) && item->UsesPublisher())))
            props.media.Add(prop);

    CMediaSubItem* sub = item->CreateSubItem(nullptr);
    if (!sub)
        return props;
    // The medium gets marker values for the properties media and sub-items
    // share, so that a sub-item answering its medium's value is told apart
    // from one with a value of its own.
    CMapStringToString parentValues;
    for (const CString& prop : U::GetAllDataProps())
        if (U::IsDataPropSubItemProp(prop, true) && !U::IsDataPropSubItemProp(prop, false)
            && prop != U::MEDIA_PROP_CATEGORY && prop != U::MEDIA_PROP_CATEGORYDESC)
            parentValues.SetAt(prop, PARENT);
    item->SetData(parentValues, true);
    item->AddSubItem(sub);
    CMapStringToString subData;
    Probe(*sub, subData);
    for (const CString& prop : U::GetAllDataProps()) {
        const CString& value = subData[prop];
        if (value == PROBE || !U::IsDataPropSubItemProp(prop, true))
            continue;
        bool own = true;
        if (!U::IsDataPropSubItemProp(prop, false)) {
            if (prop == U::MEDIA_PROP_CATEGORY || prop == U::MEDIA_PROP_CATEGORYDESC)
                own = sub->GetCategoryID() > 0;
            else
                own = value != PARENT;
        }
        if (!own)
            continue;
        props.subItemOwn.Add(prop);
        if (!Contains(props.media, prop))
            props.subItem.Add(prop);
    }
    return props;
}

const CProps& PropsOf(int mediaType)
{
    static std::array<std::unique_ptr<CProps>, CMediaRegistry::TYPE_COUNT + 1> cache;
    auto& slot = cache[mediaType];
    if (!slot)
        slot = std::make_unique<CProps>(LearnProps(mediaType));
    return *slot;
}

} // namespace

const CMediaTypeInfo& CMediaRegistry::GetAt(int fileIndex)
{
    return Table().at(static_cast<std::size_t>(fileIndex));
}

const CMediaTypeInfo* CMediaRegistry::Find(int mediaType)
{
    if (!CMediaUtils::IsValidMediaID(mediaType))
        return nullptr;
    return &Table()[IndexByType()[mediaType]];
}

int CMediaRegistry::GetFileIndex(int mediaType)
{
    return CMediaUtils::IsValidMediaID(mediaType) ? IndexByType()[mediaType] : -1;
}

int CMediaRegistry::ToMediaType(int id)
{
    if (CMediaUtils::IsValidMediaID(id))
        return id;
    return CMediaUtils::IsVideoTapeFormatID(id) ? CMediaUtils::MEDIA_VIDEOTAPE : 0;
}

CMediaItem* CMediaRegistry::CreateItem(int id)
{
    const CMediaTypeInfo* info = Find(ToMediaType(id));
    if (!info)
        return nullptr;
    CMediaItem* item = info->createItem();
    if (CMediaUtils::IsVideoTapeFormatID(id))
        static_cast<CVideoTape*>(item)->SetTapeType(CVideoTape::ConvertType(id));
    return item;
}

const CUIntArray& CMediaRegistry::GetAlphaOrderedIDs()
{
    static const CUIntArray ids = [] {
        std::vector<const CMediaTypeInfo*> rows;
        for (const CMediaTypeInfo& info : Table())
            rows.push_back(&info);
        std::sort(rows.begin(), rows.end(),
            [](const CMediaTypeInfo* a, const CMediaTypeInfo* b) { return AlphaKey(*a) < AlphaKey(*b); });
        CUIntArray ordered;
        for (const CMediaTypeInfo* info : rows)
            ordered.Add(static_cast<UINT>(info->mediaType));
        return ordered;
    }();
    return ids;
}

const CStringArray& CMediaRegistry::GetDataProps(int mediaType)
{
    static const CStringArray none;
    return Find(mediaType) ? PropsOf(mediaType).media : none;
}

const CStringArray& CMediaRegistry::GetSubItemDataProps(int mediaType)
{
    static const CStringArray none;
    return Find(mediaType) ? PropsOf(mediaType).subItem : none;
}

const CStringArray& CMediaRegistry::GetSubItemOwnProps(int mediaType)
{
    static const CStringArray none;
    return Find(mediaType) ? PropsOf(mediaType).subItemOwn : none;
}
