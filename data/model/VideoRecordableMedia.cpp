#include "data/model/VideoRecordableMedia.h"

#include "data/model/DataMapUtils.h"
#include "data/model/ItemTextUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CVideoRecordableMedia::CVideoRecordableMedia(
    bool usesPublisher, bool hasSpecialFeatures, const CString& subItemSortOrder)
    : CRecordableMedia(true, true, usesPublisher, true, hasSpecialFeatures, subItemSortOrder, false)
{
}

CVideoRecordableMedia::CVideoRecordableMedia(const CVideoRecordableMedia& source)
    : CRecordableMedia(source)
    , m_sparse(source.m_sparse)
    , m_leadActor(source.m_leadActor)
    , m_coStar(source.m_coStar)
    , m_director(source.m_director)
    , m_video(source.m_video)
{
}

CVideoRecordableMedia& CVideoRecordableMedia::operator=(const CVideoRecordableMedia& source)
{
    if (this == &source)
        return *this;
    CRecordableMedia::operator=(source);
    m_sparse = source.m_sparse;
    m_leadActor = source.m_leadActor;
    m_coStar = source.m_coStar;
    m_director = source.m_director;
    m_video = source.m_video;
    return *this;
}

void CVideoRecordableMedia::GetData(CMapStringToString& data) const
{
    CRecordableMedia::GetData(data);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_SUBTITLE, GetSubTitle());
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_SERIESNUMBER, GetSeriesNumber());
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_LEADACTOR, m_leadActor);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_COSTAR, m_coStar);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_DIRECTOR, m_director);
    m_video.GetData(data);
}

void CVideoRecordableMedia::SetData(const CMapStringToString& data, bool applyCategory)
{
    CRecordableMedia::SetData(data, applyCategory);
    m_sparse.Take(data, CMediaUtils::MEDIA_PROP_SUBTITLE, SPARSE_SUBTITLE, applyCategory);
    m_sparse.Take(data, CMediaUtils::MEDIA_PROP_SERIESNUMBER, SPARSE_SERIES, applyCategory);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_LEADACTOR, applyCategory, m_leadActor);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_COSTAR, applyCategory, m_coStar);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_DIRECTOR, applyCategory, m_director);
    m_video.SetData(data, applyCategory);
}

void CVideoRecordableMedia::Serialize(CArchive& ar)
{
    CRecordableMedia::Serialize(ar);
    ar.SerializeVersion(1);
    m_sparse.Serialize(ar, SPARSE_SUBTITLE);
    m_sparse.Serialize(ar, SPARSE_SERIES);
    ar.Serialize(m_leadActor);
    ar.Serialize(m_coStar);
    ar.Serialize(m_director);
    m_video.Serialize(ar);
}

bool CVideoRecordableMedia::SameKeyFields(const CVideoRecordableMedia& other) const
{
    return CStringUtils::EqualsNoCase(GetLibraryID(), other.GetLibraryID())
        && CStringUtils::EqualsNoCase(GetTitle(), other.GetTitle())
        && CStringUtils::EqualsNoCase(GetSubTitle(), other.GetSubTitle())
        && CStringUtils::EqualsNoCase(GetSeriesNumber(), other.GetSeriesNumber());
}

CString CVideoRecordableMedia::GetVideoText(const CString& sortProp) const
{
    return CItemTextUtils::VideoText(GetTitle(), GetSubTitle(), GetSeriesNumber(), m_leadActor, m_director, sortProp);
}
