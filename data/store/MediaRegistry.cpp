#include "data/store/MediaRegistry.h"

#include <algorithm>
#include <array>
#include <memory>

#include "data/model/MediaSubItem.h"
#include "data/model/MediaUtils.h"
#include "data/store/MagazineIssueMediaMgr.h"
#include "data/store/MediaMgrs.h"
#include "data/store/VideoTapeMediaMgr.h"

namespace {

using U = CMediaUtils;

template <class TItem> CMediaItem* MakeItem()
{
    return new TItem();
}
template <class TMgr> CMediaMgr* MakeMgr()
{
    return new TMgr();
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

// In library file order. Columns: type, default item, manager, primary and
// secondary sort property, named sort orders, audio formats, duplicate key,
// basic report columns.
const std::array<CMediaTypeInfo, CMediaRegistry::TYPE_COUNT>& Table()
{
    static const std::array<CMediaTypeInfo, CMediaRegistry::TYPE_COUNT> table = { {
        { U::MEDIA_8TRACK, &MakeItem<C8Track>, &MakeMgr<C8TrackMediaMgr>, "Artist", TITLE, AUDIO_SORTS, ANALOG_AUDIO,
            CDuplicateKey::title, AudioColumns() },
        { U::MEDIA_BLURAY, &MakeItem<CBluray>, &MakeMgr<CBlurayMediaMgr>, TITLE, "Series Number", BASIC_SORTS,
            VIDEO_AUDIO, CDuplicateKey::title, VideoColumns() },
        { U::MEDIA_BLURAYREC, &MakeItem<CBlurayRec>, &MakeMgr<CBlurayRecMediaMgr>, LIBRARYID, TITLE, BASIC_SORTS,
            VIDEO_AUDIO, CDuplicateKey::title, VideoRecColumns() },
        { U::MEDIA_BOOK, &MakeItem<CBook>, &MakeMgr<CBookMediaMgr>, TITLE, "Author", BASIC_SORTS | SORT_AUTHOR, 0,
            CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_AUTHOR, U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_PUBLISHER,
                U::MEDIA_PROP_YEAR, U::MEDIA_PROP_LIBRARYID } },
        { U::MEDIA_CASSETTE, &MakeItem<CCassette>, &MakeMgr<CCassetteMediaMgr>, LIBRARYID, TITLE, AUDIO_SORTS,
            ANALOG_AUDIO, CDuplicateKey::title, AudioRecColumns() },
        { U::MEDIA_CD, &MakeItem<CCD>, &MakeMgr<CCDMediaMgr>, "Artist", TITLE, AUDIO_SORTS, CD_AUDIO,
            CDuplicateKey::title, AudioColumns() },
        { U::MEDIA_CDREC, &MakeItem<CCDRec>, &MakeMgr<CCDRecMediaMgr>, LIBRARYID, TITLE, AUDIO_SORTS, DIGITAL_REC_AUDIO,
            CDuplicateKey::title, AudioRecColumns() },
        { U::MEDIA_DAT, &MakeItem<CDAT>, &MakeMgr<CDATMediaMgr>, LIBRARYID, TITLE, AUDIO_SORTS, DIGITAL_REC_AUDIO,
            CDuplicateKey::title, AudioRecColumns() },
        { U::MEDIA_DUALDISC, &MakeItem<CDualDisc>, &MakeMgr<CDualDiscMediaMgr>, "Artist", TITLE, AUDIO_SORTS,
            SURROUND_AUDIO | AUDIO_SACD, CDuplicateKey::title, AudioColumns() },
        { U::MEDIA_DVDAUDIO, &MakeItem<CDVDAudio>, &MakeMgr<CDVDAudioMediaMgr>, "Artist", TITLE, AUDIO_SORTS,
            SURROUND_AUDIO, CDuplicateKey::title, AudioColumns() },
        { U::MEDIA_DVDAUDIOREC, &MakeItem<CDVDAudioRec>, &MakeMgr<CDVDAudioRecMediaMgr>, LIBRARYID, TITLE, AUDIO_SORTS,
            SURROUND_AUDIO, CDuplicateKey::title, AudioRecColumns() },
        { U::MEDIA_DVD, &MakeItem<CDVD>, &MakeMgr<CDVDMediaMgr>, TITLE, "Series Number", BASIC_SORTS, VIDEO_AUDIO,
            CDuplicateKey::title, VideoColumns() },
        { U::MEDIA_DVDREC, &MakeItem<CDVDRec>, &MakeMgr<CDVDRecMediaMgr>, LIBRARYID, TITLE, BASIC_SORTS, VIDEO_AUDIO,
            CDuplicateKey::title, VideoRecColumns() },
        { U::MEDIA_HDDVD, &MakeItem<CHDDVD>, &MakeMgr<CHDDVDMediaMgr>, TITLE, "Series Number", BASIC_SORTS, VIDEO_AUDIO,
            CDuplicateKey::title, VideoColumns() },
        { U::MEDIA_HDDVDREC, &MakeItem<CHDDVDRec>, &MakeMgr<CHDDVDRecMediaMgr>, LIBRARYID, TITLE, BASIC_SORTS,
            VIDEO_AUDIO, CDuplicateKey::title, VideoRecColumns() },
        { U::MEDIA_LASERDISC, &MakeItem<CLaserDisc>, &MakeMgr<CLaserDiscMediaMgr>, TITLE, "Series Number", BASIC_SORTS,
            VIDEO_AUDIO, CDuplicateKey::title, VideoColumns() },
        { U::MEDIA_MAGAZINE, &MakeItem<CMagazineIssue>, &MakeMgr<CMagazineIssueMediaMgr>, "Magazine", "Issue",
            BASIC_SORTS | SORT_MAGAZINE | SORT_ISSUE, 0, CDuplicateKey::magazineIssue,
            { U::MEDIA_PROP_MAGAZINE, U::MEDIA_PROP_MAGISSUE, U::MEDIA_PROP_TITLE, U::MEDIA_PROP_CATEGORY,
                U::MEDIA_PROP_LIBRARYID } },
        { U::MEDIA_MINIDISC, &MakeItem<CMiniDisc>, &MakeMgr<CMiniDiscMediaMgr>, LIBRARYID, TITLE, AUDIO_SORTS,
            DIGITAL_REC_AUDIO, CDuplicateKey::title, AudioRecColumns() },
        { U::MEDIA_RECORDALBUM, &MakeItem<CRecordAlbum>, &MakeMgr<CRecordAlbumMediaMgr>, "Artist", TITLE, AUDIO_SORTS,
            ANALOG_AUDIO, CDuplicateKey::title, AudioColumns() },
        { U::MEDIA_REELTOREEL, &MakeItem<CReelToReel>, &MakeMgr<CReelToReelMediaMgr>, LIBRARYID, TITLE, AUDIO_SORTS,
            ANALOG_AUDIO, CDuplicateKey::title, AudioRecColumns() },
        { U::MEDIA_SHEETMUSIC, &MakeItem<CSheetMusic>, &MakeMgr<CSheetMusicMediaMgr>, TITLE, "Composer",
            BASIC_SORTS | SORT_COMPOSER, 0, CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_COMPOSER, U::MEDIA_PROP_ARRANGER, U::MEDIA_PROP_INSTRUMENTATION,
                U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_LIBRARYID } },
        { U::MEDIA_SOFTWARE, &MakeItem<CSoftware>, &MakeMgr<CSoftwareMediaMgr>, TITLE, "Version", BASIC_SORTS, 0,
            CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_VERSION, U::MEDIA_PROP_CONSOLE, U::MEDIA_PROP_CATEGORY,
                U::MEDIA_PROP_LIBRARYID } },
        { U::MEDIA_VIDEOGAME, &MakeItem<CVideoGame>, &MakeMgr<CVideoGameMediaMgr>, TITLE, "Series Number", BASIC_SORTS,
            VIDEO_AUDIO, CDuplicateKey::title,
            { U::MEDIA_PROP_TITLE, U::MEDIA_PROP_CONSOLE, U::MEDIA_PROP_CATEGORY, U::MEDIA_PROP_LIBRARYID } },
        { U::MEDIA_VIDEOTAPE, &MakeItem<CVideoTape>, &MakeMgr<CVideoTapeMediaMgr>, LIBRARYID, TITLE, BASIC_SORTS,
            VIDEO_AUDIO, CDuplicateKey::title, VideoRecColumns() },
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
