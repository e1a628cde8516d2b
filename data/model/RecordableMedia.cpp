#include "data/model/RecordableMedia.h"

#include <climits>

#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CRecordableMedia::CRecordableMedia(bool usesCategory, bool hasCheckOut, bool usesPublisher, bool hasReportProperties,
    bool hasSpecialFeatures, const CString& subItemSortOrder, bool minutesAndSeconds)
    : CTrackMedia(usesCategory, hasCheckOut, usesPublisher, hasReportProperties, hasSpecialFeatures, subItemSortOrder,
        minutesAndSeconds)
{
}

CRecordableMedia::CRecordableMedia(const CRecordableMedia& source)
    : CTrackMedia(source)
    , m_manufacturer(source.m_manufacturer)
{
}

CRecordableMedia& CRecordableMedia::operator=(const CRecordableMedia& source)
{
    if (this == &source)
        return *this;
    CTrackMedia::operator=(source);
    m_manufacturer = source.m_manufacturer;
    return *this;
}

void CRecordableMedia::GetData(CMapStringToString& data) const
{
    CTrackMedia::GetData(data);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_MANUFACTURER, m_manufacturer);
    // "Media Size" counts whole minutes; "Length" keeps the time form.
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_LENGTH, [&] { return CTrackMedia::GetMediaSizeText(); });
}

void CRecordableMedia::SetData(const CMapStringToString& data, bool applyCategory)
{
    CTrackMedia::SetData(data, applyCategory);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_MANUFACTURER, applyCategory, m_manufacturer);
}

void CRecordableMedia::Serialize(CArchive& ar)
{
    CTrackMedia::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_manufacturer);
}

CString CRecordableMedia::GetMediaSizeText() const
{
    return std::to_string(GetMediaSize() / 60);
}

int CRecordableMedia::ParseMediaSizeText(const CString& text) const
{
    const long long seconds = 60LL * CDataMapUtils::ToInt(text);
    return static_cast<int>(std::clamp<long long>(seconds, 0, 0x7FFFFFFF));
}

bool CRecordableMedia::IsMediaFull() const
{
    return GetMediaSize() != 0 && GetContentSize() >= GetMediaSize();
}

CString CRecordableMedia::GetMaxContentSizeText() const
{
    return std::to_string(GetMaxContentSize() / 60);
}

int CRecordableMedia::GetSizeRemaining() const
{
    if (GetMediaSize() < 1)
        return -1;
    const long long remaining = static_cast<long long>(GetMediaSize()) - GetContentSize();
    return static_cast<int>(std::clamp<long long>(remaining, INT_MIN, INT_MAX));
}

CString CRecordableMedia::GetSizeRemainingText() const
{
    if (GetMediaSize() < 1)
        return CString();
    // An over-full medium is full too, not "-2 min. remain".
    const int minutes = std::max(GetSizeRemaining(), 0) / 60;
    if (minutes == 0)
        return "full";
    if (minutes == 1)
        return "1 min. remains";
    return CStringUtils::Format("%d min. remain", minutes);
}
