#include "data/model/VideoMedia.h"

#include "data/model/DataMapUtils.h"
#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CVideoMedia::CVideoMedia(const CString& subItemSortOrder)
    : CMediaItem(true, true, true, true, true, subItemSortOrder)
{
    m_video.SetPanScan(true);
    m_video.SetWidescreen(true);
    m_audio.SetStereo(true);
}

CVideoMedia::CVideoMedia(const CVideoMedia& source)
    : CMediaItem(source)
    , m_mediaLength(source.m_mediaLength)
    , m_discs(source.m_discs)
    , m_region(source.m_region)
    , m_video(source.m_video)
    , m_audio(source.m_audio)
    , m_sparse(source.m_sparse)
    , m_leadActor(source.m_leadActor)
    , m_coStar(source.m_coStar)
    , m_director(source.m_director)
{
}

CVideoMedia& CVideoMedia::operator=(const CVideoMedia& source)
{
    if (this == &source)
        return *this;
    CMediaItem::operator=(source);
    m_mediaLength = source.m_mediaLength;
    m_discs = source.m_discs;
    m_region = source.m_region;
    m_video = source.m_video;
    m_audio = source.m_audio;
    m_sparse = source.m_sparse;
    m_leadActor = source.m_leadActor;
    m_coStar = source.m_coStar;
    m_director = source.m_director;
    return *this;
}

void CVideoMedia::GetData(CMapStringToString& data) const
{
    CMediaItem::GetData(data);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_SUBTITLE, GetSubTitle());
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_SERIESNUMBER, GetSeriesNumber());
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_LEADACTOR, m_leadActor);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_COSTAR, m_coStar);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_DIRECTOR, m_director);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_LENGTH, [&] { return GetMediaSizeText(); });
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_DISCS, [&] { return std::to_string(GetDiscs()); });
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_REGION, [&] { return std::to_string(GetRegion()); });
    m_video.GetData(data);
    m_audio.GetData(data);
}

void CVideoMedia::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    m_sparse.Take(data, CMediaUtils::MEDIA_PROP_SUBTITLE, SPARSE_SUBTITLE, applyCategory);
    m_sparse.Take(data, CMediaUtils::MEDIA_PROP_SERIESNUMBER, SPARSE_SERIES, applyCategory);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_LEADACTOR, applyCategory, m_leadActor);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_COSTAR, applyCategory, m_coStar);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_DIRECTOR, applyCategory, m_director);
    // Importers append ":00" to a video "Length", so the text reads as h:m:s.
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_LENGTH);
        text && (applyCategory || m_mediaLength == 0))
        m_mediaLength = CMediaUtils::ConvertFromTime(*text);
    // One disc is the default, so a merge may still raise it.
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_DISCS);
        text && (applyCategory || m_discs <= 1))
        SetDiscs(CDataMapUtils::ToInt(*text));
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_REGION);
        text && (applyCategory || m_region == 0))
        SetRegion(CDataMapUtils::ToInt(*text));
    m_video.SetData(data, applyCategory);
    m_audio.SetData(data, applyCategory);
}

void CVideoMedia::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    m_video.Serialize(ar);
    m_audio.Serialize(ar);
    ar.Serialize(m_mediaLength);
    ar.Serialize(m_discs);
    ar.Serialize(m_region);
    m_sparse.Serialize(ar, SPARSE_SUBTITLE);
    m_sparse.Serialize(ar, SPARSE_SERIES);
    ar.Serialize(m_leadActor);
    ar.Serialize(m_coStar);
    ar.Serialize(m_director);
    if (m_discs < 1)
        m_discs = 1;
}

CString CVideoMedia::GetMediaSizeText() const
{
    return CMediaUtils::ConvertToHHMM(m_mediaLength);
}

bool CVideoMedia::SameKeyFields(const CVideoMedia& other) const
{
    return CStringUtils::EqualsNoCase(GetTitle(), other.GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), other.GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), other.GetSeriesNumber());
}

CString CVideoMedia::GetVideoText(const CString& sortProp) const
{
    return CItemTextUtils::VideoText(GetTitle(), GetSubTitle(), GetSeriesNumber(), m_leadActor, m_director, sortProp);
}
