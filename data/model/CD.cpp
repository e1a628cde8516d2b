#include "data/model/CD.h"

#include "data/model/PropMapUtils.h"

CCD::CCD()
    : CMediaItemT(false)
{
}

bool CCD::operator==(const CItem& other) const
{
    const CCD* same = OtherOfSameClass(other);
    return same && SameKeyFields(*same) && m_cdSingle == same->m_cdSingle;
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
