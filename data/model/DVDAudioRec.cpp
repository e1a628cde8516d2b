#include "data/model/DVDAudioRec.h"

#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CDVDAudioRec::CDVDAudioRec()
    : CAudioRecDisc(false)
{
}

CDVDAudioRec::CDVDAudioRec(const CDVDAudioRec& source)
    : CAudioRecDisc(source)
{
    CopyDynamicData(source);
}

CDVDAudioRec& CDVDAudioRec::operator=(const CDVDAudioRec& source)
{
    if (this != &source) {
        CAudioRecDisc::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CDVDAudioRec::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CDVDAudioRec*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CDVDAudioRec::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CDVDAudioRec*>(&other);
    if (!same || same == this)
        return false;
    // Recorded media are told apart by their library IDs first.
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CDVDAudioRec::Serialize(CArchive& ar)
{
    CAudioRecDisc::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem* CDVDAudioRec::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CDVDAudioRecording*>(source))
        return new CDVDAudioRecording(*recording);
    return new CDVDAudioRecording();
}

CMediaItem* CDVDAudioRec::Clone() const
{
    return new CDVDAudioRec(*this);
}

int CDVDAudioRec::GetMediaType() const
{
    return CMediaUtils::MEDIA_DVDAUDIOREC;
}

int CDVDAudioRec::GetMaxContentSize() const
{
    return 120 * 60;
}

CDVDAudioRecording::CDVDAudioRecording()
    : CRecordingTrack(false, true)
{
}

CDVDAudioRecording::CDVDAudioRecording(const CDVDAudioRecording& source)
    : CRecordingTrack(source)
{
}

CDVDAudioRecording& CDVDAudioRecording::operator=(const CDVDAudioRecording& source)
{
    if (this != &source)
        CRecordingTrack::operator=(source);
    return *this;
}

bool CDVDAudioRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CDVDAudioRecording*>(&other);
    return recording && CRecordingTrack::operator==(other) && CSubItemUtils::SameTrack(*this, *recording);
}

void CDVDAudioRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CDVDAudioRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CDVDAudioRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_DVDAUDIOREC;
}
