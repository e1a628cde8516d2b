#include "data/model/8Track.h"

#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

C8Track::C8Track()
    : CAudioTrackMedia(false)
{
}

C8Track::C8Track(const C8Track& source)
    : CAudioTrackMedia(source)
{
    CopyDynamicData(source);
}

C8Track& C8Track::operator=(const C8Track& source)
{
    if (this != &source) {
        CAudioTrackMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& C8Track::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const C8Track*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool C8Track::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const C8Track*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void C8Track::Serialize(CArchive& ar)
{
    CAudioTrackMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem* C8Track::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* track = dynamic_cast<const C8TrackTrack*>(source))
        return new C8TrackTrack(*track);
    return new C8TrackTrack();
}

CMediaItem* C8Track::Clone() const
{
    return new C8Track(*this);
}

int C8Track::GetMediaType() const
{
    return CMediaUtils::MEDIA_8TRACK;
}

C8TrackTrack::C8TrackTrack()
    : CAudioTrack(false, true)
{
}

C8TrackTrack::C8TrackTrack(const C8TrackTrack& source)
    : CAudioTrack(source)
{
}

C8TrackTrack& C8TrackTrack::operator=(const C8TrackTrack& source)
{
    if (this != &source)
        CAudioTrack::operator=(source);
    return *this;
}

bool C8TrackTrack::operator==(const CItem& other) const
{
    const auto* track = dynamic_cast<const C8TrackTrack*>(&other);
    return track && CAudioTrack::operator==(other) && CSubItemUtils::SameAudioTrack(*this, *track);
}

void C8TrackTrack::Serialize(CArchive& ar)
{
    CAudioTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool C8TrackTrack::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int C8TrackTrack::GetMediaType() const
{
    return CMediaUtils::MEDIA_8TRACK;
}
