#include "data/model/AudioTrack.h"

#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CAudioTrack::CAudioTrack(bool usesCategory, bool usesTrackNumbers)
    : CTrack(usesCategory, usesTrackNumbers)
{
}

CAudioTrack::CAudioTrack(const CAudioTrack& source)
    : CTrack(source)
    , m_disc(source.m_disc)
{
}

CAudioTrack& CAudioTrack::operator=(const CAudioTrack& source)
{
    if (this == &source)
        return *this;
    CTrack::operator=(source);
    m_disc = source.m_disc;
    return *this;
}

void CAudioTrack::GetData(CMapStringToString& data) const
{
    CTrack::GetData(data);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_DISCNUMBER, [&] { return GetDiscText(); });
}

void CAudioTrack::SetData(const CMapStringToString& data, bool applyCategory)
{
    CTrack::SetData(data, applyCategory);
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_DISCNUMBER);
        text && (applyCategory || m_disc <= 1))
        SetDisc(CDataMapUtils::ToInt(*text));
}

void CAudioTrack::Serialize(CArchive& ar)
{
    CTrack::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_disc);
    if (m_disc < 1)
        m_disc = 1;
}

CString CAudioTrack::GetLengthText() const
{
    return CMediaUtils::ConvertToMMSS(GetLength());
}

CString CAudioTrack::GetDiscText() const
{
    return std::to_string(GetDisc());
}
