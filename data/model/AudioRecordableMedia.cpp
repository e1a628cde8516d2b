#include "data/model/AudioRecordableMedia.h"

#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CAudioRecordableMedia::CAudioRecordableMedia(bool usesPublisher, const CString& subItemSortOrder)
    : CRecordableMedia(true, true, usesPublisher, true, false, subItemSortOrder, true)
{
}

CAudioRecordableMedia::CAudioRecordableMedia(const CAudioRecordableMedia& source)
    : CRecordableMedia(source)
    , m_artist(source.m_artist)
{
}

CAudioRecordableMedia& CAudioRecordableMedia::operator=(const CAudioRecordableMedia& source)
{
    if (this == &source)
        return *this;
    CRecordableMedia::operator=(source);
    m_artist = source.m_artist;
    return *this;
}

void CAudioRecordableMedia::GetData(CMapStringToString& data) const
{
    CRecordableMedia::GetData(data);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_ARTIST, m_artist);
}

void CAudioRecordableMedia::SetData(const CMapStringToString& data, bool applyCategory)
{
    CRecordableMedia::SetData(data, applyCategory);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_ARTIST, applyCategory, m_artist);
}

void CAudioRecordableMedia::Serialize(CArchive& ar)
{
    CRecordableMedia::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_artist);
}

CString CAudioRecordableMedia::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString text = CRecordableMedia::GetUniqueDescription(withMediaName, sortProp) + m_artist;
    if (!GetTitle().empty())
        text += (m_artist.empty() ? "" : " - ") + ("\"" + GetTitle() + "\"");
    return text;
}

bool CAudioRecordableMedia::SameKeyFields(const CAudioRecordableMedia& other) const
{
    // Recorded media are told apart by their library IDs first.
    return CStringUtils::EqualsNoCase(GetLibraryID(), other.GetLibraryID())
        && CStringUtils::EqualsNoCase(m_artist, other.m_artist)
        && CStringUtils::EqualsNoCase(GetTitle(), other.GetTitle());
}
