#include "data/model/RecordingTrack.h"

#include <utility>

#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/DateTimeUtils.h"
#include "platform/util/StringUtils.h"

namespace {

// Tried in this order; the first substring found in the lower-cased text
// decides, so "cd" must come after "cam" and "do" after "dvd".
const std::pair<const char*, CRecordingTrack::Source> SOURCE_KEYWORDS[] = {
    { "radio", CRecordingTrack::srcRadio },
    { "tv", CRecordingTrack::srcTVBroadcast },
    { "cass", CRecordingTrack::srcCassette },
    { "cam", CRecordingTrack::srcCamcorder },
    { "cd", CRecordingTrack::srcCD },
    { "mini", CRecordingTrack::srcMinidisc },
    { "hd", CRecordingTrack::srcHDDVD },
    { "dvd", CRecordingTrack::srcDVD },
    { "do", CRecordingTrack::srcDownload },
    { "satel", CRecordingTrack::srcSatellite },
    { "mp3", CRecordingTrack::srcMP3 },
    { "dat", CRecordingTrack::srcDAT },
    { "liv", CRecordingTrack::srcLive },
    { "stu", CRecordingTrack::srcStudio },
    { "hom", CRecordingTrack::srcHome },
    { "lp", CRecordingTrack::srcRecordAlbum },
    { "album", CRecordingTrack::srcRecordAlbum },
    { "reel", CRecordingTrack::srcReelToReel },
    { "pre", CRecordingTrack::srcPreRecorded },
    { "blu", CRecordingTrack::srcBluray },
    { "video", CRecordingTrack::srcVideoTape },
    { "record", CRecordingTrack::srcRecordAlbum },
};

} // namespace

CRecordingTrack::CRecordingTrack(bool usesCategory, bool usesTrackNumbers)
    : CTrack(usesCategory, usesTrackNumbers)
{
}

CRecordingTrack::CRecordingTrack(const CRecordingTrack& source)
    : CTrack(source)
    , m_source(source.m_source)
    , m_date(source.m_date)
{
}

CRecordingTrack& CRecordingTrack::operator=(const CRecordingTrack& source)
{
    if (this == &source)
        return *this;
    CTrack::operator=(source);
    m_source = source.m_source;
    m_date = source.m_date;
    return *this;
}

void CRecordingTrack::GetData(CMapStringToString& data) const
{
    CTrack::GetData(data);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_RECSOURCE, [&] { return ParseSource(m_source); });
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_RECDATE, [&] { return GetDateText(); });
}

void CRecordingTrack::SetData(const CMapStringToString& data, bool applyCategory)
{
    CTrack::SetData(data, applyCategory);
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_RECSOURCE);
        text && (applyCategory || m_source == srcUnknown))
        SetSource(ParseSource(*text));
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_RECDATE);
        text && (applyCategory || !m_date.IsValid())) {
        // A text that is no date leaves the date as it was.
        COleDateTime date;
        if (CDateTimeUtils::ConvertDateNumbers(*text, date) || date.GetStatus() == COleDateTime::null)
            m_date = date;
    }
}

void CRecordingTrack::Serialize(CArchive& ar)
{
    CTrack::Serialize(ar);
    ar.SerializeVersion(1);
    WORD code = static_cast<WORD>(m_source);
    ar.Serialize(code);
    if (ar.IsLoading())
        m_source = code >= srcRadio && code <= srcHDDVD ? static_cast<Source>(code) : srcUnknown;
    ar.Serialize(m_date);
}

CString CRecordingTrack::GetDateText() const
{
    return CDateTimeUtils::ConvertDateNumbers(m_date, false, false, false, false);
}

CString CRecordingTrack::ParseSource(Source source)
{
    switch (source) {
    case srcRadio:
        return "Radio";
    case srcTVBroadcast:
        return "TV Broadcast";
    case srcRecordAlbum:
        return CMediaUtils::MEDIA_DEF_RECORDALBUM;
    case srcCassette:
        return CMediaUtils::MEDIA_DEF_CASSETTE;
    case srcCD:
        return CMediaUtils::MEDIA_DEF_CD;
    case srcMinidisc:
        return CMediaUtils::MEDIA_DEF_MINIDISC;
    case srcDVD:
        return CMediaUtils::MEDIA_DEF_DVD;
    case srcSatellite:
        return "Satellite";
    case srcMP3:
        return "MP3";
    case srcDAT:
        return CMediaUtils::MEDIA_DEF_DAT;
    case srcLive:
        return "Live Recording";
    case srcStudio:
        return "Studio Recording";
    case srcHome:
        return "Home Recording";
    case srcReelToReel:
        return CMediaUtils::MEDIA_DEF_REELTOREEL;
    case srcPreRecorded:
        return "Pre-recorded";
    case srcVideoTape:
        return CMediaUtils::MEDIA_DEF_VIDEOTAPE;
    case srcCamcorder:
        return "Camcorder";
    case srcDownload:
        return "Download";
    case srcBluray:
        return CMediaUtils::MEDIA_DEF_BLURAY;
    case srcHDDVD:
        return CMediaUtils::MEDIA_DEF_HDDVD;
    default:
        return "Unknown";
    }
}

CRecordingTrack::Source CRecordingTrack::ParseSource(const CString& text)
{
    if (text.empty())
        return srcUnknown;
    const CString lower = CStringUtils::ToLower(text);
    for (const auto& [keyword, source] : SOURCE_KEYWORDS) {
        if (lower.find(keyword) != CString::npos)
            return source;
    }
    return srcUnknown;
}

void CRecordingTrack::GetSourceList(CStringList& list, bool includePreRecorded)
{
    list.AddTail(ParseSource(srcUnknown));
    for (int code = srcRadio; code <= SOURCE_LAST; ++code) {
        if (code != srcPreRecorded || includePreRecorded)
            list.AddTail(ParseSource(static_cast<Source>(code)));
    }
}
