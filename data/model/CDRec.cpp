#include "data/model/CDRec.h"

#include "data/model/MediaUtils.h"
#include "data/model/SubItemUtils.h"
#include "platform/util/Archive.h"
#include "platform/util/StringUtils.h"

CCDRec::CCDRec()
    : CAudioRecDisc(false)
{
}

CCDRec::CCDRec(const CCDRec& source)
    : CAudioRecDisc(source)
{
    CopyDynamicData(source);
}

CCDRec& CCDRec::operator=(const CCDRec& source)
{
    if (this != &source) {
        CAudioRecDisc::operator=(source);
        CopyDynamicData(source);
    }
    return *this;
}

CMediaItem& CCDRec::operator=(const CMediaItem& source)
{
    if (const auto* same = dynamic_cast<const CCDRec*>(&source))
        return *this = *same;
    return CMediaItem::operator=(source);
}

bool CCDRec::operator==(const CItem& other) const
{
    const auto* same = dynamic_cast<const CCDRec*>(&other);
    if (!same || same == this)
        return false;
    // Recorded media are told apart by their library IDs first.
    return CStringUtils::EqualsNoCase(GetLibraryID(), same->GetLibraryID())
        && CStringUtils::EqualsNoCase(GetArtist(), same->GetArtist())
        && CStringUtils::EqualsNoCase(GetTitle(), same->GetTitle());
}

void CCDRec::Serialize(CArchive& ar)
{
    CAudioRecDisc::Serialize(ar);
    ar.SerializeVersion(1);
}

CMediaSubItem* CCDRec::CreateSubItem(CMediaSubItem* source) const
{
    if (const auto* recording = dynamic_cast<const CCDRecording*>(source))
        return new CCDRecording(*recording);
    return new CCDRecording();
}

CMediaItem* CCDRec::Clone() const
{
    return new CCDRec(*this);
}

int CCDRec::GetMediaType() const
{
    return CMediaUtils::MEDIA_CDREC;
}

int CCDRec::GetMaxContentSize() const
{
    return 80 * 60;
}

CCDRecording::CCDRecording()
    : CRecordingTrack(false, true)
{
}

CCDRecording::CCDRecording(const CCDRecording& source)
    : CRecordingTrack(source)
{
}

CCDRecording& CCDRecording::operator=(const CCDRecording& source)
{
    if (this != &source)
        CRecordingTrack::operator=(source);
    return *this;
}

bool CCDRecording::operator==(const CItem& other) const
{
    const auto* recording = dynamic_cast<const CCDRecording*>(&other);
    return recording && CRecordingTrack::operator==(other) && CSubItemUtils::SameTrack(*this, *recording);
}

void CCDRecording::Serialize(CArchive& ar)
{
    CRecordingTrack::Serialize(ar);
    ar.SerializeVersion(1);
}

bool CCDRecording::HaveValidData() const
{
    return CSubItemUtils::TrackHasData(*this);
}

int CCDRecording::GetMediaType() const
{
    return CMediaUtils::MEDIA_CDREC;
}
