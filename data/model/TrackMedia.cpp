#include "data/model/TrackMedia.h"

#include <climits>

#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "data/model/Track.h"
#include "platform/util/Archive.h"
#include "platform/util/NumberTextConv.h"
#include "platform/util/StringUtils.h"

CTrackMedia::CTrackMedia(bool usesCategory, bool hasCheckOut, bool usesPublisher, bool hasReportProperties,
    bool hasSpecialFeatures, const CString& subItemSortOrder, bool minutesAndSeconds)
    : CMediaItem(usesCategory, hasCheckOut, usesPublisher, hasReportProperties, hasSpecialFeatures, subItemSortOrder)
    , m_minutesAndSeconds(minutesAndSeconds)
{
    m_audio.SetStereo(true);
}

CTrackMedia::CTrackMedia(const CTrackMedia& source)
    : CMediaItem(source)
    , m_minutesAndSeconds(source.m_minutesAndSeconds)
    , m_mediaSize(source.m_mediaSize)
    , m_audio(source.m_audio)
{
}

CTrackMedia& CTrackMedia::operator=(const CTrackMedia& source)
{
    if (this == &source)
        return *this;
    CMediaItem::operator=(source);
    m_minutesAndSeconds = source.m_minutesAndSeconds;
    m_mediaSize = source.m_mediaSize;
    m_audio = source.m_audio;
    return *this;
}

void CTrackMedia::GetData(CMapStringToString& data) const
{
    CMediaItem::GetData(data);
    const CString size = GetMediaSizeText();
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_LENGTH, size);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_MEDIASIZE, size);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_TRACKCOUNT,
        [&] { return CNumberTextConv::NumberToString(GetSubItemCount(), 0, "", true); });
    m_audio.GetData(data);
}

void CTrackMedia::SetData(const CMapStringToString& data, bool applyCategory)
{
    CMediaItem::SetData(data, applyCategory);
    // "Media Size" decides when both are given: for recordable media it is the
    // unambiguous whole minutes, while "Length" may be hours:minutes.
    const CString* size = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_MEDIASIZE);
    const CString* length = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_LENGTH);
    if (size && length && CStringUtils::IsEffectivelyEmpty(*size))
        size = nullptr;
    if ((size || length) && (applyCategory || m_mediaSize == 0))
        m_mediaSize = size ? ParseMediaSizeText(*size) : CMediaUtils::ConvertFromTime(*length);
    m_audio.SetData(data, applyCategory);
}

void CTrackMedia::Serialize(CArchive& ar)
{
    CMediaItem::Serialize(ar);
    ar.SerializeVersion(1);
    CMediaUtils::Serialize(ar, m_minutesAndSeconds);
    ar.Serialize(m_mediaSize);
    m_audio.Serialize(ar);
}

void CTrackMedia::SortSubItems()
{
    const CString& order = GetSubItemSortOrder();
    if (order == CMediaUtils::MEDIA_PROP_TRACKNUMBER)
        GetSubItems().Sort(SortTracksByNumberTitle);
    else if (order == CMediaUtils::MEDIA_PROP_TRACKTITLE)
        GetSubItems().Sort(SortTracksByTitle);
}

CString CTrackMedia::GetMediaSizeText() const
{
    return m_minutesAndSeconds ? CMediaUtils::ConvertToMMSS(m_mediaSize) : CMediaUtils::ConvertToHHMM(m_mediaSize);
}

int CTrackMedia::ParseMediaSizeText(const CString& text) const
{
    return CMediaUtils::ConvertFromTime(text);
}

CString CTrackMedia::GetContentSizeText() const
{
    const int size = GetContentSize();
    return m_minutesAndSeconds ? CMediaUtils::ConvertToMMSS(size) : CMediaUtils::ConvertToHHMM(size);
}

int CTrackMedia::GetContentSize() const
{
    long long total = 0;
    for (const CMediaSubItem* subItem : GetSubItems()) {
        if (const auto* track = dynamic_cast<const CTrack*>(subItem))
            total += track->GetLength();
    }
    return static_cast<int>(std::clamp<long long>(total, INT_MIN, INT_MAX));
}

int CTrackMedia::GetNextTrackNumber(int after)
{
    if (after < 0)
        return 1;
    // A sorted copy of the pointers leaves the medium's own order untouched.
    CMediaSubItemList tracks;
    tracks.AddTail(GetSubItems());
    tracks.Sort(SortTracksByNumberTitle);
    int candidate = after < INT_MAX ? after + 1 : INT_MAX;
    for (const CMediaSubItem* subItem : tracks) {
        const auto* track = dynamic_cast<const CTrack*>(subItem);
        if (!track)
            break;
        if (track->GetTrack() == candidate)
            ++candidate;
        else if (track->GetTrack() > candidate)
            break;
    }
    return candidate;
}

int CTrackMedia::SortTracksByNumberTitle(const CMediaSubItem* a, const CMediaSubItem* b)
{
    const auto* trackA = dynamic_cast<const CTrack*>(a);
    const auto* trackB = dynamic_cast<const CTrack*>(b);
    if (!trackA || !trackB)
        return trackA ? -1 : (trackB ? 1 : 0);
    if (trackA->GetTrack() != trackB->GetTrack())
        return trackA->GetTrack() < trackB->GetTrack() ? -1 : 1;
    return CStringUtils::CompareNoCase(trackA->GetTitle(), trackB->GetTitle());
}

int CTrackMedia::SortTracksByTitle(const CMediaSubItem* a, const CMediaSubItem* b)
{
    const auto* trackA = dynamic_cast<const CTrack*>(a);
    const auto* trackB = dynamic_cast<const CTrack*>(b);
    if (!trackA || !trackB)
        return trackA ? -1 : (trackB ? 1 : 0);
    return CStringUtils::CompareNoCase(trackA->GetTitle(), trackB->GetTitle());
}
