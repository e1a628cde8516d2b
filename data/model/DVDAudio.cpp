#include "data/model/DVDAudio.h"

#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CDVDAudio::CDVDAudio()
    : CAudioTrackMedia(true)
{
}

CDVDAudio::CDVDAudio(const CDVDAudio& source)
    : CAudioTrackMedia(source)
{
    CopyDynamicData(source);
}

CDVDAudio& CDVDAudio::operator=(const CDVDAudio& source)
{
    if (this != &source) {
        CAudioTrackMedia::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CDVDAudio::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CDVDAudio*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CDVDAudio::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CDVDAudio*>(&other);
    if (!same || same == this)
        return false;
    return CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CDVDAudio::Serialize(CArchive& ar)
{
    CAudioTrackMedia::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem* CDVDAudio::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* track = dynamic_cast<const CDVDAudioTrack*>(source))
        return new CDVDAudioTrack(*track);
    return new CDVDAudioTrack();
}

CMediaItem* CDVDAudio::Clone() const
{
    return new CDVDAudio(*this);
}

int CDVDAudio::GetMediaType() const
{
    return CMediaUtils::MEDIA_DVDAUDIO;
}

CDVDAudioTrack::CDVDAudioTrack()
    : CAudioTrack(false, true)
{
}

CDVDAudioTrack::CDVDAudioTrack(const CDVDAudioTrack& source)
    : CAudioTrack(source)
{
}

CDVDAudioTrack& CDVDAudioTrack::operator=(const CDVDAudioTrack& source)
{
    if (this != &source)
        CAudioTrack::operator=(source);
    return *this;
}

bool CDVDAudioTrack::operator==(const CItem& other) const
{
    const auto* track = dynamic_cast<const CDVDAudioTrack*>(&other);
    return track && CAudioTrack::operator==(other) && CSubItemUtils::SameAudioTrack(*this, *track);
}

void CDVDAudioTrack::Serialize(CArchive& ar)
{
    CAudioTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CDVDAudioTrack::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CDVDAudioTrack::GetMediaType() const
{
    return CMediaUtils::MEDIA_DVDAUDIO;
}
