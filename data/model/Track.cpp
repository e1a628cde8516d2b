#include "data/model/Track.h"

#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CTrack::CTrack(bool usesCategory, bool usesTrackNumbers)
    : CMediaSubItem(usesCategory)
    , m_usesTrackNumbers(usesTrackNumbers)
{
}

CTrack::CTrack(const CTrack& source)
    : CMediaSubItem(source)
    , m_usesTrackNumbers(source.m_usesTrackNumbers)
    , m_track(source.m_track)
    , m_length(source.m_length)
    , m_title(source.m_title)
{
}

CTrack& CTrack::operator=(const CTrack& source)
{
    if (this == &source)
        return *this;
    CMediaSubItem::operator=(source);
    m_length = source.m_length;
    m_track = source.m_track;
    m_title = source.m_title;
    return *this;
}

void CTrack::GetData(CMapStringToString& data) const
{
    CMediaSubItem::GetData(data);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_TRACKTITLE, m_title);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_TRACKLENGTH, [&] { return GetLengthText(); });
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_TRACKNUMBER, [&] { return GetTrackText(); });
}

void CTrack::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaSubItem::SetData(data, applyCategory);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_TRACKTITLE, applyCategory, m_title);
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_TRACKLENGTH);
        text && (applyCategory || m_length == 0))
        m_length = CMediaUtils::ConvertFromTime(*text);
    // Track 1 is the default, so a merge may still set the number.
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_TRACKNUMBER);
        text && m_usesTrackNumbers && (applyCategory || m_track <= 1))
        SetTrack(CDataMapUtils::ToInt(*text));
}

void CTrack::Serialize(CArchive& ar)
{
    CMediaSubItem::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_length);
    ar.Serialize(m_track);
    CSubItemUtils::SerializeText(ar, m_title);
    if (m_track < 1)
        m_track = 1;
}

CString CTrack::GetLengthText() const
{
    return CMediaUtils::ConvertToHHMMSS(m_length);
}

CString CTrack::GetTrackDesc() const
{
    CString text = m_usesTrackNumbers ? GetTrackText() + ". " : CString();
    text += m_title.View();
    if (m_length > 0)
        text += " (" + GetLengthText() + ")";
    return text;
}

CString CTrack::GetTrackText() const
{
    return m_usesTrackNumbers ? std::to_string(GetTrack()) : CString();
}
