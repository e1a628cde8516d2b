#include "data/model/CD.h"

#include "data/model/MediaUtils.h"
#include "data/model/PropMapUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CCD::CCD()
    : CAudioTrackMedia(false)
{
}

CCD::CCD(const CCD& source)
    : CAudioTrackMedia(source)
    , m_cdSingle(source.m_cdSingle)
    , m_enhancedCD(source.m_enhancedCD)
{
    CopyDynamicData(source);
}

CCD& CCD::operator=(const CCD& source)
{
    if (this != &source) {
        CAudioTrackMedia::operator=(source);
        m_cdSingle = source.m_cdSingle;
        m_enhancedCD = source.m_enhancedCD;
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CCD::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CCD*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CCD::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CCD*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle()) && m_cdSingle == same->m_cdSingle;
}

void CCD::GetData(CMapStringToString& data) const
{
    CAudioTrackMedia::GetData(data);
    CPropMapUtils::AnswerBool(data, CMediaUtils::MEDIA_PROP_CDSINGLE, m_cdSingle);
    CPropMapUtils::AnswerBool(data, CMediaUtils::MEDIA_PROP_ENHANCEDCD, m_enhancedCD);
}

void CCD::SetData(const CMapStringToString& data, bool applyCategory)
{
    CAudioTrackMedia::SetData(data, applyCategory);
    CPropMapUtils::TakeBool(data, CMediaUtils::MEDIA_PROP_CDSINGLE, m_cdSingle, applyCategory);
    CPropMapUtils::TakeBool(data, CMediaUtils::MEDIA_PROP_ENHANCEDCD, m_enhancedCD, applyCategory);
}

void CCD::Serialize(CArchive& ar)
{
    CAudioTrackMedia::Serialize(ar);
    ar.SerializeVersion(1);
    CMediaUtils::Serialize(ar, m_cdSingle);
    CMediaUtils::Serialize(ar, m_enhancedCD);
}

CMediaSubItem* CCD::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* track = dynamic_cast<const CCDTrack*>(source))
        return new CCDTrack(*track);
    return new CCDTrack();
}

CMediaItem* CCD::Clone() const
{
    return new CCD(*this);
}

int CCD::GetMediaType() const
{
    return CMediaUtils::MEDIA_CD;
}

CCDTrack::CCDTrack()
    : CAudioTrack(false, true)
{
}

CCDTrack::CCDTrack(const CCDTrack& source)
    : CAudioTrack(source)
{
}

CCDTrack& CCDTrack::operator=(const CCDTrack& source)
{
    if (this != &source)
        CAudioTrack::operator=(source);
    return *this;
}

bool CCDTrack::operator==(const CItem& other) const
{
    const auto* track = dynamic_cast<const CCDTrack*>(&other);
    return track && CAudioTrack::operator==(other) && CSubItemUtils::SameAudioTrack(*this, *track);
}

void CCDTrack::Serialize(CArchive& ar)
{
    CAudioTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CCDTrack::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CCDTrack::GetMediaType() const
{
    return CMediaUtils::MEDIA_CD;
}
