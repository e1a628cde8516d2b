#include "data/model/AudioTrackMedia.h"

#include <climits>

#include "data/model/AudioTrack.h"
#include "data/model/DataMapUtils.h"
#include "data/model/MediaUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CAudioTrackMedia::CAudioTrackMedia(bool hasSpecialFeatures)
    : CTrackMedia(true, true, true, true, hasSpecialFeatures, CMediaUtils::MEDIA_PROP_DISCNUMBER, true)
{
}

CAudioTrackMedia::CAudioTrackMedia(const CAudioTrackMedia& source)
    : CTrackMedia(source)
    , m_discs(source.m_discs)
    , m_artist(source.m_artist)
    , m_jacketNumber(source.m_jacketNumber)
{
}

CAudioTrackMedia& CAudioTrackMedia::operator=(const CAudioTrackMedia& source)
{
    if (this == &source)
        return *this;
    CTrackMedia::operator=(source);
    m_discs = source.m_discs;
    m_artist = source.m_artist;
    m_jacketNumber = source.m_jacketNumber;
    return *this;
}

void CAudioTrackMedia::GetData(CMapStringToString& data) const
{
    CTrackMedia::GetData(data);
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_ARTIST, m_artist);
    CDataMapUtils::FillWith(data, CMediaUtils::MEDIA_PROP_DISCS, [&] { return std::to_string(GetDiscs()); });
    CDataMapUtils::Fill(data, CMediaUtils::MEDIA_PROP_JACKETNUMBER, m_jacketNumber);
}

void CAudioTrackMedia::SetData(const CMapStringToString& data, bool applyCategory)
{
    CTrackMedia::SetData(data, applyCategory);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_ARTIST, applyCategory, m_artist);
    CDataMapUtils::Apply(data, CMediaUtils::MEDIA_PROP_JACKETNUMBER, applyCategory, m_jacketNumber);
    // One disc is the default, so a merge may still raise it.
    if (const CString* text = CDataMapUtils::Find(data, CMediaUtils::MEDIA_PROP_DISCS);
        text && (applyCategory || m_discs <= 1))
        SetDiscs(CDataMapUtils::ToInt(*text));
}

void CAudioTrackMedia::Serialize(CArchive& ar)
{
    CTrackMedia::Serialize(ar);
    ar.SerializeVersion(1);
    ar.Serialize(m_discs);
    ar.Serialize(m_artist);
    ar.Serialize(m_jacketNumber);
    if (m_discs < 1)
        m_discs = 1;
}

CString CAudioTrackMedia::GetUniqueDescription(bool withMediaName, const CString& sortProp) const
{
    CString text = CTrackMedia::GetUniqueDescription(withMediaName, sortProp) + m_artist;
    if (!GetTitle().empty())
        text += (m_artist.empty() ? "" : " - ") + ("\"" + GetTitle() + "\"");
    return text;
}

bool CAudioTrackMedia::SameKeyFields(const CAudioTrackMedia& other) const
{
    return CStringUtils::EqualsNoCase(m_artist, other.m_artist)
        && CStringUtils::EqualsNoCase(GetTitle(), other.GetTitle());
}

void CAudioTrackMedia::SortSubItems()
{
    if (GetSubItemSortOrder() == CMediaUtils::MEDIA_PROP_DISCNUMBER)
        GetSubItems().Sort(SortTracksByDiscTrack);
    else
        CTrackMedia::SortSubItems();
}

void CAudioTrackMedia::SetDiscs(int discs)
{
    m_discs = static_cast<WORD>(std::clamp(discs, 1, 0xFFFF));
    for (CMediaSubItem* subItem : GetSubItems()) {
        auto* track = dynamic_cast<CAudioTrack*>(subItem);
        if (track && track->GetDisc() > m_discs)
            track->SetDisc(m_discs);
    }
}

int CAudioTrackMedia::GetTrackCountForDisc(int disc) const
{
    int count = 0;
    for (const CMediaSubItem* subItem : GetSubItems()) {
        const auto* track = dynamic_cast<const CAudioTrack*>(subItem);
        if (track && track->GetDisc() == disc)
            ++count;
    }
    return count;
}

int CAudioTrackMedia::GetNextTrackNumber(int disc, int after)
{
    if (disc < 1 || after < 0)
        return 1;
    CMediaSubItemList tracks;
    tracks.AddTail(GetSubItems());
    tracks.Sort(SortTracksByDiscTrack);
    int candidate = after < INT_MAX ? after + 1 : INT_MAX;
    for (const CMediaSubItem* subItem : tracks) {
        const auto* track = dynamic_cast<const CAudioTrack*>(subItem);
        if (!track || track->GetDisc() > disc)
            break;
        if (track->GetDisc() < disc)
            continue;
        if (track->GetTrack() == candidate)
            ++candidate;
        else if (track->GetTrack() > candidate)
            break;
    }
    return candidate;
}

int CAudioTrackMedia::SortTracksByDiscTrack(const CMediaSubItem* a, const CMediaSubItem* b)
{
    const auto* trackA = dynamic_cast<const CAudioTrack*>(a);
    const auto* trackB = dynamic_cast<const CAudioTrack*>(b);
    if (!trackA || !trackB)
        return trackA ? -1 : (trackB ? 1 : 0);
    if (trackA->GetDisc() != trackB->GetDisc())
        return trackA->GetDisc() < trackB->GetDisc() ? -1 : 1;
    return SortTracksByNumberTitle(a, b);
}
