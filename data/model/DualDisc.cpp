#include "data/model/DualDisc.h"

#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CDualDisc::CDualDisc()
    : CAudioTrackMedia(true)
{
}

CDualDisc::CDualDisc(const CDualDisc& source)
    : CAudioTrackMedia(source)
{
    CopyDynamicData(source);
}

CDualDisc& CDualDisc::operator=(const CDualDisc& source)
{
    if (this != &source) {
        CAudioTrackMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CDualDisc::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CDualDisc*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CDualDisc::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CDualDisc*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CDualDisc::Serialize(CArchive& ar)
{
    CAudioTrackMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem* CDualDisc::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* track = dynamic_cast<const CDualDiscTrack*>(source))
        return new CDualDiscTrack(*track);
    return new CDualDiscTrack();
}

CMediaItem* CDualDisc::Clone() const
{
    return new CDualDisc(*this);
}

int CDualDisc::GetMediaType() const
{
    return CMediaUtils::MEDIA_DUALDISC;
}

CDualDiscTrack::CDualDiscTrack()
    : CAudioTrack(false, true)
{
}

CDualDiscTrack::CDualDiscTrack(const CDualDiscTrack& source)
    : CAudioTrack(source)
{
}

CDualDiscTrack& CDualDiscTrack::operator=(const CDualDiscTrack& source)
{
    if (this != &source)
        CAudioTrack::operator=(source);
    return *this;
}

bool CDualDiscTrack::operator==(const CItem& other) const
{
    const auto* track = dynamic_cast<const CDualDiscTrack*>(&other);
    return track && CAudioTrack::operator==(other) && CSubItemUtils::SameAudioTrack(*this, *track);
}

void CDualDiscTrack::Serialize(CArchive& ar)
{
    CAudioTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CDualDiscTrack::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CDualDiscTrack::GetMediaType() const
{
    return CMediaUtils::MEDIA_DUALDISC;
}
