#include "data/model/MiniDisc.h"

#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CMiniDisc::CMiniDisc()
    : CAudioRecDisc(false)
{
}

CMiniDisc::CMiniDisc(const CMiniDisc& source)
    : CAudioRecDisc(source)
{
    CopyDynamicData(source);
}

CMiniDisc& CMiniDisc::operator=(const CMiniDisc& source)
{
    if (this != &source) {
        CAudioRecDisc::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CMiniDisc::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CMiniDisc*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CMiniDisc::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CMiniDisc*>(&other);
    if (!same || same == this)
        return false;
    // Recorded media are told apart by their library IDs first.
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CMiniDisc::Serialize(CArchive& ar)
{
    CAudioRecDisc::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem* CMiniDisc::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CMiniDiscRecording*>(source))
        return new CMiniDiscRecording(*recording);
    return new CMiniDiscRecording();
}

CMediaItem* CMiniDisc::Clone() const
{
    return new CMiniDisc(*this);
}

int CMiniDisc::GetMediaType() const
{
    return CMediaUtils::MEDIA_MINIDISC;
}

int CMiniDisc::GetMaxContentSize() const
{
    return 80 * 60;
}

CMiniDiscRecording::CMiniDiscRecording()
    : CRecordingTrack(false, true)
{
}

CMiniDiscRecording::CMiniDiscRecording(const CMiniDiscRecording& source)
    : CRecordingTrack(source)
{
}

CMiniDiscRecording& CMiniDiscRecording::operator=(const CMiniDiscRecording& source)
{
    if (this != &source)
        CRecordingTrack::operator=(source);
    return *this;
}

bool CMiniDiscRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CMiniDiscRecording*>(&other);
    return recording && CRecordingTrack::operator==(other) && CSubItemUtils::SameTrack(*this, *recording);
}

void CMiniDiscRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CMiniDiscRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CMiniDiscRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_MINIDISC;
}
